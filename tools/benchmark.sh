#!/usr/bin/env bash
# Prints size and start-up figures for the three programs, each beside a bare
# window program (tools/benchmark/bare_window.cpp: one class, one window, one
# message loop) built with the same toolchain and flags:
#   - size of each executable on both Windows targets against the bare
#     program's size plus the program's own resources (its .rsrc section);
#   - under Wine on a private bench, the time from start until the program's
#     message loop answers a message sent to its window (median of RUNS
#     alternating starts), and its ratio to the bare program's time once the
#     program's own start-up pauses are taken off;
#   - Lapwick's processor time while it runs for LAPWICK_CPU_SECONDS (60 by
#     default) after Run.
# Figures only: nothing here passes or fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-7}
cpu_seconds=${LAPWICK_CPU_SECONDS:-60}
programs=(Lapwick OmbrelAbout OmbrelSplash)
bash "$root/tools/deps.sh"
for preset in win32 win64; do
  cmake --preset "$preset" -S "$root" >/dev/null
  cmake --build "$root/build/$preset" -j2 \
    --target "${programs[@]}" bare_window start_probe >/dev/null
done

# Size of one section of a PE file, in bytes (0 when it has none).
section_size() {
  local size
  size=$(x86_64-w64-mingw32-objdump -h "$1" | awk -v name="$2" '$2 == name { print $3 }')
  echo $(( ${size:+16#$size}+0 ))
}

echo "== figures of commit $(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo unknown)$(git -C "$root" diff --quiet HEAD 2>/dev/null || echo ", with changes") =="
echo "== size (bytes): program against bare window + own resources =="
printf '%-7s %-13s %8s %8s %8s %8s %8s\n' target program size rsrc bare bare+rsrc extra
for preset in win32 win64; do
  bare=$(stat -c %s "$root/build/$preset/bench-bin/bare_window.exe")
  printf '%-7s %-13s %8s %8s %8s %8s %8s\n' "$preset" bare_window "$bare" 0 "$bare" "$bare" 0
  for program in "${programs[@]}"; do
    exe="$root/build/$preset/bin/$program.exe"
    size=$(stat -c %s "$exe")
    rsrc=$(section_size "$exe" .rsrc)
    printf '%-7s %-13s %8s %8s %8s %8s %8s\n' "$preset" "$program" "$size" "$rsrc" "$bare" \
      $((bare + rsrc)) $((size - bare - rsrc))
  done
done

bench="$root/build/benchmark-bench"
bash "$root/tools/bench/start.sh" "$bench" >/dev/null
trap 'bash "$root/tools/bench/stop.sh" "$bench" >/dev/null 2>&1' EXIT
# shellcheck disable=SC1091
source "$bench/env"
bin="$root/build/win64/bin"
probe="$root/build/win64/bench-bin/start_probe.exe"
windows_path() { local path=$1; echo "Z:${path//\//\\}"; }
probe_args=("$(windows_path "$root/build/win64/bench-bin/bare_window.exe")" OmbrelBareWindow)
for program in "${programs[@]}"; do
  probe_args+=("$(windows_path "$bin/$program.exe")" "$program")
done
quiet_prefix() {
  timeout 20 "$WINESERVER" -k >/dev/null 2>&1 || true
  timeout 20 "$WINESERVER" -w >/dev/null 2>&1 || true
}

# Wine's own first start in a fresh prefix is slow; one discarded round.
"$WINELOADER" "$probe" ready 1 "${probe_args[@]}" >/dev/null 2>&1 || true
quiet_prefix
times=$("$WINELOADER" "$probe" ready "$runs" "${probe_args[@]}" 2>/dev/null | tr -d '\r')
# What the programs' own pauses take here: Lapwick sleeps 100 ms before it
# shows its window. The About window has none to take off: it answers from
# the first step of its first page on.
measured_100=$("$WINELOADER" "$probe" sleeps 1 100 2>/dev/null | tr -d '\r')
quiet_prefix

median() { tr ' ' '\n' | grep -v '^$' | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
declare -A median_of
while read -r class values; do
  [ -n "$class" ] && median_of[$class]=$(echo "$values" | median)
done <<< "$times"
declare -A nominal_pause=([OmbrelBareWindow]=0 [Lapwick]=100 [OmbrelAbout]=0 [OmbrelSplash]=0)
declare -A measured_pause=([OmbrelBareWindow]=0 [Lapwick]=$measured_100 [OmbrelAbout]=0
                           [OmbrelSplash]=0)

echo
echo "== start until the message loop answers WM_NULL, win64 under Wine (ms, median of $runs alternating starts) =="
echo "   pauses taken off: nominal (Lapwick 100) and as measured here (Sleep(100) took $measured_100 ms)"
printf '%-17s %7s %8s %9s %12s %9s   %s\n' program median nominal ratio measured ratio starts
bare_ms=${median_of[OmbrelBareWindow]}
while read -r class values; do
  [ -n "$class" ] || continue
  m=${median_of[$class]}
  printf '%-17s %7s %8s %9s %12s %9s   %s\n' "$class" "$m" "${nominal_pause[$class]}" \
    "$(awk -v m="$m" -v p="${nominal_pause[$class]}" -v b="$bare_ms" 'BEGIN { printf "%.2f", (m - p) / b }')" \
    "${measured_pause[$class]}" \
    "$(awk -v m="$m" -v p="${measured_pause[$class]}" -v b="$bare_ms" 'BEGIN { printf "%.2f", (m - p) / b }')" \
    "$values"
done <<< "$times"

# Processor time of the running stopwatch, read from the Wine process's
# /proc entry (user + system) and as Wine's GetProcessTimes reports it.
echo
echo "== Lapwick running (Run sent) for $cpu_seconds s, win64 under Wine =="
ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
out="$bench/cpu.out"
"$WINELOADER" "$probe" cpu "$(windows_path "$bin/Lapwick.exe")" Lapwick "$cpu_seconds" >"$out" 2>/dev/null &
probe_pid=$!
for _ in $(seq 600); do grep -q running "$out" 2>/dev/null && break; sleep 0.1; done
# The Wine process of this bench's Lapwick (other benches may run one too).
lapwick_pid=""
for pid in $(pgrep -f 'Lapwick\.exe' || true); do
  if grep -qz "^WINEPREFIX=$WINEPREFIX\$" "/proc/$pid/environ" 2>/dev/null &&
     [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Lapwick.exe ]; then
    lapwick_pid=$pid
  fi
done
server_pid=$(pgrep -f "^$WINESERVER" | while read -r pid; do
  grep -qz "^WINEPREFIX=$WINEPREFIX\$" "/proc/$pid/environ" 2>/dev/null && echo "$pid"; done | head -n1 || true)
if [ -n "$lapwick_pid" ]; then
  before=$(cpu_ticks "$lapwick_pid")
  server_before=$([ -n "$server_pid" ] && cpu_ticks "$server_pid" || echo 0)
  sleep "$cpu_seconds"
  after=$(cpu_ticks "$lapwick_pid")
  server_after=$([ -n "$server_pid" ] && cpu_ticks "$server_pid" || echo 0)
  echo "Lapwick process (/proc, user+system): $(( (after - before) * 1000 / ticks )) ms"
  echo "wineserver of the bench (/proc):      $(( (server_after - server_before) * 1000 / ticks )) ms"
else
  echo "Lapwick's Wine process was not found in /proc"
fi
wait "$probe_pid" || true
echo "GetProcessTimes from the probe:       $(tr -d '\r' < "$out" | grep cpu_ms || echo none)"
