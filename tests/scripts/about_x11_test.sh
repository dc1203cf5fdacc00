#!/usr/bin/env bash
# OmbrelAbout as the desktop shows it, read from outside Wine with X11
# tools: the title in the caption and on the taskbar, a window the window
# manager may neither resize nor minimise, kept above other windows; Esc
# and Enter leave it open, Alt+F4 ends the program with exit code 0.
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
hints() { xprop -id "$window" WM_NORMAL_HINTS 2>/dev/null; }
size_hint() { hints | sed -n "s/.*program specified $1 size: //p"; }
fixed_size() { [ -n "$(size_hint minimum)" ] && [ "$(size_hint minimum)" = "$(size_hint maximum)" ]; }
net_state_has() { xprop -id "$window" _NET_WM_STATE 2>/dev/null | grep -q "$1"; }
allowed_lacks() { ! xprop -id "$window" _NET_WM_ALLOWED_ACTIONS 2>/dev/null | grep -q "$1"; }
running() { kill -0 "$program" 2>/dev/null; }
not_running() { ! running; }

cd "${OMBREL_BIN_DIR:?}" || exit 1
"$WINELOADER" OmbrelAbout.exe &
program=$!
trap 'kill "$program" 2>/dev/null; wait "$program" 2>/dev/null' EXIT

# The window is created under "About Ombrel" but retitled before it is
# shown: no visible window may ever carry that name.
saw_build_caption=0
find_window() {
  if [ -n "$(xdotool search --onlyvisible --name '^About Ombrel$' 2>/dev/null)" ]; then
    saw_build_caption=1
  fi
  window=$(xdotool search --onlyvisible --name '^Ombrel Rezizazuriro 3$' 2>/dev/null | head -n 1)
  [ -n "$window" ]
}
if ! wait_for 200 find_window; then
  echo "FAILED: no OmbrelAbout window appeared"
  exit 1
fi
check "caption shows the product title" [ "$(property WM_NAME)" = "Ombrel Rezizazuriro 3" ]
check "taskbar shows the product title" [ "$(property WM_ICON_NAME)" = "Ombrel Rezizazuriro 3" ]
check "never shown as About Ombrel" [ "$saw_build_caption" = 0 ]
check "fixed size: minimum and maximum size hints agree" fixed_size
check "kept above other windows" net_state_has _NET_WM_STATE_ABOVE
check "cannot be resized" allowed_lacks _NET_WM_ACTION_RESIZE
check "cannot be minimised" allowed_lacks _NET_WM_ACTION_MINIMIZE
check "cannot be maximised" allowed_lacks _NET_WM_ACTION_MAXIMIZE

# Keys in the active window: dialog navigation turns Esc and Enter into
# commands the window ignores.
sleep 1.5  # the version page fades in before the loop reads any key
xdotool windowactivate --sync "$window" >/dev/null 2>&1
xdotool key Escape Return
sleep 1
check "Esc and Enter leave the program running" running
check "Esc and Enter leave the window up" [ "$(property WM_NAME)" = "Ombrel Rezizazuriro 3" ]

xdotool windowactivate --sync "$window" >/dev/null 2>&1
xdotool key alt+F4
check "Alt+F4 ends the program" wait_for 100 not_running
wait "$program"
status=$?
trap - EXIT
check "exit code 0 after Alt+F4" [ "$status" = 0 ]

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
