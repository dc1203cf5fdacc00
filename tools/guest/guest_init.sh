#!/bin/bash
# The test guest's first process (init=): mounts what a system needs, mounts
# the host's job folder (9p tag "job"), runs its setup.sh (which
# boot_guest.sh writes: the host folders the guest sees) and then job.sh,
# records their output and exit code in the job folder, and powers the
# guest off in every case.
export PATH=/usr/sbin:/usr/bin:/sbin:/bin
mount -t proc proc /proc 2>/dev/null
mount -t sysfs sys /sys 2>/dev/null
mount -t devtmpfs dev /dev 2>/dev/null
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /tmp
mount -t tmpfs tmpfs /run
mount -o remount,rw /
hostname ombrel-guest
for module in 9pnet_virtio 9p overlay; do modprobe "$module"; done
mkdir -p /job
if mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000 job /job; then
  rm -f /job/rc
  status=0
  if [ -f /job/setup.sh ] && ! bash /job/setup.sh >/dev/console 2>&1; then
    echo "ombrel-boot: setup.sh failed" >/dev/console
    status=125
  fi
  if [ "$status" = 0 ]; then
    (cd /job && bash /job/job.sh) 2>&1 | tee /job/output.log >/dev/console
    status=${PIPESTATUS[0]}
  fi
  echo "$status" >/job/rc
  sync
  umount /job
else
  echo "ombrel-boot: no job folder" >/dev/console
fi
sync
# poweroff(8) may be missing from a minimal system: the kernel's own
# power-off, and failing that the end of this process (a panic, which qemu,
# started with -no-reboot and panic=-1, takes as the end).
poweroff -f 2>/dev/null
echo o >/proc/sysrq-trigger
sleep 10
exit 1
