# Settings every target of ours takes: strict warnings and the Cyrillic code
# page for string literals (all text inside the program is code page 1251).
# Warnings are errors with the compilers we build and test with; MSVC, which
# nothing here runs, keeps them as warnings. Its /utf-8 would also set the
# execution character set, so the source one is named alone.
function(vibro_defaults target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /source-charset:utf-8
                                             /execution-charset:windows-1251)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -finput-charset=UTF-8)
    # Clang knows no execution character set but UTF-8; it builds only the
    # fuzz targets, where the bytes of the Cyrillic texts do not matter.
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
      target_compile_options(${target} PRIVATE -fexec-charset=CP1251)
    endif()
    # GCC 12 reports false overlaps inside std::string concatenation
    # (libstdc++'s own code, GCC bug 105329).
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
  endif()
endfunction()

function(vibro_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  vibro_defaults(${name})
endfunction()

# A console program with the wide entry point (wmain), run by hand or by a script.
function(vibro_wide_tool name)
  add_executable(${name} ${ARGN})
  if(NOT MSVC)
    target_link_options(${name} PRIVATE -municode)
  endif()
  vibro_defaults(${name})
endfunction()

# Seconds a test executable may run before it counts as hung. The test
# script raises it for 32-bit programs that run only under emulation.
set(VIBRO_TEST_TIMEOUT 180 CACHE STRING "Seconds a test executable may run")

# One executable per test folder and one CTest test per executable: every
# Wine start costs about half a second. Those that run under Wine carry the
# label "wine", so a machine that cannot run them can leave them out.
function(vibro_test name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest_main)
  vibro_defaults(${name})
  add_test(NAME ${name} COMMAND ${name})
  # A hung test (a window waiting for input under Wine) must not eat the run.
  set_tests_properties(${name} PROPERTIES TIMEOUT ${VIBRO_TEST_TIMEOUT})
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    set_tests_properties(${name} PROPERTIES LABELS wine)
  endif()
endfunction()
