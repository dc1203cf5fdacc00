#!/usr/bin/env bash
# Runs a command inside the bench in DIR, then ends whatever Wine processes
# it left, so every test starts from a quiet prefix, and checks the bench
# (bench/health.sh; a wineserver that does not end when asked). A bench
# found broken is written down in DIR/fault, and the test it ran fails, as
# does every later one, at once, on that bench: each name goes to
# DIR/broken_tests, for bench/checked_ctest.sh to take again on a fresh one.
dir=$1
shift
if [ ! -f "$dir/env" ]; then
  echo "the Wine bench in $dir is not running (run the bench_start test first)" >&2
  exit 1
fi
# shellcheck disable=SC1091
source "$dir/env"
name=${OMBREL_TEST_NAME:-unnamed}
if [ -f "$dir/fault" ]; then
  echo "the bench is broken ($(cat "$dir/fault")): $name does not run on it" >&2
  echo "$name" >>"$dir/broken_tests"
  exit 1
fi
"$@"
status=$?
limit=$((20 * ${OMBREL_WAIT_SCALE:-1}))
fault=""
timeout "$limit" "$WINESERVER" -k >/dev/null 2>&1
[ $? = 124 ] && fault="wineserver not answering (-k took over ${limit}s)"
timeout "$limit" "$WINESERVER" -w >/dev/null 2>&1
[ $? = 124 ] && fault=${fault:-"wineserver not ending (-w took over ${limit}s)"}
[ -n "$fault" ] || fault=$(bash "$(dirname "$0")/health.sh" "$dir") || true
# After a failure, the Wine session too: a session where a new program's
# window no longer reaches the screen fails every test after it (seen
# under Wine 10 with X server and window manager whole). A failure on a
# bench that passes this stays a failure.
probe=$dir/../bin/session_probe.exe
if [ -z "$fault" ] && [ "$status" != 0 ] && [ -f "$probe" ]; then
  if ! timeout "$((30 * ${OMBREL_WAIT_SCALE:-1}))" "$WINELOADER" "$probe" >/dev/null 2>&1; then
    fault="Wine session not showing windows (a new program's window is not on the screen)"
  fi
  timeout "$limit" "$WINESERVER" -k >/dev/null 2>&1
  timeout "$limit" "$WINESERVER" -w >/dev/null 2>&1
fi
if [ -n "$fault" ]; then
  echo "$fault, found after $name" >"$dir/fault"
  echo "$name" >>"$dir/broken_tests"
  echo "bench fault found after $name: $fault" >&2
  exit 1
fi
exit $status
