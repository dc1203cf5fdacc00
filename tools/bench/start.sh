#!/usr/bin/env bash
# Starts the private Wine test bench in DIR: an Xvfb screen of 1024x768x24
# with the icewm window manager, a fresh Wine prefix (booted once), an ALSA
# null sound device, and winedbg's crash dialog turned off. Writes DIR/env,
# which the other bench scripts source. Every wait is bounded.
# usage: start.sh DIR [win64|win32]
# win32 runs the 32-bit Wine on a 32-bit prefix. When OMBREL_BENCH_TEMPLATE
# names a bench this script made before, its booted prefix is used in place
# instead of booting a new one: the 32-bit guest keeps one in its image and
# throws away what a run writes.
set -euo pipefail
dir=$1
arch=${2:-win64}
loader=/usr/lib/wine/wine64
[ "$arch" = win32 ] && loader=/usr/lib/wine/wine
template=${OMBREL_BENCH_TEMPLATE:-}
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/stop.sh" "$dir" >/dev/null 2>&1 || true
rm -rf "$dir"
mkdir -p "$dir/home"

# Sounds play into an ALSA null device, so PlaySound works without hardware.
cat > "$dir/home/.asoundrc" <<'ALSA'
pcm.!default { type null }
ALSA

# Xvfb picks a free display itself and tells us its number.
exec 3> "$dir/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -ac >"$dir/xvfb.log" 2>&1 &
echo $! > "$dir/xvfb.pid"
exec 3>&-
for _ in $(seq 100); do [ -s "$dir/display" ] && break; sleep 0.1; done
[ -s "$dir/display" ] || { echo "Xvfb did not start"; cat "$dir/xvfb.log"; exit 1; }
display=":$(head -n1 "$dir/display")"

# No TMPDIR: Debian 13's wineserver (Wine 10) aborts at start whenever it
# is set, even empty.
cat > "$dir/env" <<ENV
export DISPLAY=$display
export HOME=$dir/home
export WINEPREFIX=$dir/prefix
export WINEARCH=$arch
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINELOADER=$loader
export WINESERVER=/usr/lib/wine/wineserver
: "\${WINEDEBUG:=-all}"
export WINEDEBUG
export OMBREL_BENCH_DIR=$dir
ENV
# shellcheck disable=SC1091
source "$dir/env"

# Keys go to the focused program, as on Windows: the window manager keeps
# no Alt+Space of its own, which would open its window menu in place of the
# program's system menu.
mkdir -p "$HOME/.icewm"
echo 'KeyWinMenu=""' >"$HOME/.icewm/preferences"
DISPLAY=$display icewm >"$dir/icewm.log" 2>&1 &
echo $! > "$dir/icewm.pid"
# The window manager is up once it owns the screen's WM selection.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

if [ -n "$template" ] && [ -d "$template/prefix" ]; then
  ln -s "$template/prefix" "$WINEPREFIX"
  echo "bench ready on $display with prefix $WINEPREFIX (from $template)"
  exit 0
fi
timeout "${OMBREL_WINEBOOT_TIMEOUT:-120}" "$WINELOADER" wineboot -i >"$dir/wineboot.log" 2>&1
# No crash dialog and no debugger: a crashing program just ends.
timeout 60 "$WINELOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
timeout 60 "$WINELOADER" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 1 /f >/dev/null 2>&1
timeout 60 "$WINELOADER" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1 || true
# A bench at another display scale (OMBREL_BENCH_LOGPIXELS: 144 for 150 %),
# set before the session that the tests start: Wine 10 takes the monitors'
# DPI only when its session starts.
if [ -n "${OMBREL_BENCH_LOGPIXELS:-}" ]; then
  timeout 60 "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$OMBREL_BENCH_LOGPIXELS" /f >/dev/null 2>&1
fi
timeout 30 "$WINESERVER" -w || true
echo "bench ready on $display with prefix $WINEPREFIX${OMBREL_BENCH_LOGPIXELS:+ at $OMBREL_BENCH_LOGPIXELS DPI}"
