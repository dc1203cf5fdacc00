#!/usr/bin/env bash
# The guard of filtered runs (tools/lib/cases_ran.sh) on a real gtest
# program's output: a filter naming a case that does not exist fails, as
# does an empty one or a name's prefix; cases that ran, passed or failed, pass.
# Then how the CI's closing line counts a run whose failures were taken again
# on a fresh bench (tools/lib/ctest_counts.sh).
# usage: cases_ran_test.sh <host gtest program with the cases HeldCommands.*>
source "$(dirname "$0")/../../tools/lib/cases_ran.sh"
source "$(dirname "$0")/../../tools/lib/ctest_counts.sh"
out=$(mktemp) status=0
real=$("$1" --gtest_list_tests | awk '/^HeldCommands\./ { s = $1 } /^  / && s { print s $1; exit }')
bogus=HeldCommands.NoSuchCase
"$1" --gtest_filter="$real:$bogus" >"$out" 2>&1 || { echo "FAIL: $real failed"; status=1; }
cases_ran "$out" "$real" || { echo "FAIL: '$real' ran but was not counted"; status=1; }
cases_ran "$out" "$real:$bogus" && { echo "FAIL: $bogus did not run, yet passed"; status=1; }
cases_ran "$out" "" && { echo "FAIL: an empty filter passed"; status=1; }
printf '[  FAILED  ] %s (3 ms)\n' "$bogus" >"$out"
cases_ran "$out" "$bogus" || { echo "FAIL: a failed case was not counted as run"; status=1; }
cases_ran "$out" "${bogus%Case}" && { echo "FAIL: a prefix of a name passed"; status=1; }
summary() { echo "$1% tests passed, $2 tests failed out of $3"; }
{ summary 93 2 32; summary 100 0 4; echo "passed on a fresh bench: 2"; } >"$out"
passed=0 failed=0 counts=() outer=$status status=0
count run "$out"
[ "$passed/$failed/$status" = 34/0/0 ] || { echo "FAIL: retried, counted $passed/$failed"; outer=1; }
{ summary 93 2 32; summary 50 1 4; } >"$out"
passed=0 failed=0 status=0
count run "$out"
[ "$passed/$failed/$status" = 33/3/1 ] || { echo "FAIL: failed again, counted $passed/$failed"; outer=1; }
status=$outer
rm -f "$out"
exit $status
