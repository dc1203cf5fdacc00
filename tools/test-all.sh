#!/usr/bin/env bash
# Builds everything and runs the whole test suite headless: the host build
# (window-free logic under ASan and UBSan), the fuzz build (each libFuzzer
# target over the runtime's text handling for about 20 seconds), the 32-bit
# Windows build (built, linked and checked here; this machine cannot run
# 32-bit code) and the 64-bit Windows build, whose tests run under Wine 8 on
# a private Xvfb and again under Wine 10 in a Debian 13 root
# (tools/wine10/run.sh); then a part of the 32-bit Wine tests (each program
# end to end once) in the 32-bit guest (tools/guest/test32.sh --ci).
#
# Stages, so that nothing waits that need not:
#   1. the guest image and the Wine 10 root are made in the background
#      (each once per machine, cached by the hash of its scripts; the guest
#      image at the lowest priority), while
#   2. the win64 preset builds;
#   3. the win64 tests run under Wine 8 and under Wine 10 side by side, each
#      on its own bench, with the host, fuzz and win32 presets built and
#      tested beside them at the lowest priority (they take only the
#      processor time that the Wine tests leave);
#   4. the guest part runs once the image is there and the machine is quiet.
# Prints each stage's time and the counts of each part, then the non-blank
# lines of product, tools and tests, and as its last line "N passed, N
# failed". A part whose summary is missing counts as one failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=lib/cases_ran.sh
source "$root/tools/lib/cases_ran.sh"
# shellcheck source=lib/ctest_counts.sh
source "$root/tools/lib/ctest_counts.sh"
begun=$(date +%s)
bash "$root/tools/deps.sh" || exit 1
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo  # debootstrap, chroot and mounts need root
passed=0 failed=0 status=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
counts=() times=()
stage_begun=$begun
# Ends a stage: its time, kept for the summary.
stage_done() {
  local now
  now=$(date +%s)
  times+=("$(printf '%-44s %5d s (at %d s)' "$1" $((now - stage_begun)) $((now - begun)))")
  echo "--- $1: $((now - stage_begun)) s"
  stage_begun=$now
}
# Runs a command in the background, its output in $work/NAME.log, its exit
# code in $work/NAME.rc and its time in $work/NAME.time.
background() {
  local name=$1
  shift
  (
    start=$(date +%s)
    "$@" >"$work/$name.log" 2>&1
    rc=$?
    echo $(($(date +%s) - start)) >"$work/$name.time"
    echo "$rc" >"$work/$name.rc"
  ) &
}
# Waits for a background command; prints its output under a heading.
finish() {
  local name=$1 heading=$2
  while [ ! -f "$work/$name.rc" ]; do sleep 1; done
  echo "=== $heading ($(cat "$work/$name.time") s) ==="
  cat "$work/$name.log"
  [ "$(cat "$work/$name.rc")" = 0 ] || status=1
}

stage_done "what the machine needs (tools/deps.sh)"
echo "=== stage 1: guest image and Wine 10 root, in the background ==="
background guest_image nice -n 19 $sudo bash "$root/tools/guest/build-image.sh"
background wine10_root $sudo bash "$root/tools/wine10/build-root.sh"

echo "=== stage 2: win64 build ==="
# build PRESET: configures and builds one preset (its output in
# $work/build-PRESET.log); counts a failed build as one failure.
build() {
  local start
  start=$(date +%s)
  if cmake --preset "$1" -S "$root" >"$work/build-$1.log" 2>&1 &&
    cmake --build "$root/build/$1" -j2 >>"$work/build-$1.log" 2>&1; then
    echo "build $1: $(($(date +%s) - start)) s"
  else
    tail -n 60 "$work/build-$1.log"
    echo "build $1 FAILED"
    return 1
  fi
}
win64_built=0
build win64 && win64_built=1
stage_done "win64 build"

