# cmake -DPROGRAM_DIR=<folder> [-DEXPECTED=<name;...>] -P CheckNoTestLibraries.cmake
#
# Runs ldd on every program and library in PROGRAM_DIR (not its subfolders)
# and fails when one of them loads Qt Test: test code stays out of what ships.
# Each name in EXPECTED must be there, so that an empty folder cannot pass.
if(NOT IS_DIRECTORY "${PROGRAM_DIR}")
  message(FATAL_ERROR "No program folder ${PROGRAM_DIR}")
endif()
find_program(LDD ldd REQUIRED)

foreach(name IN LISTS EXPECTED)
  if(NOT EXISTS "${PROGRAM_DIR}/${name}")
    message(FATAL_ERROR "${name} is missing from ${PROGRAM_DIR}")
  endif()
endforeach()

file(GLOB entries LIST_DIRECTORIES false "${PROGRAM_DIR}/*")
set(checked 0)
set(offenders "")
foreach(file IN LISTS entries)
  file(READ "${file}" magic LIMIT 4 HEX)
  if(NOT magic STREQUAL "7f454c46")  # not an ELF program or library
    continue()
  endif()
  execute_process(COMMAND ${LDD} "${file}" OUTPUT_VARIABLE libraries ERROR_VARIABLE errors RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "ldd ${file} failed: ${errors}")
  endif()
  math(EXPR checked "${checked} + 1")
  if(libraries MATCHES "libQt6Test")
    get_filename_component(name "${file}" NAME)
    list(APPEND offenders "${name}")
  endif()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "No programs in ${PROGRAM_DIR}")
endif()
if(offenders)
  list(JOIN offenders ", " offenders)
  message(FATAL_ERROR "These load libQt6Test: ${offenders}")
endif()
message(STATUS "${checked} programs and libraries in ${PROGRAM_DIR}, none loads libQt6Test")
