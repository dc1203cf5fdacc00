# shellcheck shell=bash
# How test-all.sh counts each part: from the part's own result files, never
# from what it printed. Each function adds to the caller's passed, failed,
# counts (a line per part for the summary) and broken (the tests that ran
# on a broken bench, for the closing line), and sets status=1 on any
# failure.

# count_results PART DIR RC: a part run by tools/bench/checked_ctest.sh,
# from the files it left in DIR: every RUN.counts ("PASSED FAILED"), the
# bench faults and the tests that ran on a broken bench. RC is the part's
# exit code: a part that failed without a failed test (a case it names did
# not run, a bench fault that came back) counts one failure more; a part
# that left no counts, one failure.
count_results() {
  local part=$1 dir=$2 rc=$3 file p=0 f=0 runs=0 a b note="" run name outcome
  for file in "$dir"/*.counts; do
    [ -f "$file" ] || continue
    read -r a b <"$file" || continue
    p=$((p + a)) f=$((f + b)) runs=$((runs + 1))
  done
  if [ "$runs" = 0 ]; then
    failed=$((failed + 1)) status=1
    counts+=("$(printf '%-28s no results: counted as 1 failed' "$part")")
    return
  fi
  if [ "$rc" != 0 ] && [ "$f" = 0 ]; then
    f=1 note=" (ended with $rc: counted as 1 failed)"
  fi
  if [ -s "$dir/faults" ]; then
    note+="; bench faults: $(paste -sd';' "$dir/faults")"
  fi
  if [ -f "$dir/broken" ]; then
    while read -r run name outcome; do
      broken+=("$name ($run, $outcome)")
    done <"$dir/broken"
  fi
  passed=$((passed + p)) failed=$((failed + f))
  [ "$f" = 0 ] || status=1
  counts+=("$(printf '%-28s %3d passed, %d failed%s' "$part" "$p" "$f" "$note")")
}

# count_junit PART FILE RC: a part run by ctest alone, from its JUnit
# file (ctest --output-junit FILE): a test that did not run counts as failed.
count_junit() {
  local part=$1 file=$2 rc=$3 dir
  dir=$(mktemp -d)
  if [ -s "$file" ]; then
    echo "$(grep -c '<testcase [^>]*status="run"' "$file")" \
      "$(grep -cE '<testcase [^>]*status="(fail|notrun)"' "$file")" >"$dir/$part.counts"
  fi
  count_results "$part" "$dir" "$rc"
  rm -rf "$dir"
}
