#!/usr/bin/env bash
# The game on a screen scaled by 2 (Qt's factor, or under Wine a Windows of 192 dots an inch):
# the scene at twice its size with every pixel a sharp 2 x 2 block, and the cells answering the
# mouse where they are drawn; under Wine, laptop screens whose scale leaves no room for twice
# the scene.
# Usage: hidpi_test.sh PATH_TO_ZEMBRO RUN_FOLDER [wine] (wine: zembro.exe, and ZEMBRO_TOOL)
set -u
[ -f "$1" ] || { echo "skipped: $1 is not built"; exit 77; }
game=$(realpath "$1")
source "$(dirname "$0")/xvfb.sh"
dpi() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
# The frame in device pixels: the system's under Wine, the game's own, scaled, on Linux.
if [ "${3:-}" = wine ]; then
    start_xvfb 2048x1536x16 && start_wine && dpi 192 || exit 1
    frame=3 size=1600x1200
else
    start_xvfb 2048x1536x24 || exit 1
    frame=$((2 * BORDER)) size=1612x1212
fi
prepare_one_kind_run "$(realpath "$2")"
GAME_SIZE=$size open_game QT_SCALE_FACTOR=2
check "the game starts, twice as large" [ -n "$win" ]
# Device pixels of a game-screen point.
device() { echo $((2 * WIN_X + frame + 2 * ($1 - OFFSET_X))) $((2 * WIN_Y + frame + 2 * $2)); }
shot before
for c in "2 1" "1 1" "1 2"; do
    # shellcheck disable=SC2046,SC2086
    xdotool mousemove $(device $(cell $c)) click 1 && sleep 0.25
done
xdotool mousemove $(device 40 560) && sleep 0.5
shot after
# A box of the scene, in device pixels, taken from a screenshot.
crop() { convert "$work/$1.png" -crop "$4x$5+$(device "$2" "$3" | tr ' ' +)" +repage "$work/$6.png"; }
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
# The bar at the scene's scale: its last button where the scene puts it.
# shellcheck disable=SC2046
shot before && xdotool mousemove $(device $(zone menu)) click 1 && sleep 0.5 && shot after
check "the bar's buttons at twice their size" changed 700 150 30 24
# A fractional scale is rounded to a whole one (the back end's table has the rule).
close_game
if [ "${3:-}" = wine ]; then
    dpi 144 && GAME_SIZE=800x600 open_game
else
    GAME_SIZE=806x606 open_game QT_SCALE_FACTOR=1.5
fi
check "a scale of 1.5 gives the window of scale 1" [ -n "$win" ]
# Laptops at 175 and 200 %: the largest whole scale at which the scene fits, down to 1.
if [ "${3:-}" = wine ]; then
    for screen in 1920x1080:96 1920x1080:120 1920x1080:144 1920x1080:168 1920x1080:192 1366x768:120; do
        close_game
        stop_xvfb
        start_xvfb "${screen%:*}x16" && dpi "${screen#*:}" || exit 1
        (cd "$work" && exec wine "$work/run/$(basename "$game")") 2>>"$work/stderr.txt" &
        GAME_PID=$!
        check "${screen%:*} at ${screen#*:} dots an inch: the scene at scale 1" \
            eval "wait_for_window '^Zembro$' 800x600 >/dev/null"
    done
fi
finish_checks
