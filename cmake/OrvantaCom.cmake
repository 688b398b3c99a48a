# orvanta_resources(<target> <script>)
#
# Compiles the resource script (see platform/com/resources.h) with vbrc and
# links the resources into <target>, where the COM layer's resource calls
# find them through the loaded module. Files that the script names are
# dependencies of the build step.
function(orvanta_resources target script)
  get_filename_component(script_path ${script} ABSOLUTE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND vbrc ${script_path} ${out} ${out}.d
    DEPENDS vbrc ${script_path}
    DEPFILE ${out}.d
    COMMENT "Compiling resources ${script}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()

# orvanta_inproc_server(<target> <file name> SOURCES ...)
#
# An in-process server: a shared object named <file name> (for example
# zevote32.ocx) in the program folder, exporting its entry points
# (DllGetClassObject, DllCanUnloadNow, DllRegisterServer,
# DllUnregisterServer) as C symbols. It links the shared platform layers, so
# it sees the program's window table, registry and forms runtime.
function(orvanta_inproc_server target file_name)
  cmake_parse_arguments(S "" "" "SOURCES" ${ARGN})
  get_filename_component(base ${file_name} NAME_WLE)
  get_filename_component(ext ${file_name} LAST_EXT)
  add_library(${target} MODULE ${S_SOURCES})
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME ${base} SUFFIX ${ext}
    LIBRARY_OUTPUT_DIRECTORY ${ORVANTA_BIN_DIR})
  target_link_libraries(${target} PRIVATE vbforms vbcom)
endfunction()
