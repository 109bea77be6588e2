#!/usr/bin/env bash
# The real game under Xvfb, played to the end with the keys alone, on the deal of the scenario
# file (48 pieces whatever the clock): every pair removed, a name given for the ranking and
# found in the score file, the ranking opened from the command buttons.
# Usage: win_test.sh PATH_TO_ZEMBRO PATH_TO_ZEMBRO_TOOL RUN_FOLDER
set -u
game=$(realpath "$1")
tool=$(realpath "$2")
source "$(dirname "$0")/xvfb.sh"
prepare_one_kind_run "$(realpath "$3")" 7
start_xvfb 1024x768x24 || exit 1
export XDG_CONFIG_HOME="$work/config"
check "the game starts" open_game

# The pairs to remove, in an order where each pair is in reach when its turn comes.
pairs="2 1 3 1;4 1 1 2;6 1 7 1;8 1 6 2;3 2 4 2;5 2 7 2;8 2 4 3;2 3 2 4;5 3 6 3;8 3 8 4;1 4 3 4;\
4 4 5 4;6 4 7 4;1 5 1 6;3 5 3 6;5 5 6 5;7 5 8 5;6 6 6 7;8 6 8 7;1 7 1 8;3 7 4 7;5 7 7 7;2 8 3 8;5 8 6 8"
key() { xdotool key "$@" && sleep 0.05; }
col=1 row=1 # the keyboard's frame starts on (1, 1)
go_to() {
    while [ "$col" -lt "$1" ]; do key Right; col=$((col + 1)); done
    while [ "$col" -gt "$1" ]; do key Left; col=$((col - 1)); done
    while [ "$row" -lt "$2" ]; do key Down; row=$((row + 1)); done
    while [ "$row" -gt "$2" ]; do key Up; row=$((row - 1)); done
}
key c # the path's end as a ring or a cross, kept among the player's choices
check "the shapes choice is kept" grep -qx 'pathShapes=true' "$XDG_CONFIG_HOME/zembro/zembro.ini"
key Up # on row 1 it only shows the frame; from then on the arrows move it
IFS=';' read -ra moves <<<"$pairs"
for pair in "${moves[@]}"; do
    read -r c1 r1 c2 r2 <<<"$pair"
    go_to "$c1" "$r1" && key Return
    go_to "$c2" "$r2" && key Return
done
# The win: the report asks whether to leave; Escape answers Cancel and keeps playing.
check "the win is reported" eval "wait_for_window WINNER >/dev/null"
key Escape
check "a place in the ranking is offered" eval "wait_for_window 'Nuovo Record' >/dev/null"
xdotool type --delay 30 "Anna"
key Return
sleep 0.5
check "the record is stored" bash -c "'$tool' scores '$work/run/Zembro.rec' | head -n 1 | grep -q 'Pos. 01:.*Mosse:  24     Anna'"
key m Down Down Return # Classifica, the third button
check "the ranking opens" eval "wait_for_window '^Classifica$' >/dev/null"
shot ranking
key Return
check "the game goes on with a new deal" kill -0 "$GAME_PID"
finish_checks
