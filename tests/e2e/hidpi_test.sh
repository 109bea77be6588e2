#!/usr/bin/env bash
# The game on a screen scaled by 2: the scene at twice its size with every pixel a sharp 2 x 2
# block, and the cells answering the mouse where they are drawn. A fractional scale is rounded to
# a whole one.
# Usage: hidpi_test.sh PATH_TO_ZEMBRO RUN_FOLDER
set -u
game=$(realpath "$1")
template=$(realpath "$2")
source "$(dirname "$0")/xvfb.sh"
work=$(mktemp -d)
trap 'kill "$GAME_PID" 2>/dev/null; stop_xvfb; rm -rf "$work"' EXIT
prepare_one_kind_run "$template"

start_xvfb 2048x1536x24 || exit 1
(cd "$work/run" && QT_SCALE_FACTOR=2 exec "$game") 2>"$work/stderr.txt" &
GAME_PID=$!
check "the game window appears" wait_for_game_window >/dev/null
sleep 0.5
xdotool key Return
sleep 0.4
# Device pixels are twice the logical ones the helpers compute.
device_click() {
    xdotool mousemove $((2 * $(screen_x "$1"))) $((2 * $(screen_y "$2")))
    sleep 0.25
    xdotool click 1
    sleep 0.25
}
import -window root "$work/before.png"
device_click "$(cell_x 2 1)" "$(cell_y 2 1)"
device_click "$(cell_x 1 1)" "$(cell_y 1 1)"
device_click "$(cell_x 1 2)" "$(cell_y 1 2)"
xdotool mousemove $((2 * $(screen_x 40))) $((2 * $(screen_y 560)))
sleep 0.6
import -window root "$work/after.png"

# A box of the scene, in device pixels, taken from a screenshot.
crop() { convert "$1" -crop "$4x$5+$((2 * $(screen_x "$2")))+$((2 * $(screen_y "$3")))" +repage "$6"; }
changed() {
    crop "$work/before.png" "$@" "$work/a.png"
    crop "$work/after.png" "$@" "$work/b.png"
    [ "$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 | cut -d' ' -f1)" -gt 100 ]
}
check "the pair went from cell (1, 2)" changed 330 50 96 60
check "the moves counter changed" changed 675 532 140 56
# Sharp: halving by sampling and doubling again gives back the same picture.
crop "$work/after.png" 100 200 200 200 "$work/sharp.png"
convert "$work/sharp.png" -sample 50% -sample 200% "$work/blocks.png"
check "every scene pixel is a sharp 2 x 2 block" \
    [ "$(compare -metric AE "$work/sharp.png" "$work/blocks.png" null: 2>&1 | cut -d' ' -f1)" -eq 0 ]

# Fractional scales: below three quarters rounded down, from there up.
for scale in QT_SCALE_FACTOR=1.5:806x606 QT_SCREEN_SCALE_FACTORS=1.5:806x606 QT_SCALE_FACTOR=1.75:1612x1212; do
    kill "$GAME_PID" 2>/dev/null
    wait "$GAME_PID" 2>/dev/null
    (cd "$work/run" && exec env "${scale%:*}" "$game") 2>"$work/stderr.txt" &
    GAME_PID=$!
    check "${scale%:*} gives a ${scale#*:} window" wait_for_window '^Zembro$' "${scale#*:}"
done
finish_checks "$work"
