# Warnings as errors for our own code only; third-party headers come in as SYSTEM.
function(morav_warnings target)
  # GCC 12 reports false -Wrestrict overlaps inside std::string's inlined copies at -O2
  # (GCC bug 105329); they are not ours to fix.
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
    -Wno-error=deprecated-declarations $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
endfunction()

# morav_library(name SOURCES ... DEPS ...): a static library of the core, rooted at src/.
function(morav_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  morav_warnings(${name})
endfunction()

# morav_test(name SOURCES ... DEPS ...): a GoogleTest executable registered with CTest.
function(morav_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} morav_testsupport GTest::gtest GTest::gtest_main)
  morav_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
