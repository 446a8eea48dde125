#!/bin/sh
# The small file system that the Windows tests fill up so that writes fail for real (CTest's
# full_disk fixture): a program under Wine cannot mount one itself.
#   full-disk.sh mount DIR SIZE   mounts a tmpfs of SIZE on DIR and marks it ready
#   full-disk.sh unmount DIR
# Needs root. Without it, or when mounting fails, it says why and the tests that need the file
# system skip; the fixture itself does not fail.
set -u
action=$1
dir=$2

release() {
  # Lazily, in case a program that a test left running still has its current directory there.
  if mountpoint -q "$dir"; then umount -l "$dir"; fi
  rm -f "$dir/mounted"
}

case $action in
  mount)
    mkdir -p "$dir"
    release  # left by a run that did not end
    if [ "$(id -u)" -ne 0 ]; then
      echo "full-disk: not root, no file system mounted on $dir: the full-disk tests skip"
    elif ! mount -t tmpfs -o "size=$3,mode=0755" tmpfs "$dir"; then
      echo "full-disk: mounting a tmpfs on $dir failed: the full-disk tests skip"
    else
      touch "$dir/mounted"
      echo "full-disk: tmpfs of $3 on $dir"
    fi
    ;;
  unmount)
    release
    ;;
  *)
    echo "usage: full-disk.sh mount DIR SIZE | unmount DIR" >&2
    exit 2
    ;;
esac
