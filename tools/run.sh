#!/usr/bin/env bash
# Builds the 64-bit programs and runs one by name with its arguments:
#   tools/run.sh OmbrelSplash some splash text
# On the user's X display when there is one; otherwise on a private Xvfb
# (with a window manager), where a screenshot is taken and its path printed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:?usage: tools/run.sh Lapwick|OmbrelAbout|OmbrelSplash [arguments...]}
shift
case $program in
  Lapwick|OmbrelAbout|OmbrelSplash) ;;
  *) echo "unknown program '$program' (Lapwick, OmbrelAbout or OmbrelSplash)"; exit 2 ;;
esac
bash "$root/tools/deps.sh"
cmake --preset win64 -S "$root" >/dev/null
cmake --build "$root/build/win64" --target "$program"
bin="$root/build/win64/bin"
export WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=${WINEDEBUG:--all}

if [ -n "${DISPLAY:-}" ] && xprop -root >/dev/null 2>&1; then
  # The About program reads its picture from the folder it starts in.
  cd "$bin"
  exec /usr/lib/wine/wine64 "./$program.exe" "$@"
fi

bench="$root/build/run-bench"
bash "$root/tools/bench/start.sh" "$bench"
trap 'bash "$root/tools/bench/stop.sh" "$bench"' EXIT
# shellcheck disable=SC1091
source "$bench/env"
# shellcheck source=tools/lib/shot_helpers.sh
source "$root/tools/lib/shot_helpers.sh"
cd "$bin"
class=$(window_class "$program")
shot="$root/build/screenshots/$program.png"
mkdir -p "$(dirname "$shot")"

# start_program: runs the program in the background; its process id in pid.
start_program() {
  "$WINELOADER" "./$program.exe" "$@" &
  pid=$!
}
# The first start in a new prefix is slow, so every wait is for the window
# itself, never a fixed time.
case $program in
  OmbrelSplash)
    # The splash is up for about a second from its creation: take the picture
    # as soon as it is mapped and has had a moment to paint. A picture that
    # missed it (black, or taken after it went) earns one more run.
    caught=0
    for attempt in 1 2; do
      start_program "$@"
      if window=$(wait_for_window "$class" 60 "$pid"); then
        region=$(window_region "$window")
        sleep 0.12
        grab "$shot"
        if [ -n "$region" ] && [ -n "$(find_window "$class")" ] && ! is_dark "$shot" "$region"; then
          caught=1
          break
        fi
      fi
      if [ "$attempt" = 1 ]; then echo "the splash was not caught on screen; running it once more"; fi
      # A second splash started while the first is up would only bring it forward.
      wait_for_exit "$pid" 20 || true
    done
    if [ "$caught" != 1 ]; then
      echo "no picture of the splash: its window was not caught on screen (see $shot)"
      exit 1
    fi
    ;;
  Lapwick | OmbrelAbout)
    start_program "$@"
    window=$(wait_for_window "$class" 60 "$pid") || {
      echo "no $program window appeared within a minute"
      exit 1
    }
    # Lapwick hides and centres itself after it first shows, then stands
    # still. The About window fades its page in, then only its small
    # animated picture moves.
    if [ "$program" = Lapwick ]; then
      wait_until_settled "$window" 0 600 20 || echo "$program did not settle; taking the picture anyway"
    else
      wait_until_settled "$window" 48 1200 30 || echo "$program did not settle; taking the picture anyway"
    fi
    grab "$shot"
    ;;
esac
echo "screenshot of $program written to $shot"
