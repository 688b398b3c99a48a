# orvanta_add_test(<name> SOURCES ... LIBS ...)
# A GoogleTest executable registered with CTest. Test executables are kept out
# of the program folder.
function(orvanta_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "ORVANTA_BIN_DIR=${ORVANTA_BIN_DIR};ORVANTA_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()
