#!/usr/bin/env bash
# The real game under Xvfb: the about dialog is answered, a piece is selected, moved and paired
# with the mouse, and the screen changes where it should and nowhere else.
# Usage: play_test.sh PATH_TO_ZEMBRO RUN_FOLDER
set -u
game=$(realpath "$1")
template=$(realpath "$2")
source "$(dirname "$0")/xvfb.sh"
work=$(mktemp -d)
trap 'kill "$GAME_PID" 2>/dev/null; stop_xvfb; rm -rf "$work"' EXIT
prepare_one_kind_run "$template"

start_xvfb 1024x768x24 || exit 1
(cd "$work/run" && exec "$game") 2>"$work/stderr.txt" &
GAME_PID=$!

check "the game window appears" wait_for_game_window >/dev/null
sleep 0.5
import -window root "$work/about.png"
xdotool key Return # the about dialog's default button
sleep 0.5
import -window root "$work/before.png"
check "the about dialog showed over the board and closed" \
    [ "$(box_difference "$work/about.png" "$work/before.png" 380 260 60 30)" -gt 200 ]

click_game "$(cell_x 2 1)" "$(cell_y 2 1)" # select
click_game "$(cell_x 1 1)" "$(cell_y 1 1)" # move into the empty top corner
click_game "$(cell_x 1 2)" "$(cell_y 1 2)" # pair with the piece next to it
xdotool mousemove "$(screen_x 40)" "$(screen_y 560)"
sleep 0.6
import -window root "$work/after.png"

changed() { [ "$(box_difference "$work/before.png" "$work/after.png" "$@")" -gt 40 ]; }
unchanged() { [ "$(box_difference "$work/before.png" "$work/after.png" "$@")" -lt 5 ]; }
check "the paired piece left cell (1, 2)" changed 330 50 48 30
check "the moved piece left cell (2, 1)" changed 428 50 48 30
check "the moves counter counts 2" changed 675 532 70 28
check "the pieces counter counts 60" changed 210 544 70 28
check "a far cell is untouched" unchanged 380 520 40 20
check "the game is still running" kill -0 "$GAME_PID"

finish_checks "$work"
