#!/usr/bin/env bash
# The real game on a desktop: on a bare X server, under a window manager (openbox), or in a
# Wayland session (weston, with the game on its Xwayland as a Wayland session starts it). Start-up
# geometry and focus, the pointer after the about box, a move onto the top corner cell, a
# dialog over one pointer only and the focus back after it, minimise and restore, activation
# lost to another window and regained, the drag by the grip; pieces are moved and paired after
# each of these. One pointer after a dialog and none when the pointer leaves the window; the
# file dialog's keys back after its question; the window closed by another program.
# Usage: desktop_test.sh PATH_TO_ZEMBRO RUN_FOLDER bare|openbox|weston
set -u
game=$(realpath "$1")
template=$(realpath "$2")
mode=$3
source "$(dirname "$0")/xvfb.sh"
work=$(mktemp -d)
GAME_PID=
OTHER_PID=
WESTON_PID=
trap 'kill "$GAME_PID" "$OTHER_PID" "$WESTON_PID" 2>/dev/null; stop_xvfb; rm -rf "$work"' EXIT
prepare_one_kind_run "$template"
rm -f "$work/run/Zembro.rec"

# xdotool's pointer and keys, and the screenshots, are on $DISPLAY; the game's windows on
# $GAME_DISPLAY, the same one but under weston.
if [ "$mode" = weston ]; then
    # weston's output is a window at the top-left of a larger X screen, so that the pointer can
    # enter it from outside (weston moves no pointer that has not entered).
    start_xvfb 1200x900x24 || exit 1
    start_weston || exit 1
    xdotool mousemove 1150 850
    sleep 0.2
else
    start_xvfb 1024x768x24 || exit 1
    [ "$mode" = openbox ] && { start_openbox || exit 1; }
    GAME_DISPLAY=$DISPLAY
fi
on_game() { DISPLAY=$GAME_DISPLAY "$@"; }
# The pointer waits over the board, far from the client's top-left corner.
xdotool mousemove "$(screen_x 600)" "$(screen_y 450)"
# As a desktop session starts it: under weston, WAYLAND_DISPLAY and XDG_SESSION_TYPE say Wayland.
(cd "$work/run" && DISPLAY=$GAME_DISPLAY exec "$game") 2>"$work/stderr.txt" &
GAME_PID=$!
OTHER_PID=
# The game's window: 806 x 606 (the about box, which may map first, has the same name).
win=$(on_game wait_for_window '^Zembro$' 806x606)
check "start-up: the game window appears, 806 x 606" [ -n "$win" ]

shot() { import -window root "$work/$1.png"; }
# box_changed|box_same A B X Y W H: a game-screen box of two screenshots.
box_changed() { [ "$(box_difference "$work/$1.png" "$work/$2.png" "$3" "$4" "$5" "$6")" -gt 40 ]; }
box_same() { [ "$(box_difference "$work/$1.png" "$work/$2.png" "$3" "$4" "$5" "$6")" -lt 5 ]; }
cell_box() { echo "$(($(cell_x "$1" "$2") - 24)) $(($(cell_y "$1" "$2") - 24)) 48 30"; }
seconds_box="125 67 76 34"
pieces_box="205 540 80 36"
rest() { xdotool mousemove "$(screen_x 40)" "$(screen_y 590)"; sleep 0.6; }
game_has_focus() { [ "$(on_game xdotool getwindowfocus 2>/dev/null)" = "$win" ]; }
is_visible() { on_game xdotool search --onlyvisible --name '^Zembro$' 2>/dev/null | grep -qx "$win"; }
not() { ! "$@"; }
# Where the window is on the screen, "X Y".
window_position() {
    on_game xwininfo -id "$win" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }'
}
# position_becomes "X Y": the window gets there within three seconds (a compositor may place it
# a moment after it maps); otherwise tells where it is.
position_becomes() {
    local at
    for _ in $(seq 60); do
        at=$(window_position)
        [ "$at" = "$1" ] && return 0
        sleep 0.05
    done
    echo "the window is at ($at)"
    return 1
}
# Selects one piece and pairs it with the one in reach: both cells and the pieces left change.
pair() {
    local name=$1
    shot before-pair
    click_game "$(cell_x "$2" "$3")" "$(cell_y "$2" "$3")"
    click_game "$(cell_x "$4" "$5")" "$(cell_y "$4" "$5")"
    rest
    shot after-pair
    # shellcheck disable=SC2046
    check "$name: the first piece left" box_changed before-pair after-pair $(cell_box "$2" "$3")
    # shellcheck disable=SC2046
    check "$name: the second piece left" box_changed before-pair after-pair $(cell_box "$4" "$5")
    # shellcheck disable=SC2086
    check "$name: the pieces left are counted" box_changed before-pair after-pair $pieces_box
}
# The seconds on screen run (they change within a second and a half), or stand still.
clock_runs() {
    shot clock-a
    sleep 1.6
    shot clock-b
    # shellcheck disable=SC2086
    box_changed clock-a clock-b $seconds_box
}
clock_stands() {
    shot clock-a
    sleep 1.6
    shot clock-b
    # shellcheck disable=SC2086
    box_same clock-a clock-b $seconds_box
}

check "start-up: centred at ($(zone window))" position_becomes "$(zone window)"
# The about box, once it is up, has the keys.
for _ in $(seq 100); do
    focus=$(on_game xdotool getwindowfocus 2>/dev/null)
    [ -n "$focus" ] && [ "$focus" != "$win" ] && break
    sleep 0.05
