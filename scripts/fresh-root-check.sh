#!/usr/bin/env bash
# Shows that a new Debian 12 machine needs nothing but this repository: makes
# a minimal Debian 12 root (debootstrap's minbase, once; later runs reuse it),
# adds git, clones the current commit of this repository into it with that
# git, and runs there scripts/install-deps.sh and then a command, by default
# the whole CI run. Prints how long each step took. Run as root on Debian.
#
#   scripts/fresh-root-check.sh [--deps run|test|windows] ROOT [COMMAND]
#   scripts/fresh-root-check.sh /var/tmp/fresh-root \
#       'cmake --preset fuzz && cmake --build --preset fuzz && scripts/fuzz.sh 5'
#
# --deps chooses what install-deps.sh installs before the command (test, the
# default, is everything the tests need). `--deps run` with a new ROOT shows
# that the start command needs no test tools.
#
# Everything the script mounts is unmounted again when it ends.
set -euo pipefail

deps=test
if [ "${1:-}" = --deps ] && [ $# -ge 2 ]; then
    deps=$2
    shift 2
fi
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 [--deps run|test|windows] ROOT [COMMAND]" >&2
    exit 2
fi
[ "$(id -u)" -eq 0 ] || { echo "$0: run as root (debootstrap, mount, chroot)" >&2; exit 2; }
root=$(realpath -m "$1")
command=${2:-.ci/run}
source=$(cd "$(dirname "$0")/.." && pwd)

step() {
    local name=$1 begun=$SECONDS
    shift
    echo "=== $name"
    "$@"
    echo "=== $name: $((SECONDS - begun)) s"
}

if [ ! -x "$root/usr/bin/apt-get" ]; then
    command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap
    step "debootstrap" debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
fi

mounted=()
mount_in_root() {  # mount_in_root TARGET mount-arguments...
    local target=$root$1
    shift
    mount "$@" "$target"
    mounted=("$target" "${mounted[@]}")
}
unmount_all() {
    for target in "${mounted[@]}"; do
        umount -l "$target" || echo "could not unmount $target" >&2
    done
}
trap unmount_all EXIT

# The root is a mount point of its own, so that tests inside may make their
# mounts private to themselves as on a real machine.
mount_in_root "" --bind "$root"
mount_in_root /proc -t proc proc
mount_in_root /sys -t sysfs sysfs
mount_in_root /dev --bind /dev
mount_in_root /dev/pts --bind /dev/pts
cp /etc/resolv.conf "$root/etc/resolv.conf"

inside() { chroot "$root" env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 CI=true bash -c "$1"; }

step "git" inside 'command -v git >/dev/null || { apt-get update -qq && apt-get install -y -qq --no-install-recommends git; }'

# The clone is made inside the root by its own git, from a bundle of the
# current commit: nothing of the host's tree or its build folders goes in.
git -C "$source" bundle create "$root/tmp/stationbook.bundle" HEAD >/dev/null 2>&1
rm -rf "$root/root/stationbook"
step "clone" inside 'git clone -q /tmp/stationbook.bundle /root/stationbook'
echo "commit $(git -C "$source" rev-parse --short HEAD)"

step "install-deps.sh $deps" inside "cd /root/stationbook && scripts/install-deps.sh $deps"
step "$command" inside "cd /root/stationbook && $command"
