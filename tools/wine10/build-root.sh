#!/usr/bin/env bash
# Makes the Wine 10 root once: a Debian 13 (trixie) root made with
# debootstrap from the archive this machine's apt uses, with Debian's 64-bit
# Wine 10, Xvfb, icewm, the X11 tools the tests drive and CTest, in which
# tools/wine10/run.sh runs the win64 build's Wine tests.
#
# The root lives outside the clone, in OMBREL_WINE10_CACHE (default
# /var/cache/ombrel-wine10), in a folder named after a hash of this script:
# a changed script makes a new root, an unchanged one is reused. Prints the
# root's folder as its last line. Needs root (debootstrap, chroot, mounts).
#
# Everything is mounted in a mount namespace of its own, so whatever the
# build mounts in the root ends with it, even when it is killed; a root
# that is deleted is also unmounted first, and never deleted through a mount.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${OMBREL_WINE10_CACHE:-/var/cache/ombrel-wine10}
# shellcheck source=../lib/apt_mirror.sh
source "$here/../lib/apt_mirror.sh"
# shellcheck source=../lib/build_cache.sh
source "$here/../lib/build_cache.sh"
mirror=${OMBREL_WINE10_MIRROR:-$(apt_mirror)}
key=$(sha256sum <"$here/build-root.sh" | cut -c1-16)
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
unshare --mount --propagation private \
  debootstrap --variant=minbase trixie "$root" "$mirror" >"$out/debootstrap.log" 2>&1 ||
  { tail -n 30 "$out/debootstrap.log" >&2; exit 1; }
# No daemons start in the root.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"
log "packages"
unshare --mount --propagation private sh -ec '
  root=$1
  mount -t proc proc "$root/proc"
  mount --bind /dev "$root/dev"
  mount --bind /dev/pts "$root/dev/pts"
  chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive \
    sh -ec "
      apt-get update -qq
      apt-get install -y -qq --no-install-recommends \
        wine64 xvfb icewm x11-utils xdotool cmake procps
      apt-get clean
      rm -rf /var/lib/apt/lists/*
    "
' sh "$root" >"$out/packages.log" 2>&1 || { tail -n 40 "$out/packages.log" >&2; exit 1; }
rm -f "$root/usr/sbin/policy-rc.d"
touch "$out/ready"
log "ready in $root ($(du -sh "$root" | cut -f1))"
echo "$root"
