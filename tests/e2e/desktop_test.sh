#!/usr/bin/env bash
# The real game on a desktop: a bare X server, openbox, or weston with the game on its Xwayland.
# First the scenario rows marked [desktop], each on a fresh start and each word checked on the
# screen; then what only a window system does: the window's place, the keys given back after a
# dialog, minimise and restore, activation lost and regained, the drag by the grip, the window
# closed from outside. After each of these a pair of pieces is still removed with the mouse.
# Usage: desktop_test.sh PATH_TO_ZEMBRO RUN_FOLDER SCENARIO_FILE bare|openbox|weston|wine
# (wine: PATH_TO_ZEMBRO is zembro.exe, run by Wine on a 16-bit screen; ZEMBRO_TOOL names the
# Linux zembro-tool, which knows the layout)
set -u
[ -f "$1" ] || { echo "skipped: $1 is not built"; exit 77; }
game=$(realpath "$1")
template=$(realpath "$2")
scenarios=$(realpath "$3")
mode=$4
source "$(dirname "$0")/xvfb.sh"
start_desktop "$mode" || exit 1

# A scenario item as the real pointer and keys make it (the events of src/app/window_script.h).
declare -A KEYS=([up]=Up [down]=Down [left]=Left [right]=Right [return]=Return [escape]=Escape)
item() {
    local verb=$1
    shift
    case $verb in
    key) xdotool key "${KEYS[$1]:-$1}" && sleep 0.1 ;;
    leave) xdotool mousemove 50 50 && sleep 0.3 ;;
    *)
        # shellcheck disable=SC2046 # "X Y" is two arguments
        case ${1:-} in
        cell) point $(cell "$2" "$3") ;;
        [0-9]*) point "$1" "$2" ;;
        ?*) point $(zone "$1") ;;
        esac
        case $verb in
        press) xdotool mousedown 1 ;;
        release) xdotool mouseup 1 ;;
        right) xdotool click 3 ;;
        click) xdotool click 1 ;;
        esac
        sleep 0.1
        ;;
    esac
}

# What each word shows, against the screen before the events: the bar over the panel, the
# selected piece's preview, the counters, the keyboard's frame on its cell, the window gone
# from the screen (where a window manager minimises), the dialog a button opens, the clock
# standing still. The system pointer is in no screenshot: "pointer" is not looked at.
declare -A DIALOGS=([button2]='^Opzioni :$' [button3]='^Errore di caricamento$' [button5]='^Peccato HAI PERSO$')
run_row() {
    local row=$1 flags=$2 events=$3 words=" $4 " word
    prepare_one_kind_run "$template" 7 "$([[ $flags == *hold* ]] && echo 1 1 0 || echo 0 0 0)"
    open_game || { check "$row: the game starts" false; return; }
    point 40 590 # below the board
    shot base
    IFS=',' read -ra items <<<"$events"
    for i in "${items[@]}"; do
        # shellcheck disable=SC2086 # the item's words
        item $i
    done
    sleep 0.4
    if [[ $words == *" minimised "* && $mode == openbox ]]; then
        check "$row: minimised" not on_game xdotool search --onlyvisible --name '^Zembro$'
        on_game xdotool windowactivate "$win" && sleep 0.6
    fi
    for word in $words; do
        [ -n "${DIALOGS[$word]:-}" ] || continue
        check "$row: $word opens its dialog" eval "wait_for_window '${DIALOGS[$word]}' >/dev/null"
        dialog_key Escape
        keys_back
    done
    shot after
    # shows WORD|-WORD... -- BOX: the box changed when a word is there, else it stayed the same
    # (unless the game's pointer stands over it).
    # -WORD: the box changed when the word is not there.
    shows() {
        local box=("${@: -4}") shown=false w=${1#-}
        [[ $words == *" $w "* ]] && shown=true
        [[ $1 == -* ]] && { $shown && shown=false || shown=true; }
        if $shown; then
            check "$row: $1" box_changed base after "${box[@]}"
        elif ! covered "${box[@]}"; then
            check "$row: no $1" box_same base after "${box[@]}"
        fi
    }
    # shellcheck disable=SC2086 # the boxes are four arguments
    {
        shows bar 650 60 121 115
        [[ $words == *" selected "* ]] && check "$row: the selected piece" box_changed base after 23 440 80 60
        [[ $words != *" hover "* ]] && shows selected 23 440 80 60
        shows moves $moves_box
        shows pieces $pieces_box
    }
    if [[ $words =~ \ cursor\ ([0-9]),([0-9])\  ]]; then
        read -r x y <<<"$(cell "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}")"
        check "$row: the keyboard's frame" box_changed base after $((x - 49)) $((y - 36)) 98 72
    fi
    # The pause mark, lit at the start, which is paused; the clock where the pointer hides it.
    if covered 733 25 24 34; then
        [[ $words == *" paused "* ]] && check "$row: paused" clock_stands
    else
        shows -paused 733 25 24 34
    fi
    close_game
}
rows=0
while IFS= read -r line; do
    [[ $line == '['*desktop* ]] || continue
    flags=${line%%]*} text=${line#*] }
    run_row "line $rows: ${text%%=>*}" "$flags" "${text%%=>*}" "${text#*=> }"
    rows=$((rows + 1))
done <"$scenarios"
check "desktop rows: $rows" [ "$rows" -ge 8 ]
[ -n "${ZEMBRO_ROWS_ONLY:-}" ] && { finish_checks; exit; }

game_has_focus() { [ "$(on_game xdotool getwindowfocus 2>/dev/null)" = "$win" ]; }
is_visible() { on_game xdotool search --onlyvisible --name '^Zembro$' 2>/dev/null | grep -qx "$win"; }
window_position() {
    on_game xwininfo -id "$win" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }'
}
# position_becomes "X Y": the window gets there within three seconds (a compositor may place it
# a moment after it maps).
position_becomes() {
    for _ in $(seq 60); do
        [ "$(window_position)" = "$1" ] && return 0
        sleep 0.05
    done
    echo "the window is at ($(window_position))"
    return 1
}
# One game for what only a window system does.
prepare_one_kind_run "$template" 7
point 600 450
open_game
placed=$(zone window)
[ "$mode" = wine ] && placed=$(zone client) # the X window Wine shows is the client area
check "start-up: centred at ($placed)" position_becomes "$placed"
# Under Wine no window has the X focus where no window manager gives it: the keys follow the
# pointer (the rows above press keys over the game).
focus_told() { [ "$mode" != weston ] && [ "$mode" != wine ]; }
focus_told && check "the about box gives the focus back" game_has_focus
# A pair of the deal, clicked: the pieces left change.
pair() {
    shot before-pair
    click_cell "$2" "$3"
    click_cell "$4" "$5"
    point 40 590
    sleep 0.4
    shot after-pair
    # shellcheck disable=SC2086
    check "$1: a pair is removed" box_changed before-pair after-pair $pieces_box
}
# A message box from the bar, over one pointer; the keys and the clock come back after it.
shot before
click_game $(zone menu)
click_game $(zone button3) # Classifica: no results yet, a message
check "the message box shows" eval "wait_for_window '^Errore di caricamento$' >/dev/null"
shot dialog
check "no game pointer left on the MENU label" box_same before dialog 725 3 45 16
dialog_key Return
sleep 0.6
focus_told && check "the message box gives the focus back" game_has_focus
pair "after the dialog" 2 1 3 1


