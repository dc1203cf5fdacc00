# shellcheck shell=bash
# Helpers for catching the programs' windows on an X screen and taking
# pictures of them, sourced by run.sh and screenshots.sh. They need DISPLAY,
# xdotool, xwininfo, xprop and ImageMagick. Every wait is bounded.

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# window_class PROGRAM: the X class Wine gives a program's windows, which is
# its executable's name in lower case (Lapwick -> lapwick.exe).
window_class() { echo "$1.exe" | tr '[:upper:]' '[:lower:]'; }

# find_window CLASS: the id of a visible window of that class, or nothing.
find_window() {
  xdotool search --onlyvisible --classname "^${1//./\\.}\$" 2>/dev/null | head -n 1
}

# wait_for_window CLASS SECONDS [PID]: prints the id of the first visible
# window of the class. Fails after SECONDS, or at once when process PID ends
# first. Polls fast, since the splash is up for only about a second.
wait_for_window() {
  local class=$1 deadline=$(($(now_ms) + $2 * 1000)) pid=${3:-} window
  while [ "$(now_ms)" -lt "$deadline" ]; do
    window=$(find_window "$class")
    if [ -n "$window" ]; then
      echo "$window"
      return 0
    fi
    if [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null; then return 1; fi
    sleep 0.03
  done
  return 1
}

# window_region WINDOW [frame]: where the window is on the screen, as
# WIDTHxHEIGHT+X+Y for ImageMagick's -crop; with "frame", the window
# manager's frame (caption and border) is included. Prints nothing when the
# window is not viewable.
window_region() {
  local extents left=0 right=0 top=0 bottom=0
  if [ "${2:-}" = frame ]; then
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')
    if [ -n "$extents" ]; then IFS=, read -r left right top bottom <<<"$extents"; fi
  fi
  xwininfo -id "$1" 2>/dev/null | awk -v l="$left" -v r="$right" -v t="$top" -v b="$bottom" '
    /Absolute upper-left X:/ { x = $NF }
    /Absolute upper-left Y:/ { y = $NF }
    /^ *Width:/ { w = $NF }
    /^ *Height:/ { h = $NF }
    /Map State: IsViewable/ { viewable = 1 }
    END {
      if (!viewable) exit
      x -= l; y -= t; w += l + r; h += t + b
      if (x < 0) { w += x; x = 0 }
      if (y < 0) { h += y; y = 0 }
      printf "%dx%d+%d+%d\n", w, h, x, y
    }'
}

# grab FILE [REGION]: the whole screen, or the region of it, into FILE.
grab() {
  if [ -n "${2:-}" ]; then
    import -window root -crop "$2" +repage "$1"
  else
    import -window root "$1"
  fi
}

# change_box A B: the size WIDTHxHEIGHT of the box around every pixel that
# differs between two pictures of the same size; 0x0 when they are equal.
change_box() {
  convert "$1" "$2" -compose difference -composite -colorspace gray \
    -threshold 0 -format '%@' info: 2>/dev/null | sed 's/+.*//'
}

# is_dark FILE [REGION]: true when the picture (or the region of it) is
# black or nearly so, as a window that has not painted yet is.
is_dark() {
  local crop=() brightest
  if [ -n "${2:-}" ]; then crop=(-crop "$2" +repage); fi
  brightest=$(convert "$1" "${crop[@]}" -colorspace gray -format '%[fx:maxima]' info:)
  awk -v m="$brightest" 'BEGIN { exit !(m < 0.1) }'
}

# wait_until_settled WINDOW TOLERANCE QUIET_MS SECONDS: waits until the
# window has stayed in one place and its picture has not changed for QUIET_MS,
# looking every 0.3 s. Changes that fit in a TOLERANCE x TOLERANCE box are
# not counted, so a small animation (the About window's picture) does not
# hold the wait up while text that fades in or is typed out still does.
# Fails after SECONDS or when the window goes away.
wait_until_settled() {
  local window=$1 tolerance=$2 quiet_ms=$3 deadline=$(($(now_ms) + $4 * 1000))
  local work region previous_region="" quiet_since="" box width height status=1
  work=$(mktemp -d)
  while [ "$(now_ms)" -lt "$deadline" ]; do
    region=$(window_region "$window")
    [ -n "$region" ] || break
    grab "$work/now.png" "$region"
    if [ "$region" = "$previous_region" ]; then
      box=$(change_box "$work/before.png" "$work/now.png")
      width=${box%x*}
      height=${box#*x}
      if [ "${width:-0}" -le "$tolerance" ] && [ "${height:-0}" -le "$tolerance" ]; then
        [ -n "$quiet_since" ] || quiet_since=$(now_ms)
        if [ $(($(now_ms) - quiet_since)) -ge "$quiet_ms" ]; then
          status=0
          break
        fi
      else
        quiet_since=""
      fi
    else
      quiet_since=""
    fi
    mv "$work/now.png" "$work/before.png"
    previous_region=$region
    sleep 0.3
  done
  rm -rf "$work"
  return $status
}

# wait_for_exit PID SECONDS: true once the process has ended, within the bound.
wait_for_exit() {
  local deadline=$(($(now_ms) + $2 * 1000))
  while kill -0 "$1" 2>/dev/null; do
    [ "$(now_ms)" -lt "$deadline" ] || return 1
    sleep 0.1
  done
  return 0
}
