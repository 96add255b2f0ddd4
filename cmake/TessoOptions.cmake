# One strict options target that every Tesso target links to.
add_library(tesso_options INTERFACE)
target_compile_options(tesso_options INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(tesso_options INTERFACE
  QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_CAST_TO_ASCII
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  TESSO_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  TESSO_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  TESSO_VERSION_PATCH=${PROJECT_VERSION_PATCH}
  TESSO_VERSION_TWEAK=${PROJECT_VERSION_TWEAK}
  TESSO_VERSION_STRING="${PROJECT_VERSION}")

if(TESSO_SANITIZE)
  string(REPLACE ";" "," _tesso_san "${TESSO_SANITIZE}")
  target_compile_options(tesso_options INTERFACE -fsanitize=${_tesso_san} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(tesso_options INTERFACE -fsanitize=${_tesso_san})
endif()

# A fuzz build instruments every library for coverage, so that libFuzzer sees into the code under
# test; only the fuzz targets link the fuzzer's own main() (tesso_add_fuzzer).
if(TESSO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TESSO_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  target_compile_options(tesso_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# tesso_add_fuzzer(<name> SOURCES ... LIBS ...): one libFuzzer executable.
function(tesso_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS} tesso_options)
endfunction()

# tesso_add_test(<name> [GUI] LABEL <label> TIMEOUT <s> SOURCES ... LIBS ...)
# One GoogleTest executable with a Qt application object (QApplication with GUI); every test
# case is registered with CTest under the given label.
function(tesso_add_test name)
  cmake_parse_arguments(T "GUI" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/common/TestMain.cpp)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
  if(TESSO_SANITIZE MATCHES "thread")
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common/TsanProcessStart.cpp)
    target_link_libraries(${name} PRIVATE ${CMAKE_DL_LIBS})
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Core GTest::gtest GTest::gmock tesso_options)
  # Test code is not optimised: most of its compile time is spent optimising GoogleTest's macros,
  # and none of it is hot (the code under test comes from the libraries, built as configured).
  target_compile_options(${name} PRIVATE -O0)
  if(T_GUI)
    target_compile_definitions(${name} PRIVATE TESSO_TEST_GUI)
    target_link_libraries(${name} PRIVATE Qt6::Widgets)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT}
               ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  # Only one ENVIRONMENT entry survives gtest_discover_tests (it splits a list into property
  # names); the sanitizers' options are exported by scripts/test.sh instead.
endfunction()
