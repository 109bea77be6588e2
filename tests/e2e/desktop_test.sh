#!/usr/bin/env bash
# The real game on a desktop: a bare X server, openbox, weston with the game on its Xwayland, or
# zembro.exe under Wine on a 16-bit screen. First the scenario rows marked [desktop], each on a
# fresh start and each word checked on the screen. Then, on Linux, what only a window system
# does: the window's place, the keys given back after a dialog, minimise and restore, activation
# lost and regained, the drag by the grip, the window closed from outside, a pair of pieces still
# removed with the mouse after each. Under Wine, what the Windows build must share with the Linux
# one: the first frame, the score file two won games leave, and every dialog.
# Usage: desktop_test.sh PATH_TO_ZEMBRO RUN_FOLDER SCENARIO_FILE bare|openbox|weston|wine
# (wine: PATH_TO_ZEMBRO is zembro.exe; ZEMBRO_TOOL and ZEMBRO_LINUX name the Linux zembro-tool,
# which knows the layout, and the Linux game)
set -u
[ -f "$1" ] || { echo "skipped: $1 is not built"; exit 77; }
game=$(realpath "$1")
template=$(realpath "$2")
scenarios=$(realpath "$3")
mode=$4
source "$(dirname "$0")/xvfb.sh"
start_desktop "$mode" || exit 1

# A scenario item as the real pointer and keys make it (the event language of
# src/app/event_language.h); the keys by the game's own table.
declare -A KEYS
while read -r name keysym; do KEYS[$name]=$keysym; done < <("$tool" keys)
item() {
    local verb=$1
    shift
    case $verb in
    key) xdotool key "${KEYS[$1]}" && sleep 0.1 ;;
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

