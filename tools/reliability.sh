#!/usr/bin/env bash
# Reliability report: starts a private Wine bench, runs the reliability
# tool's sections (message storms; boxes and pages again and again; broken
# parts; starts at once; a long run) and a fuzz pass when tools/fuzz.sh
# exists, then prints one table: case, what was tried, the figure, ok/FAIL.
#
#   tools/reliability.sh [--long] [--seed N] [--build DIR]
#
# Default (short): 20,000 messages per storm, 200 box cycles, 30 page
# switches, 10 rounds of starts, a 30-second run. --long: 200 page
# switches, a 10-minute run and ten minutes of each fuzz target. Needs the
# win64 build (made here unless --build names another). Exit status: 0 when
# every row is ok.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build="$root/build/win64"
long=0
seed=$(date +%s)
while [ $# -gt 0 ]; do
  case "$1" in
    --long) long=1 ;;
    --seed) seed=$2; shift ;;
    --build) build=$2; shift ;;
    *) echo "usage: $0 [--long] [--seed N] [--build DIR]" >&2; exit 2 ;;
  esac
  shift
done
# The win64 build, made here when the default one is asked for.
if [ "$build" = "$root/build/win64" ]; then
  bash "$here/deps.sh" >&2 || exit 2
  { cmake --preset win64 -S "$root" && cmake --build "$build" -j2; } > /dev/null 2>&1 || {
    echo "the win64 build failed: cmake --build $build" >&2; exit 2; }
fi
tool="$build/bin/reliability_tool.exe"
[ -x "$tool" ] || { echo "no $tool: build the win64 preset first" >&2; exit 2; }

bench="$build/reliability-bench"
logs="$build/reliability-logs"
mkdir -p "$logs"
rows="$logs/rows.txt"
: > "$rows"
trap 'bash "$here/bench/stop.sh" "$bench" >/dev/null 2>&1' EXIT
bash "$here/bench/start.sh" "$bench" > "$logs/bench.log" 2>&1 || {
  echo "the bench did not start; see $logs/bench.log" >&2; exit 2; }

export OMBREL_BIN_DIR="$build/bin" OMBREL_SOURCE_DIR="$root"
if [ $long -eq 1 ]; then
  switches=200 seconds=600
else
  switches=30 seconds=30
fi

# section NAME ARGS...: one run of the tool; its rows go to the table, the
# rest to the section's log. A tool that dies leaves a FAIL row.
section() {
  local name=$1; shift
  echo "== $name" >&2
  bash "$here/bench/with_bench.sh" "$bench" /usr/lib/wine/wine64 "$tool" "$@" \
    > "$logs/$name.out" 2> "$logs/$name.err"
  local status=$?
  tr -d "\r" < "$logs/$name.out" | grep "^ROW" | cut -f2- >> "$rows"
  if ! grep -q '^failed rows:' "$logs/$name.out"; then
    printf '%s\t%s\t%s\t%s\n' "$name" "tool run" "ended early with status $status" FAIL >> "$rows"
  fi
}

section storms storm --seed "$seed" --messages 20000
section endurance endurance --seed "$seed" --boxes 200 --switches $switches
section broken broken --seed "$seed"
section starts starts --seed "$seed" --rounds 10
section long-run long --seed "$seed" --seconds $seconds

# A pass of every fuzz target: a short one by default, ten minutes each
# under --long. One row a target, from fuzz.sh's table.
if [ -f "$here/fuzz.sh" ]; then
  echo "== fuzz" >&2
  fuzz_seconds=10
  [ $long -eq 1 ] && fuzz_seconds=600
  bash "$here/fuzz.sh" "$fuzz_seconds" > "$logs/fuzz.out" 2>&1
  fuzz_status=$?
  table=$(sed -n '/^target[[:space:]]*seconds[[:space:]]*executions/,$p' "$logs/fuzz.out" | tail -n +2)
  if [ -z "$table" ]; then
    printf '%s\t%s\t%s\t%s\n' "fuzz" "tools/fuzz.sh $fuzz_seconds" \
      "no table (exit status $fuzz_status): see $logs/fuzz.out" FAIL >> "$rows"
  fi
  while read -r target took execs _ findings; do
    [ -n "$target" ] || continue
    printf '%s\t%s\t%s\t%s\n' "fuzz ${target%_fuzz}" "libFuzzer for ${fuzz_seconds} s" \
      "$execs executions in ${took} s, $findings findings" \
      "$([ "$findings" = 0 ] && echo ok || echo FAIL)" >> "$rows"
  done <<< "$table"
fi

echo
echo "Reliability report, seed $seed, $([ $long -eq 1 ] && echo long || echo short) run, commit $(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo unknown); logs in $logs"
echo
echo "| case | what was tried | figure | result |"
echo "|---|---|---|---|"
awk -F'\t' '{ printf "| %s | %s | %s | %s |\n", $1, $2, $3, $4 }' "$rows"
failed=$(awk -F'\t' '$4 == "FAIL"' "$rows" | wc -l)
echo
echo "$(wc -l < "$rows") cases, $failed failed"
[ "$failed" -eq 0 ]
