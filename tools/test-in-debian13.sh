#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the test command, `bash wogenfeld.sh test`, on Debian 13 from a Debian
# machine: in a fresh minimal Debian 13 root made with debootstrap, on a fresh
# clone of this checkout's commit (uncommitted changes are not in it), so that
# nothing of this checkout's build folders is used. Needs root and the network.
# The root lives in build-debian13/; it is removed when the tests pass and kept
# for a look when they fail, until the next run.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
    echo "test-in-debian13.sh makes a Debian root and mounts file systems in it: run it as root." >&2
    exit 1
fi

# A new machine has no debootstrap; the test command installs its own packages the same way.
if ! command -v debootstrap >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
fi

mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
commit=$(git rev-parse HEAD)
work=$PWD/build-debian13
root=$work/root

mounted_below() {
    local target
    findmnt -rn -o TARGET | while read -r target; do
        case $target in "$root" | "$root"/*) echo "$target" ;; esac
    done
}

# Every process left inside the root is stopped before its file systems go:
# a lingering Xvfb or test would keep them busy.
stop_processes_in_root() {
    local process stopped=0
    for process in /proc/[0-9]*; do
        if [ "$process/root" -ef "$root" ]; then
            kill -KILL "${process#/proc/}" 2>/dev/null && stopped=1
        fi
    done
    [ "$stopped" -eq 0 ] || sleep 1
}

unmount_root() {
    stop_processes_in_root
    local target
    # Deepest first, so that /dev/pts goes before /dev.
    for target in $(mounted_below | sort -r); do
        umount "$target" 2>/dev/null || umount --lazy "$target"
    done
    if [ -n "$(mounted_below)" ]; then
        echo "Still mounted below $root:" >&2
        mounted_below >&2
        return 1
    fi
}

# A root is only ever removed with nothing mounted in it, and without crossing
# into another file system, so that no mount can take the host's files along.
remove_root() {
    unmount_root || { echo "Not removing $work." >&2; return 1; }
    rm -rf --one-file-system "$work"
}

# The long steps run in the background and are waited for, so that INT and
# TERM reach the traps at once rather than when the step ends.
child=""
in_background() {
    "$@" &
    child=$!
    local status=0
    wait "$child" || status=$?
    child=""
    return "$status"
}
# Its messages go where the script's own go, also when a step's output goes to a log.
exec 3>&2
clean_up() {
    [ -z "$child" ] || kill "$child" 2>/dev/null || true
    unmount_root 2>&3
}

remove_root
mkdir -p "$work"
trap clean_up EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

echo "Making a Debian 13 root in $root"
in_background debootstrap --variant=minbase trixie "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -n 20 "$work/debootstrap.log" >&2; exit 1; }
# Services that packages would start have no init to run under here.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
cp /etc/resolv.conf "$root/etc/resolv.conf"

# A /dev of its own rather than the host's: the tests make device nodes, and
# nothing done in the root can reach the host's devices.
mount -t proc proc "$root/proc"
mount -t sysfs -o ro sysfs "$root/sys"
mount -t tmpfs -o mode=755,nosuid dev "$root/dev"
for node in null:1:3 zero:1:5 full:1:7 random:1:8 urandom:1:9 tty:5:0; do
    IFS=: read -r name major minor <<<"$node"
    mknod -m 666 "$root/dev/$name" c "$major" "$minor"
done
mkdir "$root/dev/pts" "$root/dev/shm"
mount -t devpts -o newinstance,ptmxmode=0666,mode=620 devpts "$root/dev/pts"
ln -s pts/ptmx "$root/dev/ptmx"
mount -t tmpfs -o mode=1777,nosuid,nodev shm "$root/dev/shm"
ln -s /proc/self/fd "$root/dev/fd"
ln -s /proc/self/fd/0 "$root/dev/stdin"
ln -s /proc/self/fd/1 "$root/dev/stdout"
ln -s /proc/self/fd/2 "$root/dev/stderr"

echo "Cloning $commit into the root"
git clone --quiet --no-checkout "$PWD" "$root/root/wogenfeld"
git -C "$root/root/wogenfeld" checkout --quiet --detach "$commit"

echo "Running the test command on Debian 13"
# Under CI the sanitizer stage is left to Debian 12: both releases in full
# would take CI past its 45 minutes on a 2-core machine. The browser edition's
# site does not depend on the host: its tests run on Debian 12 alone.
sanitizer_stage=on
[ "${CI:-}" = true ] && sanitizer_stage=off
in_background chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" \
    WOGENFELD_SANITIZER_STAGE="$sanitizer_stage" WOGENFELD_BROWSER_STAGE=off \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c 'cd /root/wogenfeld && bash wogenfeld.sh test'

trap - EXIT
remove_root
echo "The test command passed on Debian 13."