if [ "$mode" = wine ]; then
    # The first frame, the game's pointer below the board: the client area as the Linux build
    # shows it on the same screen, pixel for pixel.
    first_frame() {
        prepare_one_kind_run "$template" 7
        open_game && point 40 590 && sleep 0.5 && shot "$1"
        close_game
        convert "$work/$1.png" -crop "800x600+$(zone client | tr ' ' +)" +repage "$work/$1.png"
    }
    (game=$ZEMBRO_LINUX GAME_RUNNER='' GAME_SIZE='' && first_frame linux-frame)
    first_frame frame
    check "the first frame is the Linux build's" \
        [ "$(compare -metric AE "$work/linux-frame.png" "$work/frame.png" null: 2>&1)" = 0 ]

    # Two games won, with the mouse then with the keys, on pairs that clear the deal; the records
    # they store are those the Linux tool stores for the same results, made today.
    pairs="5,7-6,7 6,6-6,8 8,6-8,7 5,8-6,5 1,4-2,4 3,1-3,2 2,3-3,4 1,5-1,6 3,5-4,4 6,4-7,5 5,3-5,4 5,5-7,4
        6,3-8,5 6,2-8,4 4,3-5,2 6,1-7,7 3,6-3,7 7,1-8,1 4,1-4,2 4,7-8,3 2,8-3,8 1,7-1,8 1,2-2,1 7,2-8,2"
    # win NAME STEP: the game won with STEP C,R on each cell; OK to the winner's message, NAME typed.
    win() {
        open_game || { check "$1: the game starts" false; return; }
        point 40 590
        for cells in $pairs; do
            "$2" "${cells%-*}" && "$2" "${cells#*-}"
        done
        check "$1: the winner's message" eval "wait_for_window '^!You are the WINNER !$' >/dev/null"
        dialog_key Return
        check "$1: the new record's dialog" eval "wait_for_window '^Nuovo Record' >/dev/null"
        dialog_key End && LC_ALL=C.UTF-8 xdotool type "$1" && sleep 0.3 && xdotool key Return
        wait "$GAME_PID"
        check "$1: the game ends with status 0" [ $? = 0 ]
        GAME_PID=
        "$tool" scores "$work/run/Zembro.rec" | grep -A2 " $1\$" >"$work/record.txt"
        read -r _ _ _ seconds _ <"$work/record.txt"
        "$tool" insert "$work/linux.rec" "$1" "${seconds:-0}" 24 0 7 1 \
            "$(date +%F) $(sed -n 3p "$work/record.txt")" >/dev/null
    }
    mouse() { click_cell "${1%,*}" "${1#*,}"; }
    repeat() { for ((i = 0; i < $2; i++)); do echo "$1"; done; }
    cursor=
    keys() { # the keyboard's frame from $cursor (at first, (1, 1) is shown) to the cell, then space
        [ -n "$cursor" ] || { xdotool key Right && cursor=1,1; }
        local dc=$((${1%,*} - ${cursor%,*})) dr=$((${1#*,} - ${cursor#*,}))
        # shellcheck disable=SC2046 # the keys are arguments
        xdotool key --delay 40 $(repeat Right $dc) $(repeat Left $((-dc))) $(repeat Down $dr) \
            $(repeat Up $((-dr))) space
        cursor=$1
    }
    # "è" on a key of its own before the games start, so that xdotool types it without binding a
    # spare key for a moment: on a loaded machine Wine read that key after it was unbound, and
    # the letter was lost.
    free_key=$(on_game xmodmap -pke | awk 'NF == 3 { print $2; exit }')
    on_game xmodmap -e "keycode $free_key = egrave Egrave"
    prepare_one_kind_run "$template" 7
    win Anna mouse
    win "Bruno è" keys
    check "the records are the Linux tool's, byte for byte" cmp "$work/run/Zembro.rec" "$work/linux.rec"

    # The dialogs no row opens: the options' two file dialogs, the ranking of those results.
    open_game
    click_game $(zone menu) && click_game $(zone button2)
    # From the first group's choice to Carica, past the four other groups, Abilita and the two
    # numbers (without a penalty its seconds and Full are disabled).
    dialog_key Tab Tab Tab Tab Tab Tab Tab Tab space
    check "Carica's file dialog" eval "wait_for_window '^Open$' >/dev/null"
    dialog_key Escape && sleep 0.5 && dialog_key Tab space
    check "Salva's file dialog" eval "wait_for_window '^Save As$' >/dev/null"
    dialog_key Escape && sleep 0.5 && dialog_key Escape && keys_back
    click_game $(zone menu) && click_game $(zone button3)
    check "the ranking" eval "wait_for_window '^Classifica$' >/dev/null"
    shot ranking
    dialog_key Escape
    close_game

    # A folder the player may not write (unpacked where only an administrator writes): the game
    # plays from it, and keeps the settings and scores in the player's own folder.
    prepare_one_kind_run "$template" 7
    chmod -R a-w "$work/run"
    denied= # the super-user writes anywhere, unless it gives that up
    [ "$(id -u)" = 0 ] && denied="setpriv --bounding-set=-dac_override --inh-caps=-dac_override"
    GAME_RUNNER="$denied wine" GAME_BOXES=2 open_game
    players="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming/Zembro"
    check "protected: the settings copied to the player's folder" [ -f "$players/Option.opt" ]
    click_game $(zone menu) && click_game $(zone button2)
    wait_for_window '^Opzioni :$' >/dev/null && sleep 0.5
    # Past four groups and Abilita to the number of kinds, one up, Return for OK.
    dialog_key Tab Tab Tab Tab Tab Tab Up && shot protected-options && xdotool key Return
    saved() {
        for _ in $(seq 50); do
            "$tool" options "$players/Option.opt" | grep -qx 'kindsUsed 2' && return 0
            sleep 0.1
        done
        return 1
    }
    check "protected: Opzioni saved there" saved
    check "protected: nothing beside it (no lock)" [ "$(ls -A "$players")" = Option.opt ]
    check "protected: the game's folder as it was" \
        eval "'$tool' options '$work/run/Option.opt' | grep -qx 'kindsUsed 1'"
    close_game
    chmod -R u+w "$work/run"
    check "zembro.exe --help, on the terminal, says where its files are" \
        eval "wine '$work/run/zembro.exe' --help 2>/dev/null | grep -q 'in its own folder'"
    finish_checks
    exit
fi

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
check "start-up: centred at ($placed)" position_becomes "$placed"
focus_told() { [ "$mode" != weston ]; }
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
if [ "$mode" = openbox ]; then
    check "minimised: the window leaves the screen" not is_visible
    on_game xdotool windowactivate "$win" && sleep 0.6
    check "restored: the window is back" is_visible
else
    check "no window manager, or one that minimises no X window: the window stays" is_visible
fi
pair "after minimising" 6 1 7 1
check "the clock runs again" clock_runs

# Another window takes the activation: the scene stands still but for the seconds, which follow
# the clock; back on the game, it runs.
on_game display -size 200x100 -title Altro xc:gray &
other_pid=$!
other=$(wait_for_window '^Altro$')
on_game xdotool windowactivate "$other" 2>/dev/null || on_game xdotool windowfocus "$other"
sleep 0.6
check "another window has the focus" not game_has_focus
check "inactive: the seconds on screen follow the clock" clock_runs
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
finish_checks
