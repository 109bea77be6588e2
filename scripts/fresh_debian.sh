#!/usr/bin/env bash
# Runs a command on a fresh Debian 12: a minimal root made by debootstrap (once, kept in
# /var/tmp/zembro-fresh-base), copied anew for each run, holding a clean clone of this
# repository's HEAD in /work/main and the folder beside it, as CI sees them. The host's X
# display, when there is one, is reachable inside. Prints the command's time. Needs root.
# Usage: scripts/fresh_debian.sh [--keep] [--ref REV] COMMAND...   e.g. ... ./test.sh
# --keep leaves the root in the folder it names on the last line (mounts undone); --ref REV
# checks out that revision instead of HEAD.
set -euo pipefail
cd "$(dirname "$0")/.."
keep=0
ref=HEAD
while [ $# -gt 0 ]; do
    case $1 in
    --keep) keep=1 ;;
    --ref) ref=$2; shift ;;
    *) break ;;
    esac
    shift
done
[ $# -gt 0 ] || { echo "usage: $0 [--keep] [--ref REV] COMMAND..." >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "$0: debootstrap and chroot need root" >&2; exit 2; }

base=/var/tmp/zembro-fresh-base
if [ ! -e "$base/.complete" ]; then
    command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap
    rm -rf "$base"
    debootstrap --variant=minbase bookworm "$base" http://deb.debian.org/debian >/dev/null
    touch "$base/.complete"
fi

root=$(mktemp -d /var/tmp/zembro-fresh.XXXXXX)
mounts=()
cleanup() {
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}" 2>/dev/null || true; done
    [ "$keep" -eq 1 ] || rm -rf "$root"
}
trap cleanup EXIT
cp -a "$base/." "$root/"
rm -f "$root/.complete"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mkdir -p "$root/work"
git clone -q --no-hardlinks . "$root/work/main"
git -C "$root/work/main" checkout -q "$(git rev-parse "$ref")"
[ -d ../shared ] && cp -r ../shared "$root/work/shared"

bind() {
    mkdir -p "$root$2"
    mount --bind "$1" "$root$2"
    mounts+=("$root$2")
}
mount -t proc proc "$root/proc" && mounts+=("$root/proc")
bind /dev /dev
bind /dev/pts /dev/pts
bind /sys /sys
[ -d /tmp/.X11-unix ] && bind /tmp/.X11-unix /tmp/.X11-unix

# In its own process group, so that a TERM (a timing harness ending the game) ends all of it
# and the mounts are still undone. Its input is this script's (a background job's is not).
exec 3<&0
start=$(date +%s.%N)
setsid chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    TERM="${TERM:-dumb}" ${DISPLAY:+DISPLAY=$DISPLAY} bash -c 'cd /work/main && "$@"' bash "$@" 0<&3 &
child=$!
trap 'kill -TERM -- "-$child" 2>/dev/null || true' TERM INT
status=0
while :; do
    wait "$child" && status=0 || status=$?
    kill -0 "$child" 2>/dev/null || break
done
awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "fresh Debian 12: %.0f s\n", e - s }' >&2
[ "$keep" -eq 1 ] && echo "$root"
exit "$status"
