# Test helpers. Host tests run natively; Windows tests run through Wine
# (CMAKE_CROSSCOMPILING_EMULATOR) inside the private bench that the
# "bench" fixture starts once per ctest run and stops at the end.

# This machine runs 64-bit Windows programs only: 32-bit builds are built and
# checked, but their programs are not run.
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(OMBREL_RUN_WINE_TESTS ON)
else()
  set(OMBREL_RUN_WINE_TESTS OFF)
endif()

set(OMBREL_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")

# ombrel_test(NAME SOURCES... [LIBS libs...] [TIMEOUT seconds] [NEEDS programs...]
#             [ENVIRONMENT VAR=value...])
# One GoogleTest executable, registered with CTest. On Windows it runs
# under Wine in the bench, one test at a time; NEEDS names the programs an
# end-to-end test starts (their folder is in OMBREL_BIN_DIR).
function(ombrel_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "LIBS;NEEDS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS}
                 ${PROJECT_SOURCE_DIR}/tests/support/gtest_main.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} ombrel_test_support ombrel_runtime gtest)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  if(WIN32 AND NOT OMBREL_RUN_WINE_TESTS)
    return()  # built to prove it compiles for this target; cannot run here
  endif()
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(WIN32)
    set_tests_properties(${name} PROPERTIES
      FIXTURES_REQUIRED bench
      RUN_SERIAL TRUE
      ENVIRONMENT "OMBREL_BIN_DIR=${CMAKE_BINARY_DIR}/bin;OMBREL_SOURCE_DIR=${PROJECT_SOURCE_DIR};${T_ENVIRONMENT}")
    if(T_NEEDS)
      add_dependencies(${name} ${T_NEEDS})
    endif()
  else()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${T_ENVIRONMENT}")
  endif()
endfunction()

# ombrel_script_test(NAME script args... [TIMEOUT seconds]): a shell test
# that drives programs from outside Wine (X11 tools); runs in the bench.
function(ombrel_script_test name script)
  if(NOT OMBREL_RUN_WINE_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "TIMEOUT" "NEEDS" ${ARGN})
  add_test(NAME ${name}
           COMMAND bash ${PROJECT_SOURCE_DIR}/tools/bench/with_bench.sh ${OMBREL_BENCH_DIR}
                   bash ${script} ${T_UNPARSED_ARGUMENTS})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} FIXTURES_REQUIRED bench
    RUN_SERIAL TRUE
    ENVIRONMENT "OMBREL_BIN_DIR=${CMAKE_BINARY_DIR}/bin;OMBREL_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

if(OMBREL_RUN_WINE_TESTS)
  add_test(NAME bench_start
           COMMAND bash ${PROJECT_SOURCE_DIR}/tools/bench/start.sh ${OMBREL_BENCH_DIR})
  add_test(NAME bench_stop
           COMMAND bash ${PROJECT_SOURCE_DIR}/tools/bench/stop.sh ${OMBREL_BENCH_DIR})
  set_tests_properties(bench_start PROPERTIES FIXTURES_SETUP bench TIMEOUT 180)
  set_tests_properties(bench_stop PROPERTIES FIXTURES_CLEANUP bench TIMEOUT 60)
endif()
