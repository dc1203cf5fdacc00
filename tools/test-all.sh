#!/usr/bin/env bash
# Builds everything and runs the whole test suite headless: the host build
# (window-free logic under ASan and UBSan), the fuzz build (each libFuzzer
# target over the runtime's text handling for about 20 seconds), the 32-bit
# Windows build (built, linked and checked here; this machine cannot run
# 32-bit code) and the 64-bit Windows build, whose tests run under Wine on a
# private Xvfb; then a part of the 32-bit Wine tests (each program end to
# end once) in the 32-bit guest (tools/guest/test32.sh --ci). Ends with the
# non-blank lines of product, tools and tests, then, as its last line,
# "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/deps.sh" || exit 1
passed=0 failed=0 status=0
log=$(mktemp)
# Adds the counts of ctest's summary line in $log (none: one failure).
count() {
  local summary total bad
  summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n1)
  if [ -z "$summary" ]; then
    failed=$((failed + 1)) status=1
  else
    total=$(echo "$summary" | sed -E 's/.* out of ([0-9]+).*/\1/')
    bad=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests failed.*/\1/')
    passed=$((passed + total - bad)) failed=$((failed + bad))
  fi
}
for preset in host fuzz win32 win64; do
  echo "=== $preset ==="
  if ! cmake --preset "$preset" -S "$root" >"$log" 2>&1 || ! cmake --build "$root/build/$preset" -j2 >>"$log" 2>&1; then
    tail -n 60 "$log"
    echo "build $preset FAILED"
    failed=$((failed + 1)) status=1
    continue
  fi
  (cd "$root" && ctest --preset "$preset" --no-tests=error) 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  count
done
echo "=== win32 in the 32-bit guest ==="
bash "$root/tools/guest/test32.sh" --ci 2>&1 | tee "$log"
guest_status=${PIPESTATUS[0]}
failed_before=$failed
count
# A failure that ctest's summary does not count (a named case that did not
# run, a guest that did not finish) is one more.
if [ "$guest_status" -ne 0 ]; then
  status=1
  [ "$failed" -gt "$failed_before" ] || failed=$((failed + 1))
fi
rm -f "$log"

# Non-blank lines of code (sources, scripts and build files) in each part of
# the tree, so that the tests' share is in view at every run.
code_lines() {
  (cd "$root" && { git ls-files -- "$@" 2>/dev/null || find "$@" -type f; }) |
    grep -E '\.(cpp|h|rc|rc2|sh|py|cmake)$|CMakeLists\.txt$' | grep -v '/corpus/' |
    (cd "$root" && xargs cat) | grep -c '[^[:space:]]'
}
product=$(code_lines runtime stopwatch about splash resources)
tools=$(code_lines tools)
tests=$(code_lines tests)
echo "non-blank lines: product $product, tools $tools, tests $tests" \
  "(tests $((100 * tests / (product + tools + tests)))% of the three)"
echo "$passed passed, $failed failed"
exit $status
