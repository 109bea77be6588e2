#!/usr/bin/env bash
# The real game started in run folders whose paths no text conversion survives: nested past
# the system's path limit, and named with a byte that is no UTF-8. It finds its files there,
# shows the board, and saves a result in the same folder.
# Usage: run_folder_test.sh PATH_TO_ZEMBRO PATH_TO_ZEMBRO_TOOL RUN_FOLDER
set -u
game=$(realpath "$1")
tool=$(realpath "$2")
template=$(realpath "$3")
source "$(dirname "$0")/xvfb.sh"
start_xvfb 1024x768x24 || exit 1

# Starts the game in the folder the current shell is in, answers the about box, and checks
# the board is shown and the process runs on.
start_here() {
    local name=$1
    "$game" 2>"$work/stderr.txt" &
    GAME_PID=$!
    check "$name: the game window appears" wait_for_game_window >/dev/null
    sleep 0.5
    xdotool key Return
    sleep 0.5
    import -window root "$work/$name.png"
    # The empty top corner cell is drawn from the pictures only a found folder gives.
    check "$name: the board is drawn" [ "$(convert "$work/$name.png" -crop "60x20+$(screen_x 380)+$(screen_y 60)" -format '%[fx:mean>0.05]' info:)" = 1 ]
    check "$name: no error" [ "$(grep -c "^zembro" "$work/stderr.txt")" = 0 ]
    check "$name: still running" kill -0 "$GAME_PID"
    kill "$GAME_PID"
    wait "$GAME_PID" 2>/dev/null
    check "$name: the tool saves a result here" [ "$("$tool" insert Zembro.rec Anna 10 1 0 0 1 "2026-12-06 10:00")" = 1 ]
}

# Twenty levels of 250 bytes: more than 4,096 bytes of path, reached one level at a time.
cd "$work" || exit 1
level=$(printf 'd%.0s' $(seq 250))
for _ in $(seq 20); do
    mkdir "$level" && cd "$level" || exit 1
done
cp -r "$template/." .
check "the folder is deeper than the path limit" [ "$(pwd | wc -c)" -gt 4096 ]
start_here deep

cd "$work" || exit 1
mkdir $'run\xe0' && cd $'run\xe0' || exit 1
cp -r "$template/." .
start_here latin1

cd "$work" || exit 1
finish_checks "$work"
