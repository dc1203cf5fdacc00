#!/usr/bin/env bash
# Stops everything the bench in DIR started: Wine's processes, the window
# manager and the X server. Safe to run twice or on a half-started bench.
dir=$1
if [ -f "$dir/env" ]; then
  # shellcheck disable=SC1091
  source "$dir/env"
  timeout 20 "$WINESERVER" -k >/dev/null 2>&1 || true
  timeout 20 "$WINESERVER" -w >/dev/null 2>&1 || true
fi
for name in icewm xvfb; do
  if [ -f "$dir/$name.pid" ]; then
    kill "$(cat "$dir/$name.pid")" >/dev/null 2>&1 || true
    rm -f "$dir/$name.pid"
  fi
done
exit 0
