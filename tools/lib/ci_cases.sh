# shellcheck shell=bash
# Reads tools/lib/ci_cases.txt, the one list of the tests and cases that
# the CI parts name or leave out (CI_CASES_LIST names another, for tests).
ci_cases_list=${CI_CASES_LIST:-$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/ci_cases.txt}

# ci_names SECTION KIND: the names of one kind in one section, one a line.
ci_names() {
  awk -v s="$1" -v k="$2" '$1 == s && $2 == k { print $3 }' "$ci_cases_list"
}
# ci_tests_regex SECTION: its tests as a ctest regular expression.
ci_tests_regex() {
  local names
  names=$(ci_names "$1" test | paste -sd'|')
  echo "^(${names})\$"
}
# ci_filter SECTION: its cases as a gtest filter (Suite.Case:Suite.Case).
ci_filter() {
  ci_names "$1" case | paste -sd:
}
# scale_cases K...: the display-scale scenarios at the scales K (0: 96 DPI,
# 1: 144, 2: 192), as a gtest filter for cases_ran.
scale_cases() {
  local k name list=""
  for k in "$@"; do
    while read -r name; do list+=":$name/$k"; done < <(ci_names scales scale)
  done
  echo "${list#:}"
}

# ci_cases_check SOURCE_ROOT: whether every name in the list matches a test
# or a case of the tree at SOURCE_ROOT, an exclusion as much as an
# inclusion: a test registered by CMake (ombrel_test, ombrel_script_test or
# add_test), a case defined by TEST, TEST_F or TEST_P, and a parameterised
# case's prefix given by INSTANTIATE_TEST_SUITE_P. A renamed case would
# otherwise leave a filter or an exclusion that selects nothing, silently.
# Prints each name that matches nothing; fails on any, or on an empty list.
ci_cases_check() {
  local root=$1 kind name suite case prefix bad=0 total=0 tests cases
  tests=$(cat "$root"/tests/CMakeLists.txt "$root"/tests/*/CMakeLists.txt |
    sed -nE 's/.*(ombrel_test|ombrel_script_test)\(([A-Za-z0-9_]+).*/\2/p; s/.*add_test\(NAME ([A-Za-z0-9_]+).*/\1/p')
  # Each definition on one line as "Suite.Case" (TEST*) or "=Prefix/Suite" (INSTANTIATE).
  cases=$(cat "$root"/tests/*/*.cpp | tr '\n' ' ' |
    grep -oE '(TEST|TEST_F|TEST_P|INSTANTIATE_TEST_SUITE_P)\( *[A-Za-z0-9_]+, *[A-Za-z0-9_]+' |
    sed -E 's/^INSTANTIATE_TEST_SUITE_P\( *([A-Za-z0-9_]+), *([A-Za-z0-9_]+)/=\1\/\2/; s/^TEST[_FP]*\( *([A-Za-z0-9_]+), *([A-Za-z0-9_]+)/\1.\2/')
  while read -r _ kind name; do
    total=$((total + 1))
    case $kind in
      test) grep -qx -- "$name" <<<"$tests" || { echo "ci_cases: no such test: $name"; bad=$((bad + 1)); } ;;
      case | scale)
        [ "$kind" = scale ] && name+=/0
        if [[ ! $name =~ ^(([A-Za-z0-9_]+)/)?([A-Za-z0-9_]+)\.([A-Za-z0-9_]+)(/[0-9]+)?$ ]]; then
          echo "ci_cases: not a case name: $name"
          bad=$((bad + 1))
          continue
        fi
        prefix=${BASH_REMATCH[2]} suite=${BASH_REMATCH[3]} case=${BASH_REMATCH[4]}
        if ! grep -qx -- "$suite.$case" <<<"$cases" ||
          { [ -n "$prefix" ] && ! grep -qx -- "=$prefix/$suite" <<<"$cases"; }; then
          echo "ci_cases: no such case: $name"
          bad=$((bad + 1))
        fi
        ;;
      *) echo "ci_cases: unknown kind: $kind $name"; bad=$((bad + 1)) ;;
    esac
  done < <(grep -vE '^[[:space:]]*(#|$)' "$ci_cases_list")
  echo "ci_cases: $((total - bad)) of $total names in $ci_cases_list match the tree"
  [ "$total" -gt 0 ] && [ "$bad" -eq 0 ]
}
