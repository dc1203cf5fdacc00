# shellcheck shell=bash
# Making and entering a Debian root, as the guest image and the Wine 10 root
# are made: debootstrap, then commands run in the root with what a system
# needs mounted, in a mount namespace of their own, so that the mounts end
# with them even when they are killed. Every step has a time limit: a stalled
# download ends the build instead of holding its cache's lock for ever.

# debian_root_make ROOT SUITE MIRROR LOG: a minimal SUITE root in ROOT from
# MIRROR, within OMBREL_DEBOOTSTRAP_TIMEOUT seconds (default 1200), its
# output in LOG (the end of it shown on failure). No daemon starts in it.
debian_root_make() {
  local root=$1 suite=$2 mirror=$3 log=$4
  timeout -k 10 "${OMBREL_DEBOOTSTRAP_TIMEOUT:-1200}" unshare --mount --propagation private \
    debootstrap --variant=minbase "$suite" "$root" "$mirror" >"$log" 2>&1 ||
    { tail -n 30 "$log" >&2; return 1; }
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
  chmod +x "$root/usr/sbin/policy-rc.d"
}

# debian_root_enter ROOT LOG SCRIPT: runs SCRIPT (sh -e) as the root's own
# root user, with a clean environment and proc, sys, dev and dev/pts
# mounted, within OMBREL_ROOT_STEP_TIMEOUT seconds (default 1800: apt's
# downloads and installs); its output in LOG (the end of it on failure).
debian_root_enter() {
  local root=$1 log=$2 script=$3
  timeout -k 10 "${OMBREL_ROOT_STEP_TIMEOUT:-1800}" unshare --mount --propagation private sh -ec '
    root=$1
    mount -t proc proc "$root/proc"
    mount -t sysfs sys "$root/sys"
    mount --bind /dev "$root/dev"
    mount --bind /dev/pts "$root/dev/pts"
    exec chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
      DEBIAN_FRONTEND=noninteractive sh -ec "$2"
  ' sh "$root" "$script" >"$log" 2>&1 || { tail -n 40 "$log" >&2; return 1; }
}

# debian_root_done ROOT: lets daemons start in the root again (for a root
# that boots).
debian_root_done() {
  rm -f "$1/usr/sbin/policy-rc.d"
}
