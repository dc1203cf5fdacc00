#!/usr/bin/env bash
# Runs a command inside the bench in DIR, then ends whatever Wine processes
# it left, so every test starts from a quiet prefix.
dir=$1
shift
if [ ! -f "$dir/env" ]; then
  echo "the Wine bench in $dir is not running (run the bench_start test first)" >&2
  exit 1
fi
# shellcheck disable=SC1091
source "$dir/env"
"$@"
status=$?
timeout 20 "$WINESERVER" -k >/dev/null 2>&1
timeout 20 "$WINESERVER" -w >/dev/null 2>&1
exit $status