echo "=== stage 3: win64 under Wine 8 and Wine 10; host, fuzz and win32 beside ==="
if [ "$win64_built" = 1 ]; then
  background wine10 $sudo bash "$root/tools/wine10/run.sh"
  # The Wine 10 run copies the tree before the Wine 8 run writes in it.
  while [ ! -f "$work/wine10.rc" ] && ! grep -q 'win64 tree copied' "$work/wine10.log" 2>/dev/null; do
    sleep 0.2
  done
fi
# The other presets, built and tested at the lowest priority: they take
# only the processor time that the Wine tests leave.
(
  renice -n 19 "$BASHPID" >/dev/null
  for preset in host fuzz win32; do
    if build "$preset" >"$work/$preset.log" 2>&1; then
      (cd "$root" && ctest --preset "$preset" --no-tests=error) >>"$work/$preset.log" 2>&1
      echo "$preset $?" >>"$work/others.rc"
    else
      echo "$preset build" >>"$work/others.rc"
    fi
  done
  touch "$work/others.done"
) &
if [ "$win64_built" = 1 ]; then
  echo "=== win64 under Wine 8 ==="
  (cd "$root" && ctest --preset win64 --no-tests=error) 2>&1 | tee "$work/win64.log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  count "win64 under Wine 8" "$work/win64.log"
  # Wine 8 gives every scale in one session: none of them may be skipped.
  if ! cases_ran "$root/build/win64/Testing/Temporary/LastTest.log" "$(scale_cases 0 1 2)"; then
    failed=$((failed + 1)) status=1
    counts+=("$(printf '%-28s display-scale cases skipped: counted as 1 failed' "win64 under Wine 8")")
  fi
  finish wine10 "win64 under Wine 10"
  # The run must have been Wine 10's: its version line, then its summary.
  if grep -q '^Wine under test: wine-10\.' "$work/wine10.log"; then
    count "win64 under Wine 10" "$work/wine10.log"
  else
    failed=$((failed + 1)) status=1
    counts+=("$(printf '%-28s not run under Wine 10: counted as 1 failed' "win64 under Wine 10")")
  fi
else
  failed=$((failed + 1)) status=1
  counts+=("$(printf '%-28s build failed: counted as 1 failed' "win64")")
fi
stage_done "Wine 8 and Wine 10 runs"
while [ ! -f "$work/others.done" ]; do sleep 1; done
for preset in host fuzz win32; do
  echo "=== $preset ==="
  cat "$work/$preset.log"
  if grep -q "^$preset build\$" "$work/others.rc"; then
    failed=$((failed + 1)) status=1
    counts+=("$(printf '%-28s build failed: counted as 1 failed' "$preset")")
    continue
  fi
  grep -q "^$preset 0\$" "$work/others.rc" || status=1
  count "$preset" "$work/$preset.log"
done
stage_done "host, fuzz and win32 (beside, waited for)"

echo "=== stage 4: win32 in the 32-bit guest ==="
finish guest_image "guest image"
finish wine10_root "Wine 10 root"
bash "$root/tools/guest/test32.sh" --ci 2>&1 | tee "$work/guest.log"
guest_status=${PIPESTATUS[0]}
failed_before=$failed
count "win32 in the 32-bit guest" "$work/guest.log"
# A failure that ctest's summary does not count (a named case that did not
# run, a guest that did not finish) is one more.
if [ "$guest_status" -ne 0 ]; then
  status=1
  [ "$failed" -gt "$failed_before" ] || failed=$((failed + 1))
fi
stage_done "guest part"

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
echo "=== stage times ==="
printf '%s\n' "${times[@]}"
echo "guest image (background): $(cat "$work/guest_image.time") s;" \
  "Wine 10 root (background): $(cat "$work/wine10_root.time") s"
echo "total: $(($(date +%s) - begun)) s"
echo "=== counts ==="
printf '%s\n' "${counts[@]}"
echo "non-blank lines: product $product, tools $tools, tests $tests" \
  "(tests $((100 * tests / (product + tools + tests)))% of the three)"
echo "$passed passed, $failed failed"
exit $status
