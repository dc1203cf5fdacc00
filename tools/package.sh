#!/usr/bin/env bash
# Builds both release packages in one command, from a clean checkout or an
# existing build: installs what is missing (tools/deps.sh), configures and
# builds the win64 and win32 programs, writes each zip (cmake/make_package.py)
# and collects the zips with their SHA256SUMS in build/packages/.
#
# The zips are the same bytes on every machine that builds the same commit
# with the same tools: every time in them is the commit's (SOURCE_DATE_EPOCH,
# else the last commit's date).
#
# Signed with Authenticode when given a certificate and its key (PEM files,
# kept out of the tree; the signer's certificate first, then its chain):
#   bash tools/package.sh --cert CERT.pem --key KEY.pem \
#     [--key-pass-file FILE] [--timestamp http://timestamp.example]
# or the same through OMBREL_SIGN_CERT, OMBREL_SIGN_KEY,
# OMBREL_SIGN_PASS_FILE and OMBREL_TIMESTAMP_URL.
set -euo pipefail
sign=()
while [ $# -gt 0 ]; do
  case $1 in
    --cert | --key | --key-pass-file)
      [ -f "${2:-}" ] || { echo "$1: no file '${2:-}'" >&2; exit 2; }
      sign+=("$1" "$(realpath -- "$2")")
      shift 2 ;;
    --timestamp)
      [ -n "${2:-}" ] || { echo "--timestamp needs a URL" >&2; exit 2; }
      sign+=("$1" "$2")
      shift 2 ;;
    *)
      echo "usage: bash tools/package.sh [--cert CERT.pem --key KEY.pem" \
           "[--key-pass-file FILE] [--timestamp URL]]" >&2
      exit 2 ;;
  esac
done
cd "$(dirname "$0")/.."
bash tools/deps.sh
out=build/packages
rm -rf "$out"
mkdir -p "$out"
for preset in win64 win32; do
  cmake --preset $preset
  cmake --build --preset $preset -j 2 --target Lapwick OmbrelAbout OmbrelSplash
  python3 cmake/make_package.py "@build/$preset/package.args" --out-dir "$out" "${sign[@]}"
done
(cd "$out" && sha256sum -- *.zip >SHA256SUMS)
echo "packages in $out:"
(cd "$out" && ls -l && cat SHA256SUMS)
