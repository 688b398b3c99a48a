# Headers parsed once per target instead of once per file: the standard
# library's, GoogleTest's for tests, and Qt's for targets built on Qt.
set(ORVANTA_STD_PCH <string> <vector> <memory> <map> <functional> <optional> <variant> <cstdint>)
set(ORVANTA_QT_PCH <QtCore/QObject> <QtCore/QString> <QtCore/QVariant> <QtGui/QFont> <QtGui/QColor>
    <QtWidgets/QWidget> <QtWidgets/QApplication> <QtWidgets/QLabel> <QtWidgets/QPushButton>)

# orvanta_precompile_qt(<target>): the standard and Qt headers precompiled.
function(orvanta_precompile_qt target)
  target_precompile_headers(${target} PRIVATE ${ORVANTA_STD_PCH} ${ORVANTA_QT_PCH})
endfunction()

# The precompiled headers that every test program reuses: two small libraries
# that exist only to build them.
function(orvanta_test_precompiled_headers)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  set(source ${CMAKE_BINARY_DIR}/orvanta_pch.cpp)
  if(NOT EXISTS ${source})
    file(WRITE ${source} "// Compiled only to produce the tests' precompiled headers.\n")
  endif()
  add_library(orvanta_test_pch STATIC EXCLUDE_FROM_ALL ${source})
  target_link_libraries(orvanta_test_pch PRIVATE GTest::gtest)
  target_precompile_headers(orvanta_test_pch PRIVATE ${ORVANTA_STD_PCH} <gtest/gtest.h>)
  add_library(orvanta_qt_test_pch STATIC EXCLUDE_FROM_ALL ${source})
  target_link_libraries(orvanta_qt_test_pch PRIVATE GTest::gtest Qt6::Widgets)
  target_precompile_headers(orvanta_qt_test_pch PRIVATE ${ORVANTA_STD_PCH} <gtest/gtest.h> ${ORVANTA_QT_PCH})
endfunction()

# orvanta_add_test(<name> SOURCES ... LIBS ...)
# A GoogleTest executable registered with CTest. Test executables are kept out
# of the program folder.
function(orvanta_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # The headers are precompiled once for all tests (orvanta_test_precompiled_headers):
  # with Qt's for tests that reach Qt's widgets, without for the others. Tests
  # built position-independent for the libraries they link parse their headers.
  set(pch_from orvanta_test_pch)
  foreach(lib ${T_LIBS})
    if(lib MATCHES "^(vbwin|zevote_markers|Qt6::Core)$")
      set(pch_from "")
      break()
    elseif(lib MATCHES "^(Qt6::Widgets|Qt6::Gui|vbforms|catalogue_|inventory_app|hanzel|pbvm60)")
      set(pch_from orvanta_qt_test_pch)
    endif()
  endforeach()
  if(pch_from)
    target_precompile_headers(${name} REUSE_FROM ${pch_from})
    # GCC 12 forgets that precompiled standard headers are system headers and
    # then reports its known false bounds warnings from inside <string>.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${name} PRIVATE -Wno-array-bounds -Wno-stringop-overflow)
    endif()
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "ORVANTA_BIN_DIR=${ORVANTA_BIN_DIR}")
endfunction()
