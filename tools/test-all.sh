#!/usr/bin/env bash
# Builds everything and runs the whole test suite headless: the host build
# (window-free logic under ASan and UBSan), the fuzz build (each libFuzzer
# target over the runtime's text handling for about 20 seconds), the 32-bit
# Windows build (built, linked and checked here; this machine cannot run
# 32-bit code) and the 64-bit Windows build, whose tests run under Wine 8 on
# a private Xvfb and again under Wine 10 in a Debian 13 root
# (tools/wine10/test_wine10.sh); then a part of the 32-bit Wine tests (each
# program end to end once) in the 32-bit guest (tools/guest/test32.sh --ci).
# The Wine runs go through tools/bench/checked_ctest.sh: the bench is
# checked after every test, and only the tests that ran on a bench shown to
# be broken are taken again, on a fresh one (see there).
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
# failed" (followed by the tests that ran on a broken bench, if any). Each
# part is counted from its own result files (ctest's JUnit file, or the
# files checked_ctest.sh leaves), never from its output; a part that left
# none counts as one failure. Every wait is bounded (OMBREL_STAGE_TIMEOUT
# seconds, default 3600, for each background job).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=lib/cases_ran.sh
source "$root/tools/lib/cases_ran.sh"
# shellcheck source=lib/ctest_counts.sh
source "$root/tools/lib/ctest_counts.sh"
# shellcheck source=lib/ci_cases.sh
source "$root/tools/lib/ci_cases.sh"
begun=$(date +%s)
bash "$root/tools/deps.sh" || exit 1
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo  # debootstrap, chroot and mounts need root
passed=0 failed=0 status=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
counts=() times=() broken=()
limit=${OMBREL_STAGE_TIMEOUT:-3600}
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
# wait_for FILE...: waits, at most $limit seconds, until one of FILEs is there.
wait_for() {
  local end=$(($(date +%s) + limit)) file
  while [ "$(date +%s)" -lt "$end" ]; do
    for file in "$@"; do [ -e "$file" ] && return 0; done
    sleep 1
  done
  echo "waited ${limit}s in vain for $*"
  return 1
}
# Waits for a background command; prints its output under a heading. A
# command that does not end in time counts as failed (exit code 124).
finish() {
  local name=$1 heading=$2
  wait_for "$work/$name.rc" || { echo 124 >"$work/$name.rc"; echo "$limit" >"$work/$name.time"; }
  echo "=== $heading ($(cat "$work/$name.time") s) ==="
  cat "$work/$name.log"
  [ "$(cat "$work/$name.rc")" = 0 ] || status=1
}

stage_done "what the machine needs (tools/deps.sh)"
echo "=== stage 1: guest image and Wine 10 root, in the background ==="
background guest_image nice -n 19 $sudo bash "$root/tools/guest/make_image.sh"
background wine10_root $sudo bash "$root/tools/wine10/make_root.sh"

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
  background wine10 $sudo bash "$root/tools/wine10/test_wine10.sh" --mark-copied "$work/wine10.copied"
  # The Wine 10 run copies the tree before the Wine 8 run writes in it.
  wait_for "$work/wine10.copied" "$work/wine10.rc"
fi
# The other presets, built and tested at the lowest priority: they take
# only the processor time that the Wine tests leave.
(
  renice -n 19 "$BASHPID" >/dev/null
  for preset in host fuzz win32; do
    if build "$preset" >"$work/$preset.log" 2>&1; then
      (cd "$root" && ctest --preset "$preset" --no-tests=error --output-junit "$work/$preset.xml") \
        >>"$work/$preset.log" 2>&1
      echo "$preset $?" >>"$work/others.rc"
    else
      echo "$preset build" >>"$work/others.rc"
    fi
  done
  touch "$work/others.done"
) &
if [ "$win64_built" = 1 ]; then
  echo "=== win64 under Wine 8 ==="
  wine8=$root/build/win64/Testing/results
  rm -rf "$wine8"
  bash "$root/tools/bench/checked_ctest.sh" "$root/build/win64" "$wine8" wine8 \
    --output-on-failure --no-tests=error
  wine8_status=$?
  # Wine 8 gives every scale in one session, and runs what the Wine 10 run
  # leaves out: each of them must have run.
  if ! cases_ran "$wine8/wine8.log" "$(scale_cases 0 1 2):$(ci_filter wine10-exclude)"; then
    wine8_status=1
  fi
  for name in $(ci_names wine10-exclude test); do
    grep -qE "<testcase name=\"$name\"[^>]* status=\"(run|fail)\"" "$wine8"/wine8.round-*.xml ||
      { echo "not run under Wine 8: $name"; wine8_status=1; }
  done
  count_results "win64 under Wine 8" "$wine8" "$wine8_status"
  finish wine10 "win64 under Wine 10"
  # The run must have been Wine 10's.
  if grep -q '^wine-10\.' "$root/build/wine10/Testing/wine_version" 2>/dev/null; then
    count_results "win64 under Wine 10" "$root/build/wine10/Testing/results" "$(cat "$work/wine10.rc")"
  else
    failed=$((failed + 1)) status=1
    counts+=("$(printf '%-28s not run under Wine 10: counted as 1 failed' "win64 under Wine 10")")
  fi
else
  failed=$((failed + 1)) status=1
  counts+=("$(printf '%-28s build failed: counted as 1 failed' "win64")")
fi
stage_done "Wine 8 and Wine 10 runs"
wait_for "$work/others.done"
for preset in host fuzz win32; do
  echo "=== $preset ==="
  cat "$work/$preset.log"
  if grep -q "^$preset build\$" "$work/others.rc"; then
    failed=$((failed + 1)) status=1
    counts+=("$(printf '%-28s build failed: counted as 1 failed' "$preset")")
    continue
  fi
  preset_status=$(sed -n "s/^$preset //p" "$work/others.rc" 2>/dev/null)
  count_junit "$preset" "$work/$preset.xml" "${preset_status:-1}"
done
stage_done "host, fuzz and win32 (beside, waited for)"

echo "=== stage 4: win32 in the 32-bit guest ==="
finish guest_image "guest image"
finish wine10_root "Wine 10 root"
rm -rf "$root/build/win32/Testing/guest"
bash "$root/tools/guest/test32.sh" --ci
count_results "win32 in the 32-bit guest" "$root/build/win32/Testing/guest" $?
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
if [ "${#broken[@]}" -gt 0 ]; then
  echo "$passed passed, $failed failed; ran on a broken bench: $(IFS=';' && echo "${broken[*]}")"
else
  echo "$passed passed, $failed failed"
fi
exit $status
