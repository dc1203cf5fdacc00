#!/usr/bin/env bash
# Runs the win64 build's Wine tests under Wine 10, in the Debian 13 root
# that make_root.sh makes (once), on a bench of their own: the same
# programs and test programs as the Wine 8 run on this machine, in the same
# folders. Build the win64 preset first.
# usage: test_wine10.sh [--all] [--mark-copied FILE] [ctest arguments...]
#   without --all, every test labelled "wine" but those that
#   tools/lib/ci_cases.txt leaves out of the Wine 10 run (run under Wine 8
#   only). Then, without ctest arguments, the display-scale scenarios again
#   on a bench at 144 DPI and on one at 192 (see below).
#   --mark-copied FILE: creates FILE once the build is copied (see below).
# Each run goes through tools/bench/checked_ctest.sh (its bench checked
# after every test) and leaves its results in build/wine10/Testing/results
# (runs wine10, wine10-144dpi, wine10-192dpi); the version of the Wine that
# ran them is in build/wine10/Testing/wine_version. The exit code is 1 when
# any run failed, a bench fault came back or a case it must run did not.
# Needs root (chroot, mounts). The whole run is ended after
# OMBREL_WINE10_TIMEOUT seconds (default 3000).
#
# The root sees the clone at its own path, read-only, and in place of
# build/win64 a copy of it in build/wine10, so this run's bench, logs and
# Testing folder never meet those of a Wine 8 run of the same tree, which
# may start once the copy is made. The host's /tmp is the root's too, so
# the X servers of both runs pick displays that are free on the machine.
# All mounts live in a mount namespace of each run, and end with it.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
clone=$(cd "$here/../.." && pwd)
build=$clone/build/win64
copy=$clone/build/wine10
# shellcheck source=../lib/cases_ran.sh
source "$here/../lib/cases_ran.sh"
# shellcheck source=../lib/ci_cases.sh
source "$here/../lib/ci_cases.sh"
all=0 copied=""
while [ $# -gt 0 ]; do
  case $1 in
    --all) all=1 ;;
    --mark-copied) copied=$2; shift ;;
    *) break ;;
  esac
  shift
done
started=$(date +%s)
deadline=$((started + ${OMBREL_WINE10_TIMEOUT:-3000}))
say() { echo "[wine10 $(($(date +%s) - started))s] $*"; }

[ -f "$build/CTestTestfile.cmake" ] || { say "no win64 build in $build"; exit 1; }
# The copy first: from here on a Wine 8 run may start writing in the tree.
rm -rf --one-file-system "$copy"
mkdir -p "$copy"
tar -C "$build" --exclude=./bench --exclude=./Testing -cf - . | tar -C "$copy" -xf - ||
  { say "copying $build failed"; exit 1; }
[ -z "$copied" ] || touch "$copied"
root=$(bash "$here/make_root.sh" | tail -n 1) && [ -x "$root/usr/lib/wine/wine64" ] ||
  { say "no Wine 10 root"; exit 1; }
say "root $root"
mkdir -p "$copy/Testing"

args=(-L wine --output-on-failure)
filter=${GTEST_FILTER:-}
if [ "$all" = 0 ]; then
  args+=(-E "$(ci_tests_regex wine10-exclude)")
  filter=${filter:-*}-$(ci_filter wine10-exclude)
fi
extra=$#
args+=("$@")
if [ -n "$filter" ]; then export GTEST_FILTER=$filter; fi
results=$copy/Testing/results
rm -rf "$results"
# in_root RUN ctest-arguments...: one checked ctest run in the root, on a
# bench at OMBREL_BENCH_LOGPIXELS DPI when set (else the bench's own 96),
# within what is left of the run's time.
in_root() {
  local left=$((deadline - $(date +%s)))
  [ "$left" -gt 0 ] || { say "out of time (OMBREL_WINE10_TIMEOUT) before $1"; return 1; }
  timeout -k 30 "$left" unshare --mount --propagation private bash -c '
  set -e
  root=$1 clone=$2 copy=$3
  shift 3
  mount -t proc proc "$root/proc"
  mount -t sysfs -o ro sys "$root/sys"
  mount --bind /dev "$root/dev"
  mount --bind /dev/pts "$root/dev/pts"
  mount -t tmpfs tmpfs "$root/dev/shm"
  mount --bind /tmp "$root/tmp"
  mkdir -p "$root$clone"
  mount --bind "$clone" "$root$clone"
  mount -o remount,bind,ro "$root$clone"
  mount --bind "$copy" "$root$clone/build/win64"
  chroot "$root" /usr/lib/wine/wine64 --version >"$copy/Testing/wine_version"
  exec chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    ${GTEST_FILTER:+GTEST_FILTER="$GTEST_FILTER"} \
    ${OMBREL_WAIT_SCALE:+OMBREL_WAIT_SCALE="$OMBREL_WAIT_SCALE"} \
    ${OMBREL_BENCH_LOGPIXELS:+OMBREL_BENCH_LOGPIXELS="$OMBREL_BENCH_LOGPIXELS"} \
    bash "$clone/tools/bench/checked_ctest.sh" "$clone/build/win64" \
      "$clone/build/win64/Testing/results" "$@"
' bash "$root" "$clone" "$copy" "$@"
}
# The whole run at 96 DPI; then, since Wine 10 takes a new DPI only in a new
# session, the scenarios at 150 % and 200 % again, each on a bench started
# at that DPI (at 96 DPI they skip those two scales); not when the run was
# given ctest arguments of its own.
status=0
in_root wine10 "${args[@]}" || status=1
say "Wine under test: $(cat "$copy/Testing/wine_version" 2>/dev/null)"
[ "$extra" = 0 ] || exit $status
cases_ran "$results/wine10.log" "$(scale_cases 0)" || status=1
scale=0
for logpixels in 144 192; do
  scale=$((scale + 1))
  say "on a bench at $logpixels DPI"
  OMBREL_BENCH_LOGPIXELS=$logpixels GTEST_FILTER='Scales/*' \
    in_root "wine10-${logpixels}dpi" -L wine --output-on-failure -R "$(ci_tests_regex scales)" ||
    status=1
  cases_ran "$results/wine10-${logpixels}dpi.log" "$(scale_cases $scale)" || status=1
done
exit $status