done
sleep 0.3
xdotool key Return
sleep 0.6
# weston gives the keys back to no window after a dialog, and takes no activation from a program.
[ "$mode" != weston ] && check "the about box gives the focus back" game_has_focus
shot after-about
xdotool mousemove "$(screen_x 610)" "$(screen_y 455)"
sleep 0.5
shot moved
check "no game pointer at the client's corner after the about box" box_same after-about moved 5 0 24 24

# The top corner cell reaches into the strip's band: a press there moves onto it.
shot before
click_game "$(cell_x 2 1)" "$(cell_y 2 1)"
click_game "$(cell_x 1 1)" "$(cell_y 1 1)"
rest
shot after
check "a press on the top corner cell moves the piece there" box_changed before after 675 532 70 28
pair "after the move" 1 1 1 2

# A dialog from the bar: the full redraw without the game pointer comes first.
click_zone menu
click_zone button3 # Classifica: no results yet, a message
sleep 0.5
check "the message box shows" eval "on_game wait_for_window '^Errore di caricamento$' >/dev/null"
shot dialog
check "no game pointer left on the MENU label" box_same before dialog 725 3 45 16
xdotool key Return
sleep 0.6
[ "$mode" != weston ] && check "the message box gives the focus back" game_has_focus
check "the clock runs after the dialog" clock_runs
shot after-dialog
xdotool mousemove "$(screen_x "$(cell_x 4 1)")" "$(screen_y "$(cell_y 4 1)")"
sleep 0.6
shot hover
check "the board answers the hover after the dialog" box_changed after-dialog hover 20 460 190 80
check "one pointer after the dialog: the game's is not left on the MENU label" box_same before after-dialog 725 3 45 16
# The pointer leaves the window: the game's pointer and the hover go with it.
xdotool mousemove 50 50
sleep 0.6
shot left
check "left the window: the hover's preview goes" box_same after-dialog left 20 460 190 80
# shellcheck disable=SC2046
check "left the window: no game pointer on the cell" box_same after-dialog left $(cell_box 4 1)
pair "after the dialog" 3 1 4 1

# Salva onto a file that exists, "No" to replacing it: the file dialog has the keys again, so
# the name typed next is the one saved. (weston gives the keys back to no window.)
if [ "$mode" != weston ]; then
    click_zone menu
    click_zone button2 # Opzioni
    options=$(on_game wait_for_window '^Opzioni :$')
    xdotool mousemove --window "$options" 478 174 click 1 # Salva
    on_game wait_for_window '^Salva come$' >/dev/null
    sleep 0.5
    xdotool type --delay 20 Option.opt
    xdotool key Return
    sleep 0.8
    xdotool key Escape # "No"
    sleep 0.8
    xdotool key ctrl+a
    xdotool type --delay 20 nuovo.opt
    xdotool key Return
    sleep 0.8
    xdotool key Escape # the options dialog's Cancel
    sleep 0.6
    check "after \"No\" to replacing a file, the file dialog has the keys" [ -f "$work/run/nuovo.opt" ]
    pair "after the options" 4 2 5 2
fi

# Minimise and restore: paused meanwhile, running again after a click.
click_zone minimise
sleep 0.8
if [ "$mode" = openbox ]; then
    check "minimised: the window leaves the screen" not is_visible
    on_game xdotool windowactivate "$win"
    sleep 0.8
    check "restored: the window is back" is_visible
else
    check "no window manager, or one that minimises no X window: the window stays" is_visible
fi
check "paused until the next click" clock_stands
pair "after minimising" 5 1 6 1
check "the clock runs again" clock_runs

# Another window takes the activation: the scene stands still; back on the game, it runs.
on_game display -size 200x100 -title Altro xc:gray &
OTHER_PID=$!
other=$(on_game wait_for_window '^Altro$')
on_game xdotool windowactivate "$other" 2>/dev/null || on_game xdotool windowfocus "$other"
sleep 0.8
check "another window has the focus" not game_has_focus
check "inactive: the seconds on screen stand still" clock_stands
kill "$OTHER_PID"
wait "$OTHER_PID" 2>/dev/null
OTHER_PID=
if [ "$mode" = weston ]; then
    click_game 40 590 # a place where a click does nothing else
else
    on_game xdotool windowactivate "$win" 2>/dev/null || on_game xdotool windowfocus "$win"
fi
sleep 0.6
check "active again: the clock shows" clock_runs
pair "after the activation" 7 1 8 1

# The drag by the grip: the window manager's move, or the hand-made one.
read -r grip_x grip_y <<<"$(zone grip)"
xdotool mousemove "$(screen_x "$grip_x")" "$(screen_y "$grip_y")"
sleep 0.2
xdotool mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove "$(screen_x $((grip_x - 10 * step)))" "$(screen_y $((grip_y + 6 * step)))"
    sleep 0.1
done
xdotool mouseup 1
sleep 0.6
check "the grip dragged the window by (-50, 30)" position_becomes "$((WIN_X - 50)) $((WIN_Y + 30))"
read -r WIN_X WIN_Y <<<"$(window_position)"
pair "after the drag" 2 2 3 2

check "the game is still running" kill -0 "$GAME_PID"

# Another program destroys the window: the game ends as Uscita's OK ends it.
on_game xdotool windowclose "$win"
for _ in $(seq 100); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.05
done
kill "$GAME_PID" 2>/dev/null # still running: it never noticed
wait "$GAME_PID" 2>/dev/null
status=$?
GAME_PID=
check "the window closed from outside ends the game with status 0 (got $status)" [ "$status" = 0 ]
check "nothing on standard error" bash -c "! grep -v '^QStandardPaths' '$work/stderr.txt' | grep -q ."
finish_checks "$work"
