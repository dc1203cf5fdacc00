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
cd "$bin"
"$WINELOADER" "./$program.exe" "$@" &
# The splash ends after a second; the others are caught once fully drawn.
case $program in
  OmbrelSplash) sleep 0.7 ;;
  Lapwick) sleep 2 ;;
  OmbrelAbout) sleep 4 ;;
esac
shot="$root/build/screenshots/$program.png"
mkdir -p "$(dirname "$shot")"
import -window root "$shot"
echo "screenshot of $program written to $shot"