# Minimise and restore: paused meanwhile, running again after a click.
click_game $(zone minimise)
sleep 0.6
if [ "$mode" = openbox ] || [ "$mode" = wine ]; then
    check "minimised: the window leaves the screen" not is_visible
    on_game xdotool windowactivate "$win" && sleep 0.6
    check "restored: the window is back" is_visible
else
    check "no window manager, or one that minimises no X window: the window stays" is_visible
fi
pair "after minimising" 6 1 7 1
check "the clock runs again" clock_runs

# Another window takes the activation: the scene stands still; back on the game, it runs.
on_game display -size 200x100 -title Altro xc:gray &
other_pid=$!
other=$(wait_for_window '^Altro$')
on_game xdotool windowactivate "$other" 2>/dev/null || on_game xdotool windowfocus "$other"
sleep 0.6
check "another window has the focus" not game_has_focus
check "inactive: the seconds on screen stand still" clock_stands
kill "$other_pid"
wait "$other_pid" 2>/dev/null
if [ "$mode" = weston ]; then
    click_game 40 590 # weston takes no activation from a program
else
    on_game xdotool windowactivate "$win" 2>/dev/null || on_game xdotool windowfocus "$win"
fi
sleep 0.5
check "active again: the clock runs" clock_runs
pair "after the activation" 8 1 6 2

# The drag by the grip: the window manager's move, or the hand-made one.
read -r grip_x grip_y <<<"$(zone grip)"
point "$grip_x" "$grip_y"
xdotool mousedown 1
for step in 1 2 3 4 5; do
    point $((grip_x - 10 * step)) $((grip_y + 6 * step))
done
xdotool mouseup 1
sleep 0.5
check "the grip dragged the window by (-50, 30)" position_becomes "$((WIN_X - 50)) $((WIN_Y + 30))"
read -r WIN_X WIN_Y <<<"$(window_position)"
pair "after the drag" 3 2 4 2

# Another program destroys the window (under Wine: closes it, the system's Alt+F4): the game
# ends as Uscita's OK ends it.
if [ "$mode" = wine ]; then
    point 400 300 && xdotool key alt+F4
else
    on_game xdotool windowclose "$win"
fi
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
finish_checks
