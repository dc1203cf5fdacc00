#!/usr/bin/env bash
# Builds the 32-bit test guest from Debian's packages, once: a bookworm root
# with the i386 architecture added, the 32-bit Wine (and the 64-bit one),
# Xvfb, icewm, the X11 tools the tests drive, CTest to run them, and
# Debian's stock kernel (it runs 32-bit programs). The guest is then booted
# once to start a 32-bit Wine bench with tools/bench/start.sh, whose booted
# prefix stays in the image (/opt/ombrel/bench) as the template every run
# copies, so a run never waits for wineboot.
#
# The image lives outside the clone, in OMBREL_GUEST_CACHE (default
# /var/cache/ombrel-guest), in a folder named after a hash of the scripts
# that make it (this one, guest_init.sh, tools/bench/start.sh and
# tools/lib/debian_root.sh): a changed script
# makes a new image, an unchanged one is reused. Prints the
# folder (rootfs.img, vmlinuz, initrd.img) as its last line.
# Needs root (debootstrap, chroot), debootstrap, qemu-system-x86 and e2fsprogs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${OMBREL_GUEST_CACHE:-/var/cache/ombrel-guest}
# The packages come from the archive this machine's apt uses, unless
# OMBREL_GUEST_MIRROR names another.
# shellcheck source=../lib/apt_mirror.sh
source "$here/../lib/apt_mirror.sh"
# shellcheck source=../lib/build_cache.sh
source "$here/../lib/build_cache.sh"
# shellcheck source=../lib/debian_root.sh
source "$here/../lib/debian_root.sh"
mirror=${OMBREL_GUEST_MIRROR:-$(apt_mirror)}
start_bench=$here/../bench/start.sh
key=$(cat "$here/make_image.sh" "$here/guest_init.sh" "$start_bench" "$here/../lib/debian_root.sh" |
  sha256sum | cut -c1-16)
out=$cache/$key
if open_build_cache "$cache" "$key"; then
  echo "$out"
  exit 0
fi
started=$(date +%s)
log() { echo "[guest image $(($(date +%s) - started))s] $*" >&2; }
mkdir -p "$out"
root=$out/root

log "debootstrap bookworm"
debian_root_make "$root" bookworm "$mirror" "$out/debootstrap.log"
log "packages"
debian_root_enter "$root" "$out/packages.log" '
    dpkg --add-architecture i386
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends \
      wine wine32:i386 wine64 xvfb icewm x11-utils xdotool \
      cmake python3 unzip procps kmod initramfs-tools
    # The initramfs only has to find a virtio disk with ext4 on it: a short
    # list of modules, not most of them (minutes of compressing, twice).
    echo MODULES=list >/etc/initramfs-tools/conf.d/ombrel
    printf "%s\n" virtio_pci virtio_blk ext4 crc32c_generic >>/etc/initramfs-tools/modules
    apt-get install -y -qq --no-install-recommends linux-image-amd64
    apt-get clean
    rm -rf /var/lib/apt/lists/*
  '
debian_root_done "$root"
install -m 755 "$here/guest_init.sh" "$root/sbin/ombrel-boot"
install -D -m 755 "$start_bench" "$root/opt/ombrel/start.sh"
echo ombrel-guest >"$root/etc/hostname"
printf '127.0.0.1 localhost ombrel-guest\n' >"$root/etc/hosts"
cp "$(readlink -f "$root/vmlinuz")" "$out/vmlinuz"
cp "$(readlink -f "$root/initrd.img")" "$out/initrd.img"
log "root image ($(du -sh "$root" | cut -f1))"
mkfs.ext4 -q -F -L ombrel-root -d "$root" "$out/rootfs.img" 6G
rm -rf "$root"

# First boot: the 32-bit bench started once (a booted prefix, no crash
# dialog, no debugger, an ALSA null sound device), kept in the image.
log "first boot: wineboot"
job=$out/first-boot
mkdir -p "$job"
cat >"$job/job.sh" <<'JOB'
set -e
start=$(date +%s)
OMBREL_WINEBOOT_TIMEOUT=900 bash /opt/ombrel/start.sh /opt/ombrel/bench win32
echo "bench made in $(($(date +%s) - start)) s"
du -sh /opt/ombrel/bench/prefix
JOB
timeout 1500 bash "$here/boot_guest.sh" "$out" "$job" rw >"$out/first-boot.log" 2>&1 || true
cat "$job/output.log" >&2 || true
if [ "$(cat "$job/rc" 2>/dev/null)" != 0 ]; then
  tail -n 40 "$out/first-boot.log" >&2
  log "first boot FAILED"
  exit 1
fi
rm -rf "$job"
touch "$out/ready"
log "ready in $out"
echo "$out"
