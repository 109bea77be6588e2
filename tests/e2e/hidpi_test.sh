#!/usr/bin/env bash
# The game on a screen scaled by 2: the scene at twice its size with every pixel a sharp 2 x 2
# block, and the cells answering the mouse where they are drawn.
# Usage: hidpi_test.sh PATH_TO_ZEMBRO RUN_FOLDER
set -u
game=$(realpath "$1")
source "$(dirname "$0")/xvfb.sh"
prepare_one_kind_run "$(realpath "$2")"
start_xvfb 2048x1536x24 || exit 1
GAME_SIZE=1612x1212 open_game QT_SCALE_FACTOR=2
check "the game starts, twice as large" [ -n "$win" ]
# Device pixels are twice the logical ones the helpers compute.
device() { echo $((2 * $(screen_x "$1"))) $((2 * $(screen_y "$2"))); }
shot before
for c in "2 1" "1 1" "1 2"; do
    # shellcheck disable=SC2046,SC2086
    xdotool mousemove $(device $(cell $c)) click 1 && sleep 0.25
done
xdotool mousemove $(device 40 560) && sleep 0.5
shot after
# A box of the scene, in device pixels, taken from a screenshot.
crop() { convert "$work/$1.png" -crop "$4x$5+$((2 * $(screen_x "$2")))+$((2 * $(screen_y "$3")))" +repage "$work/$6.png"; }
changed() {
    crop before "$@" a && crop after "$@" b
    [ "$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 | cut -d' ' -f1)" -gt 100 ]
}
check "the pair went from cell (1, 2)" changed 330 50 96 60
check "the moves counter changed" changed 675 532 140 56
# Sharp: halving by sampling and doubling again gives back the same picture.
crop after 100 200 200 200 sharp
convert "$work/sharp.png" -sample 50% -sample 200% "$work/blocks.png"
check "every scene pixel is a sharp 2 x 2 block" \
    [ "$(compare -metric AE "$work/sharp.png" "$work/blocks.png" null: 2>&1 | cut -d' ' -f1)" -eq 0 ]
# A fractional scale is rounded to a whole one (the back end's table has the rule).
close_game
GAME_SIZE=806x606 open_game QT_SCALE_FACTOR=1.5
check "QT_SCALE_FACTOR=1.5 gives an 806 x 606 window" [ -n "$win" ]
finish_checks
