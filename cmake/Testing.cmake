# Test helpers. Host tests run natively; Windows tests run through Wine
# (CMAKE_CROSSCOMPILING_EMULATOR) inside the private bench that the
# "bench" fixture starts once per ctest run and stops at the end.

# Every Windows build registers its Wine tests, labelled "wine". The 64-bit
# ones run here; this machine cannot run 32-bit code, so the win32 test
# preset leaves them out and tools/guest/test32.sh runs them under the
# 32-bit Wine in a virtual machine, where everything takes about ten times
# as long: their time limits are scaled by OMBREL_TIMEOUT_SCALE.
if(WIN32)
  set(OMBREL_RUN_WINE_TESTS ON)
  math(EXPR OMBREL_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
else()
  set(OMBREL_RUN_WINE_TESTS OFF)
endif()
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(OMBREL_TIMEOUT_SCALE 10 CACHE STRING "Time limits of the Wine tests, times this")
else()
  set(OMBREL_TIMEOUT_SCALE 1 CACHE STRING "Time limits of the Wine tests, times this")
endif()

# ombrel_wine_test_properties(NAME TIMEOUT): what every test under Wine in
# the bench shares. Call it after setting the test's ENVIRONMENT: it adds
# the test's name, by which tools/bench/with_bench.sh writes down a test
# that ran on a broken bench.
function(ombrel_wine_test_properties name timeout)
  math(EXPR scaled "${timeout} * ${OMBREL_TIMEOUT_SCALE}")
  set_tests_properties(${name} PROPERTIES TIMEOUT ${scaled} FIXTURES_REQUIRED bench RUN_SERIAL TRUE
    LABELS wine)
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "OMBREL_TEST_NAME=${name}")
endfunction()

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
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  if(WIN32)
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "OMBREL_BIN_DIR=${CMAKE_BINARY_DIR}/bin;OMBREL_SOURCE_DIR=${PROJECT_SOURCE_DIR};${T_ENVIRONMENT}")
    ombrel_wine_test_properties(${name} ${T_TIMEOUT})
    if(T_NEEDS)
      add_dependencies(${name} ${T_NEEDS})
    endif()
  else()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${T_ENVIRONMENT}")
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
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "OMBREL_BIN_DIR=${CMAKE_BINARY_DIR}/bin;OMBREL_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  ombrel_wine_test_properties(${name} ${T_TIMEOUT})
endfunction()

if(OMBREL_RUN_WINE_TESTS)
  add_test(NAME bench_start
           COMMAND bash ${PROJECT_SOURCE_DIR}/tools/bench/start.sh ${OMBREL_BENCH_DIR}
                   win${OMBREL_BITS})
  add_test(NAME bench_stop
           COMMAND bash ${PROJECT_SOURCE_DIR}/tools/bench/stop.sh ${OMBREL_BENCH_DIR})
  math(EXPR start_timeout "180 * ${OMBREL_TIMEOUT_SCALE}")
  math(EXPR stop_timeout "60 * ${OMBREL_TIMEOUT_SCALE}")
  set_tests_properties(bench_start PROPERTIES FIXTURES_SETUP bench TIMEOUT ${start_timeout}
                       LABELS wine)
  set_tests_properties(bench_stop PROPERTIES FIXTURES_CLEANUP bench TIMEOUT ${stop_timeout}
                       LABELS wine)
endif()
