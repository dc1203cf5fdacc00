#!/usr/bin/env bash
# Makes the README's pictures from the real programs, run under Wine on a
# private Xvfb screen with the icewm window manager, and writes them to docs/:
#   lapwick-window.png   Lapwick running, its time in the caption
#   lapwick-taskbar.png  Lapwick minimised, its time on the taskbar button
#   about-version.png    OmbrelAbout's version page, faded in
#   about-credits.png    OmbrelAbout's credits page, typed out and faded in
#   splash.png           OmbrelSplash with a line of text
#   lapwick-150.png, about-150.png, splash-150.png
#                        the same three at 150 % (144 DPI)
# Usage: bash tools/screenshots.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/deps.sh"
cmake --preset win64 -S "$root" >/dev/null
cmake --build "$root/build/win64" --target Lapwick OmbrelAbout OmbrelSplash
bin="$root/build/win64/bin"
docs="$root/docs"
mkdir -p "$docs"

bench="$root/build/shots-bench"
bash "$root/tools/bench/start.sh" "$bench"
trap 'bash "$root/tools/bench/stop.sh" "$bench"' EXIT
# shellcheck disable=SC1091
source "$bench/env"
# shellcheck source=tools/lib/shot_helpers.sh
source "$root/tools/lib/shot_helpers.sh"
cd "$bin"

fail() {
  echo "screenshots: $*" >&2
  exit 1
}
# save NAME REGION: that part of the screen, as a small PNG under docs/.
save() {
  grab "$docs/$1" "$2"
  mogrify -strip "$docs/$1"
  echo "wrote docs/$1 ($2)"
}
# wait_for_title WINDOW TEXT SECONDS: true once the window's title is TEXT.
wait_for_title() {
  local deadline=$(($(now_ms) + $3 * 1000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    [ "$(xdotool getwindowname "$1" 2>/dev/null)" = "$2" ] && return 0
    sleep 0.05
  done
  return 1
}
# end_program PID: closes what the bench runs and waits for the process.
end_program() {
  timeout 20 "$WINESERVER" -k >/dev/null 2>&1 || true
  wait_for_exit "$1" 20 || true
}

# lapwick_running NAME [WHERE]: starts Lapwick, runs it (Alt+R) until its
# title reads 00:00:03, and saves its window as docs/NAME; leaves $pid and
# $window set. WHERE names the scale in messages.
lapwick_running() {
  "$WINELOADER" ./Lapwick.exe &
  pid=$!
  window=$(wait_for_window lapwick.exe 60 "$pid") || fail "no Lapwick window${2:-}"
  wait_until_settled "$window" 0 600 20 || fail "the Lapwick window did not settle${2:-}"
  xdotool key --window "$window" alt+r
  wait_for_title "$window" 00:00:03 15 || fail "Lapwick did not count to 00:00:03${2:-}"
  sleep 0.3 # the window manager redraws the caption
  save "$1" "$(window_region "$window" frame)"
}

# Lapwick: Run (Alt+R), then the window with its count; then minimised, so
# the count shows on its taskbar button alone.
lapwick_running lapwick-window.png
xdotool windowminimize --sync "$window"
wait_for_title "$window" 00:00:07 15 || fail "Lapwick did not count to 00:00:07"
sleep 0.3 # and the taskbar button
# The taskbar lies below the work area; its left part holds the task buttons.
read -r _ work_top _ work_height _ < <(xprop -root _NET_WORKAREA | sed 's/.*= *//; s/,/ /g')
screen_height=$(xwininfo -root | sed -n 's/^ *Height: *//p')
save lapwick-taskbar.png "460x$((screen_height - work_top - work_height))+0+$((work_top + work_height))"
end_program "$pid"

# OmbrelAbout: the version page once faded in (only its small animated
# picture still moves), then Menu > Credits from the keyboard.
"$WINELOADER" ./OmbrelAbout.exe &
pid=$!
window=$(wait_for_window ombrelabout.exe 60 "$pid") || fail "no OmbrelAbout window"
wait_until_settled "$window" 48 1200 30 || fail "the version page did not settle"
save about-version.png "$(window_region "$window" frame)"
# The keys go to the window with the input focus.
xdotool windowfocus --sync "$window"
xdotool key alt+m
sleep 0.5 # the menu opens
xdotool key c
# The heading types out, the closing sound plays, then eleven lines fade in:
# a quiet spell longer than the pause after the heading means it is done.
wait_until_settled "$window" 0 2000 40 || fail "the credits page did not settle"
save about-credits.png "$(window_region "$window" frame)"
[ "$(compare -metric AE "$docs/about-version.png" "$docs/about-credits.png" null: 2>&1)" != 0 ] ||
  fail "the credits page did not open"
end_program "$pid"

# catch_splash FILE: OmbrelSplash is up for about a second, so it is caught
# as soon as it has painted.
catch_splash() {
  local caught=0 region=
  for _ in 1 2; do
    "$WINELOADER" ./OmbrelSplash.exe Loading your script... &
    pid=$!
    if window=$(wait_for_window ombrelsplash.exe 60 "$pid"); then
      region=$(window_region "$window")
      sleep 0.12
      grab "$docs/$1" "$region"
      if [ -n "$(find_window ombrelsplash.exe)" ] && ! is_dark "$docs/$1"; then
        caught=1
        break
      fi
    fi
    wait_for_exit "$pid" 20 || true
  done
  [ "$caught" = 1 ] || fail "the splash was not caught on screen"
  mogrify -strip "$docs/$1"
  echo "wrote docs/$1 ($region)"
}
catch_splash splash.png

# The three at 150 %: LogPixels, which every Wine program reads as it
# starts, set to 144 DPI for the programs started from here on.
timeout 60 "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
  /d 144 /f >/dev/null 2>&1 || fail "LogPixels could not be set"
lapwick_running lapwick-150.png " at 150 %"
end_program "$pid"
"$WINELOADER" ./OmbrelAbout.exe &
pid=$!
window=$(wait_for_window ombrelabout.exe 60 "$pid") || fail "no OmbrelAbout window at 150 %"
wait_until_settled "$window" 72 1200 30 || fail "the version page did not settle at 150 %"
save about-150.png "$(window_region "$window" frame)"
end_program "$pid"
catch_splash splash-150.png
