#!/usr/bin/env bash
# tools/bench/checked_ctest.sh on a real bench (Xvfb, icewm, wineserver;
# a prefix left unbooted, which these tests do not start Wine in) and a
# stub ctest project: a test failing on a healthy bench fails the run and
# runs once; a window manager killed during a test is found, named, and
# the tests that ran on that bench pass on a fresh one; killed again, the
# fault that came back fails the run.
tools=$(cd "$(dirname "$0")/../../tools" && pwd)
work=$(mktemp -d) status=0
trap 'bash "$tools/bench/stop.sh" "$work/build/bench"; rm -rf "$work"' EXIT
mkdir -p "$work/template/prefix" "$work/build"
fail() { echo "FAIL: $*"; status=1; }
# project KILLS MIDDLE: tests first, MIDDLE and last, each recording its run
# in WORK/ran; "breaks" ends the window manager in its first KILLS runs.
project() {
  local b=$work/build
  rm -rf "${b:?}"/* "$work/ran" "$work/out"
  {
    echo "add_test(bench_start bash $tools/bench/start.sh $b/bench win64)"
    echo "set_tests_properties(bench_start PROPERTIES FIXTURES_SETUP bench" \
      "ENVIRONMENT OMBREL_BENCH_TEMPLATE=$work/template)"
    echo "add_test(bench_stop bash $tools/bench/stop.sh $b/bench)"
    echo "set_tests_properties(bench_stop PROPERTIES FIXTURES_CLEANUP bench)"
    for name in first "$2" last; do
      local cmd="echo $name >>$work/ran"
      [ "$name" = fails ] && cmd+="; exit 1"
      [ "$name" = breaks ] && cmd+="; [ \$(grep -c breaks $work/ran) -gt $1 ] && exit 0;
        pid=\$(cat \$OMBREL_BENCH_DIR/icewm.pid); kill \$pid;
        for i in \$(seq 100); do kill -0 \$pid 2>/dev/null || exit 0; sleep 0.1; done; exit 1"
      echo "add_test($name bash $tools/bench/with_bench.sh $b/bench sh -c \"$cmd\")"
      echo "set_tests_properties($name PROPERTIES FIXTURES_REQUIRED bench" \
        "ENVIRONMENT OMBREL_TEST_NAME=$name)"
    done
  } >"$b/CTestTestfile.cmake"
}
runs() { grep -cx "$1" "$work/ran"; }
run() { bash "$tools/bench/checked_ctest.sh" "$work/build" "$work/out" part >"$work/log" 2>&1; }

project 0 fails
run && fail "a test failing on a healthy bench passed the run"
[ "$(runs fails)" = 1 ] || fail "the failing test ran $(runs fails) times"
[ "$(runs last)" = 1 ] || fail "the tests after a failure did not run"
[ "$(cat "$work/out/part.counts")" = "4 1" ] || fail "healthy failure counted $(cat "$work/out/part.counts")"
[ ! -s "$work/out/faults" ] || fail "a healthy bench was called broken: $(cat "$work/out/faults")"

project 1 breaks
run || fail "a bench broken once, its tests passing on a fresh one, failed the run"
grep -q '^part: window manager gone' "$work/out/faults" || fail "the fault was not named"
[ "$(runs breaks)/$(runs last)/$(runs first)" = 2/1/1 ] ||
  fail "runs of breaks/last/first: $(runs breaks)/$(runs last)/$(runs first), not 2/1/1"
tail -n 1 "$work/log" | grep -q 'ran on a broken bench: breaks (passed.*) last (passed' ||
  fail "the last line does not name the cases: $(tail -n 1 "$work/log")"
[ "$(cat "$work/out/part.counts")" = "5 0" ] || fail "counted $(cat "$work/out/part.counts")"

project 2 breaks
run && fail "a bench fault that came back passed the run"
[ "$(grep -c 'window manager gone' "$work/out/faults")" = 2 ] || fail "the second fault not named"
tail -n 1 "$work/log" | grep -q 'breaks (failed' || fail "not named: $(tail -n 1 "$work/log")"
[ "$status" = 0 ] || cat "$work/log"
exit $status
