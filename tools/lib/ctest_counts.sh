# shellcheck shell=bash
# count PART LOG: adds the counts of ctest's summary lines in LOG (a part
# may run ctest more than once; none: one failure) and keeps them for the
# summary under PART. Adds to the caller's passed, failed and counts, and
# sets status=1 on any failure.
count() {
  local summary total=0 bad=0 again=0
  summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$2")
  if [ -z "$summary" ]; then
    failed=$((failed + 1)) status=1
    counts+=("$(printf '%-28s no summary: counted as 1 failed' "$1")")
  else
    while read -r line; do
      total=$((total + $(echo "$line" | sed -E 's/.* out of ([0-9]+).*/\1/')))
      bad=$((bad + $(echo "$line" | sed -E 's/.* ([0-9]+) tests failed.*/\1/')))
    done <<<"$summary"
    # Tests that Wine 10's run took again on a fresh bench and that passed
    # there count once, as passed (tools/wine10/run.sh).
    while read -r line; do
      [ -n "$line" ] || continue
      total=$((total - line)) bad=$((bad - line)) again=$((again + line))
    done < <(sed -n 's/^passed on a fresh bench: \([0-9]*\)$/\1/p' "$2")
    passed=$((passed + total - bad)) failed=$((failed + bad))
    [ "$bad" -eq 0 ] || status=1
    counts+=("$(printf '%-28s %3d passed, %d failed' "$1" $((total - bad)) "$bad")")
    [ "$again" -eq 0 ] || counts[-1]+=" ($again of them passed only on a fresh bench)"
  fi
}
