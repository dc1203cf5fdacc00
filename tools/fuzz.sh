#!/usr/bin/env bash
# Runs every fuzz target of the fuzz preset, one after another, and prints
# per target how many inputs it executed and how many findings it saved:
#   tools/fuzz.sh [seconds-per-target] [most-runs-per-target]
# Defaults: 60 seconds, no run limit. Each target starts from the committed
# seeds (tests/fuzz/corpus/<name>) plus the corpus earlier runs grew under
# build/fuzz; findings are written to build/fuzz/tests/fuzz/<name>/findings/.
# Exits 1 when any target found something.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
runs=${2:-}
case $seconds in ''|*[!0-9]*|0) echo "usage: tools/fuzz.sh [seconds-per-target] [most-runs-per-target]"; exit 2 ;; esac
case $runs in *[!0-9]*) echo "most-runs-per-target must be a number"; exit 2 ;; esac

bash "$root/tools/deps.sh" || exit 1
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! cmake --preset fuzz -S "$root" >"$log" 2>&1 || ! cmake --build "$root/build/fuzz" -j2 >>"$log" 2>&1; then
  tail -n 40 "$log"
  echo "build fuzz FAILED"
  exit 1
fi

out="$root/build/fuzz/tests/fuzz"
rows=() status=0
for binary in "$out"/*_fuzz; do
  [ -x "$binary" ] || continue
  target=$(basename "$binary")
  name=${target%_fuzz}
  work="$out/$name"
  mkdir -p "$work/corpus" "$work/findings"
  limit=()
  [ -n "$runs" ] && limit=(-runs="$runs")
  echo "=== $target (${seconds}s${runs:+, at most $runs runs}) ==="
  # The pool keeps its blocks on purpose, so leak checks only cost time.
  "$binary" -max_total_time="$seconds" "${limit[@]}" -timeout=10 -detect_leaks=0 \
    -print_final_stats=1 -artifact_prefix="$work/findings/" \
    "$work/corpus" "$root/tests/fuzz/corpus/$name" >"$work/last-run.log" 2>&1
  code=$?
  # Executions: the final statistics, else the "Done" line, else the last
  # status line ("#N ...") printed before a finding stopped the run.
  execs=$(sed -nE 's/^stat::number_of_executed_units:[[:space:]]+([0-9]+)/\1/p' "$work/last-run.log" | tail -n1)
  [ -n "$execs" ] || execs=$(sed -nE 's/^Done ([0-9]+) runs.*/\1/p' "$work/last-run.log" | tail -n1)
  [ -n "$execs" ] || execs=$(sed -nE 's/^#([0-9]+)[[:space:]].*/\1/p' "$work/last-run.log" | tail -n1)
  rate=$(sed -nE 's/^stat::average_exec_per_sec:[[:space:]]+([0-9]+)/\1/p' "$work/last-run.log" | tail -n1)
  took=$(sed -nE 's/^Done [0-9]+ runs in ([0-9]+) second.*/\1/p' "$work/last-run.log" | tail -n1)
  findings=$(grep -c 'Test unit written to' "$work/last-run.log")
  if [ "$code" -ne 0 ] && [ "$findings" -eq 0 ]; then findings=1; fi
  [ "$findings" -eq 0 ] || { status=1; grep -E 'Test unit written to|ERROR|SUMMARY|failed:|runtime error' "$work/last-run.log" | head -n 5; }
  rows+=("$(printf '%-24s %8s %14s %10s %9s' "$target" "${took:--}" "${execs:-0}" "${rate:--}" "$findings")")
done

printf '%-24s %8s %14s %10s %9s\n' target seconds executions exec/s findings
printf '%s\n' "${rows[@]}"
exit $status
