#!/usr/bin/env bash
# Makes the release zip with the package target, unpacks it and checks what
# a user gets: exactly the three programs, their picture, README and
# licence, the files the build made; the version resource and manifest in
# each program. Then the same tree copied to another folder (other build
# folder, umask and file times) builds only what ships and must give the
# same zip, byte for byte. Then the zip is signed with a throw-away
# self-signed certificate, twice, to the same bytes: every program verifies,
# and is, without its signature, the program the build made. Given the probes and the bench
# (64-bit), the signed programs start under Wine, OmbrelAbout started in the
# unpacked folder finds its picture there, and the probe sees the difference
# when it is missing.
# usage: package_test.sh BUILD_DIR BITS PYTHON [START_PROBE ABOUT_PROBE BENCH_DIR]
set -u
build=$1 bits=$2 python=$3 start_probe=${4:-} probe=${5:-} bench=${6:-}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
# The release's version and copyright line, as resources/version.h sets them
# (the build reads that file and CTest passes them in the environment).
version="$OMBREL_VERSION_MAJOR.$OMBREL_VERSION_MINOR"
lapwick_version="$LAPWICK_VERSION_MAJOR.$LAPWICK_VERSION_MINOR"
copyright=$OMBREL_COPYRIGHT
name="ombrel-utilities-$version-win$bits"
work="$build/package_test"
status=0
fail() { echo "FAIL $*"; status=1; }

rm -rf "$work"
mkdir -p "$work/out" "$work/unpacked" "$work/no-picture"
rm -f "$build/$name.zip"
if ! timeout 300 cmake --build "$build" --target package >"$work/package.log" 2>&1; then
  cat "$work/package.log"
  echo "FAIL package target"
  exit 1
fi
cp "$build/$name.zip" "$work/out/"
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
for fact in "Lapwick.exe" "OmbrelAbout.exe" "OmbrelSplash.exe" "ombrel.ani" "utilities $version (win$bits)" \
            "Lapwick $lapwick_version"; do
  grep -qF "$fact" "$folder/README.txt" || fail "README.txt does not mention '$fact'"
done
for fact in "$copyright" "Permission is hereby granted" \
            "OMBREL SOFTWARE BE LIABLE"; do
  grep -qF "$fact" "$folder/LICENSE.txt" || fail "LICENSE.txt lacks '$fact'"
done

"$python" "$source_dir/tests/scripts/check_resources.py" "$bits" \
  "$folder/Lapwick.exe" "$folder/OmbrelAbout.exe" "$folder/OmbrelSplash.exe" ||
  fail "version resource or manifest"

# Differences between two zips, entry by entry, and the first differing
# bytes of each entry that differs.
zip_differences() {
  "$python" - "$1" "$2" <<'PY'
import sys, zipfile
a, b = (zipfile.ZipFile(p) for p in sys.argv[1:3])
for x, y in zip(a.infolist(), b.infolist()):
    header = (x.filename, x.date_time, x.external_attr, x.create_system, x.extra)
    other = (y.filename, y.date_time, y.external_attr, y.create_system, y.extra)
    if header != other:
        print("entry", header, "against", other)
    data, other_data = a.read(x), b.read(y)
    if data != other_data:
        at = next((i for i, (c, d) in enumerate(zip(data, other_data)) if c != d), None)
        print(x.filename, "content differs at byte", at, "sizes", len(data), len(other_data))
PY
}

echo "== the same sources built in another folder"
elsewhere="$work/elsewhere"
mkdir -p "$elsewhere/sources"
tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$elsewhere/sources" -xf -
find "$elsewhere/sources" -exec touch -h -d "2001-02-03 04:05:06" {} +
epoch=$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null) || epoch=""
if ! (umask 077
      [ -n "$epoch" ] && export SOURCE_DATE_EPOCH=$epoch
      timeout 600 cmake -S "$elsewhere/sources" -B "$elsewhere/other-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$elsewhere/sources/cmake/toolchain-mingw$bits.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF &&
        timeout 600 cmake --build "$elsewhere/other-build" -j 2 --target package) \
      >"$work/elsewhere.log" 2>&1; then
  cat "$work/elsewhere.log"
  fail "the build in another folder"
elif ! cmp "$work/out/$name.zip" "$elsewhere/other-build/$name.zip"; then
  fail "the zips of the two builds differ:"
  zip_differences "$work/out/$name.zip" "$elsewhere/other-build/$name.zip"
else
  echo "same zip: $(sha256sum <"$work/out/$name.zip")"
fi

echo "== signed with a throw-away certificate"
keys="$work/signing"
mkdir -p "$keys" "$work/signed" "$work/signed-unpacked"
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Ombrel Test Signing/O=Ombrel Test" \
  -keyout "$keys/key.pem" -out "$keys/cert.pem" >"$keys/openssl.log" 2>&1 ||
  { cat "$keys/openssl.log"; fail "openssl made no certificate"; }
"$python" "$source_dir/cmake/make_package.py" "@$build/package.args" --out-dir "$work/signed" \
  --cert "$keys/cert.pem" --key "$keys/key.pem" || fail "signing the package"
"$python" "$source_dir/cmake/make_package.py" "@$build/package.args" --out-dir "$work/signed-again" \
  --cert "$keys/cert.pem" --key "$keys/key.pem" >/dev/null || fail "signing the package again"
cmp -s "$work/signed/$name.zip" "$work/signed-again/$name.zip" ||
  fail "signing twice with the same key gave two different zips"
unzip -q "$work/signed/$name.zip" -d "$work/signed-unpacked" || fail "unzip the signed package"
signed="$work/signed-unpacked/$name"
for exe in Lapwick.exe OmbrelAbout.exe OmbrelSplash.exe; do
  osslsigncode verify -CAfile "$keys/cert.pem" -in "$signed/$exe" >"$keys/verify.log" 2>&1 ||
    { cat "$keys/verify.log"; fail "$exe: osslsigncode verify"; }
  osslsigncode remove-signature -in "$signed/$exe" -out "$keys/$exe" >/dev/null 2>&1 &&
    cmp -s "$keys/$exe" "$build/bin/$exe" ||
    fail "$exe without its signature is not the program the build made"
done

if [ -n "$probe" ]; then
  echo "== the signed programs started under Wine"
  windows_path() { local path=$1; echo "Z:${path//\//\\}"; }
  started=$(timeout 180 bash "$source_dir/tools/bench/wine_run.sh" "$bench" "$start_probe" ready 1 \
    "$(windows_path "$signed/Lapwick.exe")" Lapwick \
    "$(windows_path "$signed/OmbrelSplash.exe")" OmbrelSplash | tr -d '\r')
  echo "$started"
  for class in Lapwick OmbrelSplash; do
    grep -qE "^$class [0-9]+$" <<<"$started" || fail "signed $class did not start and answer"
  done
  echo "== OmbrelAbout started in the unpacked signed folder"
  OMBREL_BIN_DIR="$signed" timeout 120 bash "$source_dir/tools/bench/wine_run.sh" "$bench" \
    "$probe" picture || fail "OmbrelAbout in the unpacked folder"
  echo "== OmbrelAbout alone, without its picture"
  cp "$signed/OmbrelAbout.exe" "$work/no-picture/"
  OMBREL_BIN_DIR="$work/no-picture" timeout 120 bash "$source_dir/tools/bench/wine_run.sh" \
    "$bench" "$probe" no-picture || fail "OmbrelAbout without its picture"
fi

[ $status -eq 0 ] && rm -rf "$work"
exit $status
