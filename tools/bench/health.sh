#!/usr/bin/env bash
# Checks that the bench in DIR can still run a test: its X server running
# and answering, its window manager running and still holding the screen.
# Prints the bench's fault and fails when it cannot. (Whether its
# wineserver answers, with_bench.sh sees when it asks it to end.)
dir=$1
# shellcheck disable=SC1091
source "$dir/env" || { echo "bench has no env file"; exit 1; }
# running NAME: the process in DIR/NAME.pid exists and is not a zombie.
running() {
  local pid state
  pid=$(cat "$dir/$1.pid" 2>/dev/null) || return 1
  state=$(ps -o stat= -p "$pid" 2>/dev/null) || return 1
  [ -n "$state" ] && [ "${state#Z}" = "$state" ]
}
running xvfb || { echo "X server gone (Xvfb ended)"; exit 1; }
timeout 10 xprop -root >/dev/null 2>&1 || { echo "X server not answering"; exit 1; }
running icewm || { echo "window manager gone (icewm ended)"; exit 1; }
# A window manager holds the screen through the window that
# _NET_SUPPORTING_WM_CHECK names; it goes with the window manager.
wm=$(timeout 10 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -o '0x[0-9a-f]*')
if [ -z "$wm" ] || ! timeout 10 xprop -id "$wm" >/dev/null 2>&1; then
  echo "window manager not holding the screen"
  exit 1
fi
exit 0
