#!/usr/bin/env bash
# Runs the 32-bit build's Wine tests under the 32-bit Wine in the test guest
# (a Debian virtual machine on qemu, made once by make_image.sh), each on
# the guest's own Xvfb and icewm bench, and brings back their output and
# exit codes. Builds the win32 preset first.
# usage: test32.sh [--ci] [ctest arguments...]
#   with no arguments, every test labelled "wine" in build/win32;
#   --ci, the part CI runs: each program end to end once (see below).
# ctest runs in the guest through tools/bench/checked_ctest.sh (its bench
# checked after every test), whose result files come back over the job
# folder into build/win32/Testing/guest (run "guest": guest.counts,
# guest.failed, guest.log, faults, broken). Prints the guest's console as it
# comes, for the eye only: nothing is counted from it. The exit code is the
# runner's, or 1 when the guest did not finish, when ctest's arguments
# select no test, or (--ci) when a case it names did not run. The guest is
# ended after OMBREL_GUEST_TIMEOUT seconds (default 7200; 1800 with --ci)
# in every case.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=../lib/cases_ran.sh
source "$root/tools/lib/cases_ran.sh"
# shellcheck source=../lib/ci_cases.sh
source "$root/tools/lib/ci_cases.sh"
build=$root/build/win32
ci=0
if [ "${1:-}" = --ci ]; then
  ci=1
  shift
fi
# The CI part: each program end to end, with only the cases that
# tools/lib/ci_cases.txt names for the guest (the 32-bit release package is
# checked on the host: its test builds the tree again with the cross
# compilers, which the guest does not have). Each case named there must
# have run: a name that matches no case fails the part.
ci_tests=$(ci_tests_regex guest)
ci_cases=$(ci_filter guest)
timeout=${OMBREL_GUEST_TIMEOUT:-$((ci ? 1800 : 7200))}

started=$(date +%s)
say() { echo "[test32 $(($(date +%s) - started))s] $*"; }

say "guest image"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo  # debootstrap and chroot need root
image=$($sudo bash "$here/make_image.sh" | tail -n 1) || { say "no guest image"; exit 1; }
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
  printf 'bash %q %q /job/results guest' "$root/tools/bench/checked_ctest.sh" "$build"
  printf ' %q' "${args[@]}"
  echo
} >"$job/job.sh"
results=$build/Testing/guest
rm -rf "$results"

say "boot the guest (at most ${timeout}s)"
# The console file is there before tail looks for it.
: >"$job/console.log"
OMBREL_GUEST_TIMEOUT=$timeout bash "$here/boot_guest.sh" "$image" "$job" snapshot "$root" \
  >>"$job/console.log" 2>&1 &
guest=$!
tail -n +1 -f "$job/console.log" --pid "$guest" | sed -u 's/\r$//'
wait "$guest"
guest_status=$?
mkdir -p "$(dirname "$results")"
[ -d "$job/results" ] && cp -r "$job/results" "$results"
if [ ! -f "$job/rc" ]; then
  say "the guest did not finish its job (qemu ended with $guest_status)"
  exit 1
fi
status=$(cat "$job/rc")
say "guest done, its checked ctest run ended with $status"
if [ "$ci" = 1 ] && ! cases_ran "$results/guest.log" "$ci_cases"; then
  say "a case the CI part names did not run"
  [ "$status" -ne 0 ] || status=1
fi
exit "$status"
