#!/usr/bin/env bash
# The Debian package as a player gets it: unpacked into a temporary root, its launcher starts the
# game under Xvfb; the package names the libraries it needs and holds the manual pages.
# Usage: package_test.sh ZEMBRO_DEB
set -u
deb=$(realpath "$1")
source "$(dirname "$0")/xvfb.sh"
root="$work/root"
export XDG_DATA_HOME="$work/data"

check "the package unpacks" dpkg-deb -x "$deb" "$root"
check "its dependencies are computed" bash -c "dpkg-deb -f '$deb' Depends | grep -q libqt6widgets6"
for page in zembro zembro-tool; do
    check "the manual page $page(6) reads" bash -c "man -l '$root/usr/share/man/man6/$page.6.gz' 2>&1 | grep -q '^NAME'"
done
check "the tool runs" bash -c "'$root/usr/games/zembro-tool' --version | grep -q '^zembro-tool '"

start_xvfb 1024x768x24 || exit 1
"$root/usr/games/zembro" 2>"$work/stderr.txt" &
GAME_PID=$!
check "the launcher shows the game" eval "wait_for_game_window >/dev/null"
check "with the packaged pictures" test "$(readlink "$XDG_DATA_HOME/zembro/Immagini")" = "$root/usr/share/zembro/Immagini"
import -window root "$work/package.png" 2>/dev/null
finish_checks "$work"
