#!/usr/bin/env bash
# Lapwick as the desktop shows it, read from outside Wine with X11 tools:
# the caption and the taskbar button carry the time, the menu bar answers
# the keyboard and the mouse, the system menu's Move reaches the window
# manager, and closing the window ends the program with exit code 0. Also
# the class icon of the About and splash windows.
# Runs inside the bench (DISPLAY, WINELOADER, OMBREL_BIN_DIR set).
set -u

passed=0
failed=0
check() {
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok: $name"
  else
    failed=$((failed + 1))
    echo "FAILED: $name"
    return 1
  fi
}

# wait_for TENTHS COMMAND...: true as soon as the command is, within the bound.
wait_for() {
  local tenths=$1
  shift
  for ((i = 0; i < tenths; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

property() { xprop -id "$window" "$1" 2>/dev/null | sed -n 's/^[^=]*= "\(.*\)"$/\1/p'; }
title() { property WM_NAME; }
# (a title that could not be read is never the one expected)
title_is() { [ -n "$1" ] && [ "$(title)" = "$1" ]; }
title_is_not() { [ "$(title)" != "$1" ]; }
icon_name_is_not() { [ "$(property WM_ICON_NAME)" != "$1" ]; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
left_edge() { xwininfo -id "$window" | sed -n 's/.*Absolute upper-left X: *//p'; }
top_edge() { xwininfo -id "$window" | sed -n 's/.*Absolute upper-left Y: *//p'; }
is_iconic() { xprop -id "$window" WM_STATE 2>/dev/null | grep -q 'window state: Iconic'; }
is_normal() { xprop -id "$window" WM_STATE 2>/dev/null | grep -q 'window state: Normal'; }
# Gone: the window no longer exists, or is withdrawn.
window_gone() { ! xprop -id "$window" WM_STATE 2>/dev/null | grep -q 'window state: \(Normal\|Iconic\)'; }
# The title stands still for longer than one period of the timer.
title_holds() {
  local before
  before=$(title)
  sleep 1.2
  [ -n "$before" ] && title_is "$before"
}

cd "${OMBREL_BIN_DIR:?}" || exit 1
"$WINELOADER" Lapwick.exe &
program=$!
trap 'kill "$program" 2>/dev/null; wait "$program" 2>/dev/null' EXIT

find_window() {
  window=$(xdotool search --onlyvisible --name '^00:00:00$' 2>/dev/null | head -n 1)
  [ -n "$window" ]
}
if ! wait_for 150 find_window; then
  echo "FAILED: no Lapwick window appeared"
  exit 1
fi
check "caption shows 00:00:00" title_is "00:00:00"
check "taskbar name shows 00:00:00" [ "$(property WM_ICON_NAME)" = "00:00:00" ]

# Alt+R chooses "&Run", the first item with that access key.
xdotool key --window "$window" alt+r
started=$(now_ms)
check "Run counts to 00:00:02" wait_for 50 title_is "00:00:02"
elapsed=$(($(now_ms) - started))
between() { [ "$1" -ge "$2" ] && [ "$1" -le "$3" ]; }
check "two seconds took about two seconds (${elapsed} ms)" between "$elapsed" 1500 3500
check "taskbar name follows the title" [ "$(property WM_ICON_NAME)" = "$(title)" ]

# Alt+P pauses: the title stands still while the timer goes on firing.
xdotool key --window "$window" alt+p
check "Pause stops the count" wait_for 5 title_holds
paused_at=$(title)
sleep 2.2
check "Pause holds the title at $paused_at" title_is "$paused_at"
xdotool key --window "$window" alt+p
check "Pause again resumes counting" wait_for 30 title_is_not "$paused_at"

# The system menu's Move goes on to the window manager: a keyboard move.
x_before=$(left_edge)
xdotool key --window "$window" alt+space
menu=""
find_menu() {
  menu=$(xdotool search --onlyvisible --class 'lapwick' 2>/dev/null | grep -v "^$window\$" | head -n 1)
  [ -n "$menu" ]
}
if wait_for 30 find_menu; then
  menu_x=$(xwininfo -id "$menu" | sed -n 's/.*Absolute upper-left X: *//p')
  menu_y=$(xwininfo -id "$menu" | sed -n 's/.*Absolute upper-left Y: *//p')
  # "Move" is the second item, below "Restore".
  xdotool mousemove $((menu_x + 35)) $((menu_y + 28)) click 1
  sleep 0.7
  for _ in 1 2 3 4 5; do
    xdotool key Right
    sleep 0.1
  done
  xdotool key Return
  moved() { [ "$(left_edge)" -gt "$x_before" ]; }
  check "Move from the system menu moves the window" wait_for 30 moved
else
  check "the system menu opens on Alt+Space" false
fi

# Reset from the menu bar with the mouse (Run and Reset share R).
xdotool mousemove $(($(left_edge) + 106)) $(($(top_edge) + 10)) click 1
check "Reset from the menu bar shows 00:00:00" wait_for 30 title_is "00:00:00"

# Minimised, the taskbar button is what tells the time.
xdotool key --window "$window" alt+r
check "Run again counts from zero" wait_for 30 title_is "00:00:01"
xdotool windowminimize "$window"
check "the window minimises" wait_for 30 is_iconic
minimised_at=$(property WM_ICON_NAME)
check "the taskbar button counts on while minimised" wait_for 30 icon_name_is_not "$minimised_at"

# Closing the window ends the program with exit code 0. Wine hands a key
# to its own active window, so Alt+F4 goes only once the program has taken
# the restore in: shown again, and its title moving on after that.
xdotool windowactivate "$window" 2>/dev/null
restored_at=""
restored_and_counting() {
  is_normal || return 1
  [ -n "$restored_at" ] || restored_at=$(title)
  title_is_not "$restored_at"
}
check "the restored window counts on" wait_for 50 restored_and_counting
# (the key release may find the window already gone)
xdotool key --window "$window" alt+F4 2>/dev/null
# Told apart, should it fail: a key that closed nothing, or a program that
# did not end after its window went.
if ! check "Alt+F4 closes the window" wait_for 100 window_gone; then
  echo "window state: $(xprop -id "$window" WM_STATE 2>/dev/null | grep 'window state'), title: $(title)"
fi
ended() { ! kill -0 "$program" 2>/dev/null; }
if wait_for 100 ended; then
  wait "$program"
  code=$?
  check "Alt+F4 ends the program with exit code 0 (got $code)" [ "$code" -eq 0 ]
else
  check "Alt+F4 ends the program" false
fi
trap - EXIT
kill "$program" 2>/dev/null

# The About and splash classes' icon from the desktop: the stock logo at 32
# and 16 pixels, as a class given it shows (one with none shows 32 alone).
shown() { icon=$(xprop -id "$(xdotool search --pid "$1" | tail -n 1)" _NET_WM_ICON) && [[ $icon == *"(16 x 16)"* ]]; }
icon_of() { "$WINELOADER" "$1" & wait_for 100 shown $! 2>/dev/null; kill $! && wait $! 2>/dev/null; echo "$icon"; }
logo=$(icon_of foreground_window_helper.exe)
check "About and splash show the stock logo" [ -n "$logo" -a "$(icon_of OmbrelAbout.exe)$(icon_of OmbrelSplash.exe)" = "$logo$logo" ]

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
