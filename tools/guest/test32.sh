#!/usr/bin/env bash
# Runs the 32-bit build's Wine tests under the 32-bit Wine in the test guest
# (a Debian virtual machine on qemu, made once by build-image.sh), each on
# the guest's own Xvfb and icewm bench, and brings back their output and
# exit codes. Builds the win32 preset first.
# usage: test32.sh [--ci] [ctest arguments...]
#   with no arguments, every test labelled "wine" in build/win32;
#   --ci, the part CI runs: each program end to end once (see below).
# Prints ctest's output and its "N% tests passed, N tests failed out of N"
# line; the exit code is ctest's, or 1 when the guest did not finish, when
# ctest's arguments select no test, or (--ci) when a case it names did not
# run. The guest is ended after OMBREL_GUEST_TIMEOUT seconds (default 7200;
# 1800 with --ci) in every case.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=../lib/cases_ran.sh
source "$root/tools/lib/cases_ran.sh"
build=$root/build/win32
ci=0
if [ "${1:-}" = --ci ]; then
  ci=1
  shift
fi
# The CI part: the splash (picture, text, exit code), Lapwick (runs,
# counts, chimes) and About (pages, sounds, single instance), each started
# end to end (from a folder with DLLs planted beside it, which must never
# load): the end-to-end programs, with only these of their cases. (The
# 32-bit release package is checked on the host: its test builds the tree
# again with the cross compilers, which the guest does not have.) Each
# case named here must have run: a name that matches no case (renamed, or
# its program not run) fails the part.
ci_tests='^(splash_e2e_test|lapwick_e2e_test|about_e2e_test)$'
ci_cases=Scales/SplashAtScale.ShowsThePictureWithItsTailAsTextAlongTheBottom/0
ci_cases+=:LapwickCommands.EachStateChangeChimesOnceAndTheTitleFollows
ci_cases+=:LapwickCommands.TheRealTimerCountsSecondsOnlyWhileRunning
ci_cases+=:AboutWindowE2E.VersionThenCreditsThenVersionShowExactlyTheirOwnPixels
ci_cases+=:AboutSoundsE2E.CreditsTwiceInQuickSuccessionGiveNineClicksAndAClosingSoundEach
ci_cases+=:AboutLifecycleE2E.SecondStartBringsTheWindowForwardAndEndsWithoutAWindow
timeout=${OMBREL_GUEST_TIMEOUT:-$((ci ? 1800 : 7200))}

started=$(date +%s)
say() { echo "[test32 $(($(date +%s) - started))s] $*"; }

say "guest image"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo  # debootstrap and chroot need root
image=$($sudo bash "$here/build-image.sh" | tail -n 1) || { say "no guest image"; exit 1; }
[ -f "$image/ready" ] || { say "no guest image"; exit 1; }
say "build win32"
if ! (cd "$root" && cmake --preset win32 >/dev/null && cmake --build build/win32 -j2 >/dev/null); then
  say "the win32 build failed"
  exit 1
fi

job=$(mktemp -d /tmp/ombrel-test32.XXXXXX)
trap 'rm -rf "$job"' EXIT
args=(-L wine --output-on-failure --no-tests=error "$@")
[ "$ci" = 1 ] && args+=(-R "$ci_tests")
{
  echo "export OMBREL_BENCH_TEMPLATE=/opt/ombrel/bench"
  # The tests' waits for windows and exits, ten times as long as natively.
  echo "export OMBREL_WAIT_SCALE=${OMBREL_WAIT_SCALE:-10}"
  [ "$ci" = 1 ] && echo "export GTEST_FILTER=$ci_cases"
  printf 'cd %q\n' "$root"
  printf 'ctest --test-dir %q' "$build"
  printf ' %q' "${args[@]}"
  echo
  echo 'status=$?'
  printf 'cp %q /job/ 2>/dev/null\n' "$build/Testing/Temporary/LastTest.log"
  echo 'exit $status'
} >"$job/job.sh"

say "boot the guest (at most ${timeout}s)"
OMBREL_GUEST_TIMEOUT=$timeout bash "$here/boot-guest.sh" "$image" "$job" snapshot "$root" \
  >"$job/console.log" 2>&1 &
guest=$!
# The guest's console, as it comes.
tail -n +1 -f "$job/console.log" --pid "$guest" 2>/dev/null | sed -u 's/\r$//'
wait "$guest"
guest_status=$?
mkdir -p "$build/Testing/Temporary"
[ -f "$job/LastTest.log" ] && cp "$job/LastTest.log" "$build/Testing/Temporary/LastTest32.log"
if [ ! -f "$job/rc" ]; then
  say "the guest did not finish its job (qemu ended with $guest_status)"
  exit 1
fi
status=$(cat "$job/rc")
say "guest done, ctest ended with $status"
if [ "$ci" = 1 ] && ! cases_ran "$build/Testing/Temporary/LastTest32.log" "$ci_cases"; then
  say "a case the CI part names did not run"
  [ "$status" -ne 0 ] || status=1
fi
exit "$status"
