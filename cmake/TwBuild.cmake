# Build options and the helper functions every folder uses.  Warning and
# sanitizer flags are set here once, never per target.

# TW_SANITIZE: ON builds with AddressSanitizer and UndefinedBehaviorSanitizer;
# "thread" builds with ThreadSanitizer and, of the tests, only those that run
# threads of the client (tw_thread_test): everything else runs on one thread.
set(TW_SANITIZE OFF CACHE STRING "ON: address and undefined behaviour; thread: ThreadSanitizer")
option(TW_FUZZ "Build the libFuzzer targets (clang only)" OFF)
option(TW_WERROR "Treat warnings as errors" OFF)

add_compile_options(-Wall -Wextra)
if(TW_WERROR)
  add_compile_options(-Werror)
endif()

set(TW_THREAD_SANITIZER OFF)
if(TW_SANITIZE STREQUAL "thread")
  set(TW_THREAD_SANITIZER ON)
  add_compile_options(-fsanitize=thread -O1 -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(TW_SANITIZE OR TW_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(TW_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TW_FUZZ needs clang (libFuzzer)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

find_package(Threads REQUIRED)

# tw_library(name SOURCES ... [EXPORTS dir] [LIBS ...]): one static library per
# source folder.  EXPORTS is the root its headers are included from (a client
# module's is shared/base, so that "world/Obj.h" names the world's header);
# the libraries it links give theirs.
function(tw_library name)
  cmake_parse_arguments(L "" "EXPORTS" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  if(L_EXPORTS)
    target_include_directories(${name} PUBLIC ${L_EXPORTS})
  endif()
  if(L_LIBS)
    target_link_libraries(${name} PUBLIC ${L_LIBS})
  endif()
endfunction()

# tw_test(name SOURCES ... [LIBS ...]): one GoogleTest executable per test
# folder.  CTest runs every test case in its own process, so static services
# start fresh for each case; the fixtures also reset them for direct runs.
function(tw_test name)
  if(TW_FUZZ OR TW_THREAD_SANITIZER)
    return()
  endif()
  tw_gtest_executable(${name} ${ARGN})
endfunction()

# tw_thread_test(name SOURCES ... [LIBS ...]): the tests that run the
# client's threads, as an executable of their own in the ThreadSanitizer
# build only (the other builds run them in their folder's tw_test).
function(tw_thread_test name)
  if(NOT TW_THREAD_SANITIZER)
    return()
  endif()
  tw_gtest_executable(${name} ${ARGN})
  add_dependencies(thread_tests ${name})
endfunction()

function(tw_gtest_executable name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} tw_testsupport GTest::gtest GTest::gtest_main
                        Threads::Threads)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES TIMEOUT 300)
endfunction()

# tw_fuzzer(name MAX_LEN bytes SOURCES ... [LIBS ...]): a libFuzzer target.
# In the clang fuzz build it is a fuzzer, and MAX_LEN, the longest input its
# format can use, goes to <build>/tests/fuzz/<name>.max_len for ./test.sh;
# in every other build a replay program runs the saved inputs of
# tests/fuzz/corpus/<name> under CTest.
function(tw_fuzzer name)
  cmake_parse_arguments(F "" "MAX_LEN" "SOURCES;LIBS" ${ARGN})
  if(NOT F_MAX_LEN)
    message(FATAL_ERROR "tw_fuzzer(${name}): MAX_LEN is missing")
  endif()
  if(TW_FUZZ)
    add_executable(${name} ${F_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${F_LIBS} Threads::Threads)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    add_dependencies(fuzzers ${name})
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}.max_len "${F_MAX_LEN}\n")
  elseif(NOT TW_THREAD_SANITIZER)
    add_executable(${name} ${F_SOURCES} ${PROJECT_SOURCE_DIR}/tests/fuzz/FuzzReplay.cpp)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${F_LIBS} Threads::Threads)
    add_test(NAME fuzz_replay.${name}
             COMMAND ${name} ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${name})
    set_tests_properties(fuzz_replay.${name} PROPERTIES TIMEOUT 300)
  endif()
endfunction()

# tw_bench(name SOURCES ... [LIBS ...]): a Google Benchmark program; built
# with everything else, run on demand.
function(tw_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/bench)
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main
                        Threads::Threads)
endfunction()

# tw_subdirectories(dir ...): adds the folders that exist, so that a module
# lands by adding its own folder and nothing else.
function(tw_subdirectories)
  foreach(dir ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
