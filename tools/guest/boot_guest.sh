#!/usr/bin/env bash
# Boots the test guest made by make_image.sh (folder IMAGE) on qemu's TCG
# and runs JOB/job.sh in it (see guest_init.sh); the guest writes JOB/output.log
# and JOB/rc. MODE "snapshot" (default) leaves the image as it was, "rw"
# keeps what the guest writes. Every further argument is a host folder the
# guest sees, read-only, at the same path. The guest is ended after
# OMBREL_GUEST_TIMEOUT seconds (default 3600) in every case.
#
# KVM is not used: on this kind of machine a KVM guest hangs in the
# firmware. SMAP is turned off because with it the guest kernel oopses on
# an iretq as soon as Wine's 64-bit side starts.
set -euo pipefail
image=$1 job=$2 mode=${3:-snapshot}
shift 3 || shift $#
drive="file=$image/rootfs.img,if=virtio,format=raw,cache=unsafe"
[ "$mode" = snapshot ] && drive+=",snapshot=on"
# Each shared folder: 9p, read-only, with the page cache on (a program
# mapped from a 9p mount without it reads pages of zeros), under an overlay
# whose writes stay in the guest.
shares=()
cat >"$job/setup.sh" <<'SETUP'
set -e
share() {
  mkdir -p "/mnt/$1" "/var/tmp/overlay/$1/upper" "/var/tmp/overlay/$1/work" "$2"
  mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000,cache=loose,ro "$1" "/mnt/$1"
  mount -t overlay overlay \
    -o "lowerdir=/mnt/$1,upperdir=/var/tmp/overlay/$1/upper,workdir=/var/tmp/overlay/$1/work" "$2"
}
SETUP
n=0
for path in "$@"; do
  n=$((n + 1))
  shares+=(-virtfs "local,path=$path,mount_tag=share$n,security_model=none,readonly=on")
  printf 'share share%d %q\n' "$n" "$path" >>"$job/setup.sh"
done
rm -f "$job/rc" "$job/output.log"
cores=$(nproc)
[ "$cores" -gt 4 ] && cores=4
exec timeout -k 10 "${OMBREL_GUEST_TIMEOUT:-3600}" qemu-system-x86_64 \
  -accel tcg,thread=multi -cpu max,-smap -smp "$cores" -m 2048 \
  -nographic -no-reboot -nic none \
  -kernel "$image/vmlinuz" -initrd "$image/initrd.img" \
  -append "console=ttyS0 root=/dev/vda rw init=/sbin/ombrel-boot panic=-1 quiet" \
  -drive "$drive" \
  -virtfs "local,path=$job,mount_tag=job,security_model=none" \
  "${shares[@]}"
