# shellcheck shell=bash
# A cache of things a machine makes once (the guest image, the Wine 10
# root), each in a folder named after the hash of the scripts that make it.

# open_build_cache CACHE KEY: takes CACHE's lock for the rest of the
# script (file descriptor 9), waiting for a build under way at most
# OMBREL_CACHE_LOCK_TIMEOUT seconds (default 3600; past that the script
# ends with an error). Returns 0 when CACHE/KEY is ready. Otherwise
# deletes every other build in CACHE, old or half-made, and returns 1: a
# build that was killed may have left the host's /dev mounted in its root,
# so whatever is mounted in one is unmounted first, and nothing is deleted
# through a mount.
open_build_cache() {
  local cache=$1 key=$2 old
  mkdir -p "$cache"
  exec 9>"$cache/.lock"
  flock -w "${OMBREL_CACHE_LOCK_TIMEOUT:-3600}" 9 || { echo "$cache is locked for too long" >&2; exit 1; }
  [ -f "$cache/$key/ready" ] && return 0
  for old in "$cache"/*/; do
    [ -d "$old" ] || continue
    { grep -F " ${old%/}/" /proc/mounts || true; } | cut -d' ' -f2 | sort -r | xargs -r -n1 umount -l
    rm -rf --one-file-system "$old"
  done
  return 1
}
