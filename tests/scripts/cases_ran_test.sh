#!/usr/bin/env bash
# The guards of the CI's named cases: cases_ran (tools/lib/cases_ran.sh) on
# a real gtest program's output (a filter naming a case that does not exist
# fails, as does an empty one or a name's prefix; cases that ran, passed or
# failed, pass); the one list of named and excluded cases
# (tools/lib/ci_cases.txt) against the tree, where a name matching nothing
# fails, an exclusion as much as an inclusion; and how test-all.sh counts a
# part from its result files alone (tools/lib/ctest_counts.sh), whatever
# its console showed.
# usage: cases_ran_test.sh <host gtest program with the cases HeldCommands.*>
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tools/lib/cases_ran.sh"
source "$here/../../tools/lib/ctest_counts.sh"
source "$here/../../tools/lib/ci_cases.sh"
out=$(mktemp) work=$(mktemp -d) status=0
real=$("$1" --gtest_list_tests | awk '/^HeldCommands\./ { s = $1 } /^  / && s { print s $1; exit }')
bogus=HeldCommands.NoSuchCase
"$1" --gtest_filter="$real:$bogus" >"$out" 2>&1 || { echo "FAIL: $real failed"; status=1; }
cases_ran "$out" "$real" || { echo "FAIL: '$real' ran but was not counted"; status=1; }
cases_ran "$out" "$real:$bogus" && { echo "FAIL: $bogus did not run, yet passed"; status=1; }
cases_ran "$out" "" && { echo "FAIL: an empty filter passed"; status=1; }
printf '[  FAILED  ] %s (3 ms)\n' "$bogus" >"$out"
cases_ran "$out" "$bogus" || { echo "FAIL: a failed case was not counted as run"; status=1; }
cases_ran "$out" "${bogus%Case}" && { echo "FAIL: a prefix of a name passed"; status=1; }

# The shared list matches the tree; one name more that matches nothing, of
# each kind and section, fails it.
ci_cases_check "$here/../.." || { echo "FAIL: the CI's case list does not match the tree"; status=1; }
real_list=$ci_cases_list
for extra in "wine10-exclude case $bogus" "wine10-exclude test no_such_test" \
  "guest case Scales/$bogus/0" "scales scale NoSuchPrefix/SplashAtScale.WindowIsACentredBorderlessPopupNeverSeenAt500"; do
  { cat "$real_list"; echo "$extra"; } >"$work/list"
  ci_cases_list=$work/list
  ci_cases_check "$here/../.." >/dev/null && { echo "FAIL: '$extra' matched the tree"; status=1; }
done
ci_cases_list=$real_list

# Counted from the result files: a guest part whose console file came late
# or never is counted from its counts; no counts is one failure; a part
# that failed with none of its tests failed is one failure.
expect() {
  local want=$1
  shift
  passed=0 failed=0 counts=() broken=() outer=$status status=0
  "$@"
  [ "$passed/$failed/$status" = "$want" ] || { echo "FAIL: $* counted $passed/$failed/$status"; outer=1; }
  status=$outer
}
mkdir -p "$work/guest" "$work/none"
echo "6 0" >"$work/guest/guest.counts"
expect 6/0/0 count_results guest "$work/guest" 0
expect 0/1/1 count_results guest "$work/none" 0
expect 6/1/1 count_results guest "$work/guest" 1
echo "3 1" >"$work/guest/wine10-144dpi.counts"
expect 9/1/1 count_results guest "$work/guest" 1
rm -rf "$out" "$work"
exit $status
