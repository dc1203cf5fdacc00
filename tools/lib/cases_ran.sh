# shellcheck shell=bash
# cases_ran LOG CASES: whether every test case named in CASES (a gtest
# filter of exact names, Suite.Case:Suite.Case..., a parameterised case as
# Prefix/Suite.Case/N) ran, by the result line
# that gtest prints for each case it ran ("[       OK ] Suite.Case" or
# "[  FAILED  ] Suite.Case") in LOG (gtest's output, or a ctest log that
# holds it). A filter selects cases silently: a renamed case, or a program
# that did not run, would leave its names unchecked. Prints how many ran and
# each one that did not; fails when any did not, or when no name is given.
cases_ran() {
  local log=$1 names=$2 name missing=0 total=0
  [ -r "$log" ] || { echo "cases_ran: no test output at $log" >&2; return 1; }
  local IFS=:
  for name in $names; do
    [ -n "$name" ] || continue
    total=$((total + 1))
    if [[ ! $name =~ ^([A-Za-z0-9_]+/)?[A-Za-z0-9_]+\.[A-Za-z0-9_]+(/[0-9]+)?$ ]]; then
      echo "cases_ran: not a case name: $name" >&2
      missing=$((missing + 1))
    elif ! grep -Eq "^\[ +(OK|FAILED) +\] ${name//./\\.}( |\$)" "$log"; then
      echo "cases_ran: did not run: $name" >&2
      missing=$((missing + 1))
    fi
  done
  echo "cases_ran: $((total - missing)) of $total named cases ran"
  [ "$total" -gt 0 ] && [ "$missing" -eq 0 ]
}
