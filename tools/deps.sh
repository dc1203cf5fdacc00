#!/usr/bin/env bash
# Installs what building, running and testing need, when it is missing, on a
# Debian machine: CMake and Ninja, the two MinGW-w64 cross compilers (posix
# thread model), Debian's 64-bit Wine alone, Xvfb with the icewm window
# manager, X11 tools, GoogleTest sources, clang with its libFuzzer runtime
# for the fuzz preset, clang-format (the source format check), Python 3
# (checks the programs' version resources), zip tools (the release
# packages), and debootstrap with qemu for the 32-bit test guest
# (tools/guest).
set -euo pipefail
need=()
have() { command -v "$1" >/dev/null 2>&1; }
have cmake || need+=(cmake)
have ninja || need+=(ninja-build)
have g++ || need+=(g++)
have x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
have i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686)
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
have Xvfb || need+=(xvfb)
have icewm || need+=(icewm)
have xdotool || need+=(xdotool)
have xprop || need+=(x11-utils)
have xwd || need+=(x11-apps)
have import || need+=(imagemagick)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
have clang++ || need+=(clang)
have clang-format || need+=(clang-format)
# libFuzzer comes with the compiler-rt package of the installed clang
# (Debian 12: clang 14), which plain clang only recommends.
if ! have clang++ || [ ! -f "$(clang++ -print-resource-dir)/lib/linux/libclang_rt.fuzzer-x86_64.a" ]; then
  clang_major=14
  have clang++ && clang_major=$(clang++ -dumpversion | cut -d. -f1)
  need+=("libclang-rt-${clang_major}-dev")
fi
have python3 || need+=(python3)
have unzip || need+=(unzip)
have osslsigncode && have openssl || need+=(osslsigncode openssl)  # signing the release, and its test
have debootstrap || need+=(debootstrap)
have qemu-system-x86_64 || need+=(qemu-system-x86)
have mkfs.ext4 || need+=(e2fsprogs)
if [ ${#need[@]} -gt 0 ]; then
  echo "installing: ${need[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
