#!/usr/bin/env bash
# Runs ctest on the private bench with its health checked, and counts the
# result from ctest's own result files.
# usage: checked_ctest.sh BUILD OUT RUN [ctest arguments...]
#   BUILD: the build folder (its bench in BUILD/bench); OUT: the part's
#   results folder, shared by the runs of one part; RUN: this run's name.
#
# with_bench.sh checks the bench after every test. When the bench is found
# broken (X server or window manager gone, wineserver not answering) or
# did not start, the run says so, names the fault, and takes the tests that
# ran on the broken bench again on a fresh one: they count as failed unless
# they pass there. A test that fails on a healthy bench is never taken
# again. A second bench fault in the same part (OUT) fails the part, as
# any failed test does.
#
# Writes, in OUT: RUN.counts ("PASSED FAILED", each test once, by its last
# result), RUN.failed (names), RUN.log (ctest's logs of every round), the
# rounds' JUnit files; and appends to OUT/faults ("RUN: fault") and to
# OUT/broken ("RUN NAME passed|failed", each test that ran on a broken
# bench). Its last line: "RUN: N passed, N failed", with the tests that ran
# on a broken bench. Exit code 0 when nothing failed and no fault came back.
set -uo pipefail
build=$1 out=$2 run=$3
shift 3
bench=$build/bench
mkdir -p "$out"
rm -f "$out/$run".*
touch "$out/faults" "$out/broken"
declare -A result=()
order=() retake=() broken_here=()
round=0
while :; do
  round=$((round + 1))
  xml=$out/$run.round-$round.xml
  args=("$@")
  if [ "${#retake[@]}" -gt 0 ]; then
    args+=(-R "^($(IFS='|' && echo "${retake[*]}"))\$")
  fi
  rm -f "$bench/fault" "$bench/broken_tests" "$build/Testing/Temporary/LastTest.log"
  ctest --test-dir "$build" "${args[@]}" --output-junit "$xml"
  ctest_status=$?
  cat "$build/Testing/Temporary/LastTest.log" >>"$out/$run.log" 2>/dev/null
  if [ ! -s "$xml" ]; then
    echo "$run: ctest wrote no results ($xml)"
    result[ctest]=fail
    order+=(ctest)
    break
  fi
  start_status=""
  while read -r name status; do
    [ -n "${result[$name]+set}" ] || order+=("$name")
    result[$name]=$status
    [ "$name" = bench_start ] && start_status=$status
  done < <(sed -nE 's/.*<testcase name="([^"]*)"[^>]* status="([a-z]*)".*/\1 \2/p' "$xml")
  fault=""
  if [ -f "$bench/fault" ]; then
    fault=$(cat "$bench/fault")
    mapfile -t retake < <(sort -u "$bench/broken_tests" 2>/dev/null)
  elif [ -n "$start_status" ] && [ "$start_status" != run ]; then
    fault="the bench did not start"
    mapfile -t retake < <(for name in "${order[@]}"; do
      [ "${result[$name]}" = run ] || [ "$name" = bench_start ] || echo "$name"
    done)
  fi
  [ -n "$fault" ] || break
  echo "$run: $fault" >>"$out/faults"
  broken_here+=("${retake[@]}")
  echo "=== $run: the bench is broken: $fault; ran on it: ${retake[*]:-none} ==="
  if [ "$(grep -c . "$out/faults")" -gt 1 ]; then
    echo "=== $run: a bench fault came back in the same run: failed ==="
    for name in "${retake[@]}"; do result[$name]=fail; done
    break
  fi
  [ "${#retake[@]}" -gt 0 ] || break
  echo "=== $run: those again on a fresh bench ==="
done

# ctest failing with every test passed (it ran none, say) is a failure too.
if [ "${#order[@]}" = 0 ] || { [ "$ctest_status" != 0 ] && ! grep -qv '^run$' < <(printf '%s\n' "${result[@]}"); }; then
  echo "$run: ctest ended with $ctest_status and no failed test"
  [ -n "${result[ctest]+set}" ] || order+=(ctest)
  result[ctest]=fail
fi
passed=0 failed=0
: >"$out/$run.failed"
for name in "${order[@]}"; do
  case ${result[$name]} in
    run) passed=$((passed + 1)) ;;
    disabled) ;;
    *) failed=$((failed + 1)); echo "$name" >>"$out/$run.failed" ;;
  esac
done
echo "$passed $failed" >"$out/$run.counts"
note=""
for name in $(printf '%s\n' "${broken_here[@]}" | sort -u); do
  if [ "${result[$name]:-fail}" = run ]; then
    echo "$run $name passed" >>"$out/broken"
    note+=" $name (passed on a fresh bench)"
  else
    echo "$run $name failed" >>"$out/broken"
    note+=" $name (failed)"
  fi
done
echo "$run: $passed passed, $failed failed${note:+; ran on a broken bench:$note}"
[ "$failed" -eq 0 ] && [ "$(grep -c . "$out/faults")" -le 1 ]
