#!/usr/bin/env bash
# Prints size and start-up figures for the three programs: the size of each
# executable on both Windows targets, and, under Wine on a private bench,
# the time from starting a program to its first visible window (median of
# several starts). Figures only: nothing here passes or fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-5}
bash "$root/tools/deps.sh"
for preset in win32 win64; do
  cmake --preset "$preset" -S "$root" >/dev/null
  cmake --build "$root/build/$preset" --target Lapwick OmbrelAbout OmbrelSplash >/dev/null
done

echo "== size (bytes) =="
printf '%-14s %10s %10s\n' program win32 win64
for program in Lapwick OmbrelAbout OmbrelSplash; do
  printf '%-14s %10s %10s\n' "$program" \
    "$(stat -c %s "$root/build/win32/bin/$program.exe")" \
    "$(stat -c %s "$root/build/win64/bin/$program.exe")"
done

bench="$root/build/benchmark-bench"
bash "$root/tools/bench/start.sh" "$bench" >/dev/null
trap 'bash "$root/tools/bench/stop.sh" "$bench"' EXIT
# shellcheck disable=SC1091
source "$bench/env"
cd "$root/build/win64/bin"
# Wine's own start-up is part of every figure; warm it once first.
"$WINELOADER" ./OmbrelSplash.exe >/dev/null 2>&1 || true

echo "== start to first visible window, win64 under Wine (ms, median of $runs) =="
for program in Lapwick OmbrelAbout OmbrelSplash; do
  class=$(echo "$program.exe" | tr 'A-Z' 'a-z')
  times=()
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$WINELOADER" "./$program.exe" >/dev/null 2>&1 &
    for _ in $(seq 1000); do
      xdotool search --onlyvisible --classname "$class" >/dev/null 2>&1 && break
      sleep 0.01
    done
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000000 )))
    timeout 20 "$WINESERVER" -k >/dev/null 2>&1 || true
    timeout 20 "$WINESERVER" -w >/dev/null 2>&1 || true
  done
  median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
  printf '%-14s %6s   (runs: %s)\n' "$program" "$median" "${times[*]}"
done
