#!/usr/bin/env bash
# CTest's emulator for Windows test programs: runs one under the bench's
# Wine (64-bit or 32-bit) inside the bench in DIR.
dir=$1
shift
exec bash "$(dirname "$0")/with_bench.sh" "$dir" sh -c 'exec "$WINELOADER" "$@"' wine "$@"
