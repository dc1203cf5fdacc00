#!/usr/bin/env bash
# Makes the Wine 10 root once: a Debian 13 (trixie) root made with
# debootstrap from the archive this machine's apt uses, with Debian's 64-bit
# Wine 10, Xvfb, icewm, the X11 tools the tests drive and CTest, in which
# tools/wine10/test_wine10.sh runs the win64 build's Wine tests.
#
# The root lives outside the clone, in OMBREL_WINE10_CACHE (default
# /var/cache/ombrel-wine10), in a folder named after a hash of this script
# and tools/lib/debian_root.sh (which makes and enters it): a changed script
# makes a new root, an unchanged one is reused. Prints the root's folder as
# its last line. Needs root (debootstrap, chroot, mounts).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${OMBREL_WINE10_CACHE:-/var/cache/ombrel-wine10}
# shellcheck source=../lib/apt_mirror.sh
source "$here/../lib/apt_mirror.sh"
# shellcheck source=../lib/build_cache.sh
source "$here/../lib/build_cache.sh"
# shellcheck source=../lib/debian_root.sh
source "$here/../lib/debian_root.sh"
mirror=${OMBREL_WINE10_MIRROR:-$(apt_mirror)}
key=$(cat "$here/make_root.sh" "$here/../lib/debian_root.sh" | sha256sum | cut -c1-16)
out=$cache/$key
if open_build_cache "$cache" "$key"; then
  echo "$out/root"
  exit 0
fi
started=$(date +%s)
log() { echo "[wine10 root $(($(date +%s) - started))s] $*" >&2; }
mkdir -p "$out"
root=$out/root

log "debootstrap trixie"
debian_root_make "$root" trixie "$mirror" "$out/debootstrap.log"
log "packages"
debian_root_enter "$root" "$out/packages.log" '
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends \
      wine64 xvfb icewm x11-utils xdotool cmake procps
    apt-get clean
    rm -rf /var/lib/apt/lists/*
  '
debian_root_done "$root"
touch "$out/ready"
log "ready in $root ($(du -sh "$root" | cut -f1))"
echo "$root"
