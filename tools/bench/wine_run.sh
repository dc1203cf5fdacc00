#!/usr/bin/env bash
# CTest's emulator for Windows test programs: runs one under Wine inside
# the bench in DIR.
dir=$1
shift
exec bash "$(dirname "$0")/with_bench.sh" "$dir" /usr/lib/wine/wine64 "$@"
