#!/usr/bin/env bash
# The game on displays it cannot use: none at all gets one line and status 1; a screen below
# 800 x 600 gets its message on one line;
# an 8-bit screen, where the toolkit cannot paint, gets the reason on standard error and a
# clean stop instead of black windows.
# Usage: display_test.sh PATH_TO_ZEMBRO RUN_FOLDER
set -u
game=$(realpath "$1")
template=$(realpath "$2")
source "$(dirname "$0")/xvfb.sh"
prepare_one_kind_run "$template"

# No display at all, or one that is not there: the game's one line and status 1, never the
# toolkit's abort.
for display in "" :97; do
    (cd "$work/run" && DISPLAY=$display WAYLAND_DISPLAY= QT_QPA_PLATFORM= exec timeout 20 "$game") 2>"$work/stderr.txt"
    status=$?
    check "DISPLAY=\"$display\": status 1 (got $status)" [ "$status" = 1 ]
    check "DISPLAY=\"$display\": one line on standard error" \
        bash -c "[ \"\$(wc -l <'$work/stderr.txt')\" = 1 ] && grep -q '^zembro: .*display' '$work/stderr.txt'"
done

start_xvfb 640x480x16 || exit 1
(cd "$work/run" && exec "$game") 2>"$work/stderr.txt" &
GAME_PID=$!
box=$(wait_for_window '^Errore$')
check "a screen below 800 x 600 is refused with a message" [ -n "$box" ]
read -r width height < <(xdotool getwindowgeometry "$box" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
check "the message keeps its one line (a box ${width}x${height})" [ "$width" -gt $((3 * height)) ]
# OK, then OK to the window that could not be made.
for _ in 1 2; do
    xdotool key Return
    sleep 0.5
done
check "OK ends the program" bash -c "! kill -0 $GAME_PID 2>/dev/null"
stop_xvfb

start_xvfb 800x600x8 || exit 1
(cd "$work/run" && exec timeout 20 "$game") 2>"$work/stderr.txt"
status=$?
check "an 8-bit screen stops the program with status 1 (got $status)" [ "$status" = 1 ]
check "the reason is on standard error" grep -q '^zembro: the display shows 8 bits per pixel' "$work/stderr.txt"
finish_checks "$work"
