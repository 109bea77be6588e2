#!/usr/bin/env bash
# Installs into a temporary prefix, checks the installed files and their metadata, then starts
# the launcher twice under Xvfb: the first start prepares the player's folder, the second keeps
# the player's settings and scores.
# Usage: install_test.sh BUILD_DIR
set -u
build=$(realpath "$1")
source "$(dirname "$0")/xvfb.sh"
prefix="$work/prefix"
export XDG_DATA_HOME="$work/data"
player="$XDG_DATA_HOME/zembro"

check "cmake --install succeeds" bash -c "cmake --install '$build' --prefix '$prefix' >/dev/null"
for f in bin/zembro bin/zembro-tool libexec/zembro/zembro share/zembro/Option.opt \
    share/zembro/Immagini/Sfondo2.bmp share/zembro/Immagini/Pedine.pos share/zembro/Contatori/Numeri.bmp \
    share/applications/org.zembro.Zembro.desktop share/metainfo/org.zembro.Zembro.metainfo.xml \
    share/icons/hicolor/16x16/apps/org.zembro.Zembro.png share/icons/hicolor/256x256/apps/org.zembro.Zembro.png \
    share/icons/hicolor/scalable/apps/org.zembro.Zembro.svg share/man/man6/zembro.6 share/man/man6/zembro-tool.6; do
    check "installed $f" test -e "$prefix/$f"
done
check "the desktop entry is valid" desktop-file-validate "$prefix/share/applications/org.zembro.Zembro.desktop"
check "the metadata is valid" appstreamcli validate --no-net "$prefix/share/metainfo/org.zembro.Zembro.metainfo.xml"

check "the launcher passes --version to the game" bash -c "'$prefix/bin/zembro' --version | grep -q '^zembro '"
check "and prepares nothing for it" test ! -e "$player"

start_xvfb 1024x768x24 || exit 1
start_game() {
    "$prefix/bin/zembro" 2>>"$work/stderr.txt" &
    GAME_PID=$!
    wait_for_game_window >/dev/null
}
stop_game() {
    kill "$GAME_PID" 2>/dev/null
    wait "$GAME_PID" 2>/dev/null
}

check "the first start shows the game" start_game
stop_game
check "the player's settings are a copy" cmp -s "$player/Option.opt" "$prefix/share/zembro/Option.opt"
check "the pictures link to the shared ones" test "$(readlink "$player/Immagini")" = "$prefix/share/zembro/Immagini"

# The player changes the settings and wins a game; a new version brings other pictures.
printf 'Immagini Contatori 33 1 1 1 1 1 0 4 12\r\n' >"$player/Option.opt"
"$prefix/bin/zembro-tool" insert "$player/Zembro.rec" Anna 95 40 0 4 12 "2026-12-06 10:00" >/dev/null
settings=$(cat "$player/Option.opt")
scores=$(od -An -tx1 "$player/Zembro.rec")
touch "$prefix/share/zembro/Immagini/new-in-this-version.bmp"

check "the second start shows the game" start_game
stop_game
check "the player's settings are kept" test "$(cat "$player/Option.opt")" = "$settings"
check "the player's scores are kept" test "$(od -An -tx1 "$player/Zembro.rec")" = "$scores"
check "the new version's pictures reach the player" test -e "$player/Immagini/new-in-this-version.bmp"

finish_checks "$work"
