#!/usr/bin/env bash
# The guard of filtered runs (tools/lib/cases_ran.sh) on a real gtest
# program's output: a filter naming a case that does not exist fails, as
# does an empty one or a name's prefix; cases that ran, passed or failed, pass.
# usage: cases_ran_test.sh <host gtest program with the cases HeldCommands.*>
source "$(dirname "$0")/../../tools/lib/cases_ran.sh"
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
rm -f "$out"
exit $status
