#!/usr/bin/env bash
# Makes the release zip with CPack into an empty folder, unpacks it into
# another and checks what a user gets: exactly the three programs, their
# picture, README and licence, the files the build made; the version
# resource and manifest in each program; and, given the probe and the bench,
# that OmbrelAbout started in the unpacked folder finds its
# picture there, and that the probe sees the difference when it is missing.
# usage: package_test.sh BUILD_DIR BITS PYTHON [PROBE_EXE BENCH_DIR]
set -u
build=$1 bits=$2 python=$3 probe=${4:-} bench=${5:-}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
name="ombrel-utilities-3.1-win$bits"
work="$build/package_test"
status=0
fail() { echo "FAIL $*"; status=1; }

rm -rf "$work"
mkdir -p "$work/out" "$work/unpacked" "$work/no-picture"
if ! (cd "$build" && timeout 300 cpack -G ZIP -B "$work/out") >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL cpack"
  exit 1
fi
zips=$(cd "$work/out" && ls -- *.zip 2>/dev/null)
[ "$zips" = "$name.zip" ] || fail "package is '$zips', expected $name.zip"
unzip -q "$work/out/$name.zip" -d "$work/unpacked" || { echo "FAIL unzip"; exit 1; }

echo "== $name.zip"
unzip -l "$work/out/$name.zip"
listing=$(cd "$work/unpacked" && find . -mindepth 1 | LC_ALL=C sort)
expected=$(printf './%s\n' "$name" "$name/LICENSE.txt" "$name/Lapwick.exe" "$name/OmbrelAbout.exe" \
           "$name/OmbrelSplash.exe" "$name/README.txt" "$name/ombrel.ani" | LC_ALL=C sort)
[ "$listing" = "$expected" ] || fail "unpacked files differ:"$'\n'"$(diff <(echo "$expected") <(echo "$listing"))"

folder="$work/unpacked/$name"
for exe in Lapwick.exe OmbrelAbout.exe OmbrelSplash.exe; do
  cmp -s "$folder/$exe" "$build/bin/$exe" || fail "$exe is not the program the build made"
done
cmp -s "$folder/ombrel.ani" "$source_dir/resources/ombrel.ani" || fail "ombrel.ani differs"
for text in README.txt LICENSE.txt; do
  [ -s "$folder/$text" ] || { fail "$text is empty"; continue; }
  if grep -qv $'\r$' "$folder/$text"; then fail "$text has lines without Windows line ends"; fi
done
for fact in "Lapwick.exe" "OmbrelAbout.exe" "OmbrelSplash.exe" "ombrel.ani" "utilities 3.1 (win$bits)" \
            "Lapwick 1.6"; do
  grep -qF "$fact" "$folder/README.txt" || fail "README.txt does not mention '$fact'"
done
for fact in "Copyright (c) 1998-2026 Ombrel Software" "Permission is hereby granted" \
            "OMBREL SOFTWARE BE LIABLE"; do
  grep -qF "$fact" "$folder/LICENSE.txt" || fail "LICENSE.txt lacks '$fact'"
done

"$python" "$source_dir/tools/check_resources.py" "$bits" \
  "$folder/Lapwick.exe" "$folder/OmbrelAbout.exe" "$folder/OmbrelSplash.exe" ||
  fail "version resource or manifest"

if [ -n "$probe" ]; then
  echo "== OmbrelAbout started in the unpacked folder"
  OMBREL_BIN_DIR="$folder" timeout 120 bash "$source_dir/tools/bench/wine-run.sh" "$bench" \
    "$probe" picture || fail "OmbrelAbout in the unpacked folder"
  echo "== OmbrelAbout alone, without its picture"
  cp "$folder/OmbrelAbout.exe" "$work/no-picture/"
  OMBREL_BIN_DIR="$work/no-picture" timeout 120 bash "$source_dir/tools/bench/wine-run.sh" \
    "$bench" "$probe" no-picture || fail "OmbrelAbout without its picture"
fi

[ $status -eq 0 ] && rm -rf "$work"
exit $status
