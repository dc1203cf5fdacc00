#!/usr/bin/env bash
# Builds both release packages in one command, from a clean checkout or an
# existing build: installs what is missing (tools/deps.sh), configures and
# builds the win64 and win32 presets, makes each zip with the package target
# and collects the zips with their SHA256SUMS in build/packages/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
out=build/packages
rm -rf "$out"
mkdir -p "$out"
for preset in win64 win32; do
  # A zip left by an earlier version would be collected too.
  rm -f build/$preset/ombrel-utilities-*.zip
  cmake --preset $preset
  cmake --build --preset $preset -j 2 --target package
  cp build/$preset/ombrel-utilities-*-$preset.zip "$out/"
done
(cd "$out" && sha256sum -- *.zip >SHA256SUMS)
echo "packages in $out:"
(cd "$out" && ls -l && cat SHA256SUMS)
