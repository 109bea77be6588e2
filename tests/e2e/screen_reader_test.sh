#!/usr/bin/env bash
# The game with a real screen reader: Orca on a session bus, a home and an accessibility bus of
# the test's own, speech to a null sound device, what it speaks read from its debug log. The
# about box, a cell for each arrow and the board's edge, a selection made and dropped, a move
# with its penalty, a pair, the pause, the counters, the command buttons, Opzioni read in order,
# the cell told again after it, and results at a quick player's pace, each said once. The test
# ends only what it started: an Orca of the same user stays running.
# Usage: screen_reader_test.sh PATH_TO_ZEMBRO RUN_FOLDER
set -u
if [ -z "${ZEMBRO_OWN_BUS:-}" ]; then
    ZEMBRO_OWN_BUS=1 exec dbus-run-session -- bash "$0" "$@" 2>/dev/null
fi
game=$(realpath "$1")
source "$(dirname "$0")/xvfb.sh"
prepare_one_kind_run "$(realpath "$2")" 7
printf 'Immagini Contatori 33 0 0 0 0 0 5 7 1' >"$work/run/Option.opt" # a penalty of 5 seconds
start_xvfb 1024x768x24 || exit 1

# speech-dispatcher hangs where it finds no sound device: a null one.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher"
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$HOME/.asoundrc"
printf 'AudioOutputMethod "alsa"\nDefaultModule espeak-ng\nAddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n' \
    >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
# Another process named orca of this user, as the player's own screen reader would be.
cp /bin/sleep "$work/orca"
"$work/orca" 600 >/dev/null 2>&1 &
OTHER_PID=$!
/usr/libexec/at-spi-bus-launcher --launch-immediately &
BUS_PID=$!
# Orca refuses to start beside another Orca of the same user, and --replace would kill it: its
# own start, without that check. Its log is written a line at a time, so that what it shows is
# how far Orca has come.
/usr/bin/python3 - "$work/orca.txt" >/dev/null 2>&1 <<'EOF' &
import functools, runpy, sys
main = runpy.run_path("/usr/bin/orca", run_name="orca_for_a_test")["main"]
main.__globals__["otherOrcas"] = lambda: []
main.__globals__["open"] = functools.partial(open, buffering=1)
sys.argv = ["orca", "--debug-file=" + sys.argv[1]]
sys.exit(main())
EOF
ORCA_PID=$!
trap 'kill $GAME_PID $ORCA_PID $BUS_PID $OTHER_PID $XVFB_PID 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 150); do
    grep -q "SPEECH OUTPUT: 'Screen reader on" "$work/orca.txt" 2>/dev/null && break
    sleep 0.1
done
# One key at a time, as a player presses them, each once Orca has caught up with the last: it
# reads a cell's name when it comes to the event, and on a loaded machine it comes a second or
# more late. Caught up: the game has told it something since the key, and its log has then
# stood still for 0.7 s (within its work on one event a loaded machine was seen to pause 0.36 s).
orca_log_size() { stat -c %s "$work/orca.txt"; }
orca_caught_up() {
    local from=$1 size last=-1 still=0
    for _ in $(seq 150); do
        sleep 0.1
        size=$(orca_log_size)
        if [ "$size" = "$last" ]; then
            still=$((still + 1))
        else
            still=0
        fi
        last=$size
        [ "$still" -ge 7 ] && tail -c "+$((from + 1))" "$work/orca.txt" | grep -q ' in \[application | Zembro\]' &&
            return 0
    done
}
say() {
    local k from
    for k in "$@"; do
        from=$(orca_log_size)
        xdotool key "$k"
        orca_caught_up "$from"
    done
}
# The about box as a screen reader's tools find it: its place, and the controls the game window
# lists beside the board's.
about_seen() {
    /usr/bin/python3 - <<'EOF'
import pyatspi
for app in pyatspi.Registry.getDesktop(0):
    if app is not None and app.name == "Zembro":
        for window in app:
            e = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            print(window.getRoleName(), e.x, e.y, " ".join(c.getRoleName() for c in window))
EOF
}
(cd "$work/run" && DISPLAY=$GAME_DISPLAY exec env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$game") 2>>"$work/stderr.txt" &
GAME_PID=$!
about=$(wait_for_window '^$' 251x146) # the about box: no title
sleep 1
orca_caught_up 0
read -r about_x about_y <<<"$(xwininfo -id "$about" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }')"
about_seen >"$work/tree.txt"
check "the about box is where it is drawn ($about_x, $about_y)" grep -q "^alert $about_x $about_y " "$work/tree.txt"
check "its OK is the about box's alone" not grep -q "^frame .*push button" "$work/tree.txt"
say Return

say Right Left     # the frame shows on (1, 1); the edge
say Right space    # (2, 1) selected
say Escape space   # dropped, selected again
say Left space     # moved to (1, 1), though (3, 1) paired; still selected
say Down space     # (1, 2): paired with it
say p i m Down     # the pause, the counters, the command buttons
say Return         # Opzioni, from its first group to Pedine fisse (nine fields), one step up
say Tab Tab Tab Tab Tab Tab Tab Tab Tab Up
say Escape
# A quick player: a key every 0.12 s, from (1, 2): three pairs.
for k in Up Right Right space Right space Down space Left space Down Right space Down space; do
    xdotool key "$k"
    sleep 0.12
done
# Orca lags behind a quick player, and at times holds an event back until the next one comes: the
# last result, after I for the counters if it has not come within 5 s.
for i in $(seq 300); do
    grep -q "SPEECH OUTPUT: 'notification Coppia tolta, restano 40" "$work/orca.txt" && break
    [ "$i" = 50 ] && xdotool key i
    sleep 0.1
done
orca_caught_up 0
say ctrl+z # the last pair taken back
say h      # a hint, and the box that says the game will not be ranked
say Return

# What Orca said, a line each, with the keys it echoed as "key NAME" (a message box's text comes
# with no-break spaces).
sed -n "s/.*SPEECH OUTPUT: '\(.*\)' *{'established.*/\1/p" "$work/orca.txt" | sed 's/\.$//; s/^\([a-zA-Z]*\) $/key \1/; s/\xc2\xa0/ /g' \
    >"$work/spoken.txt"
spoke() { grep -qxF "$1" "$work/spoken.txt" || { echo "not said: $1"; return 1; }; }
# said_after FIRST LINE...: somewhere the line FIRST is followed by those lines, the keys echoed
# meanwhile aside (Orca at times holds an event back until the next one comes).
said_after() {
    local first=$1
    shift
    grep -v '^key ' "$work/spoken.txt" | awk -v f="$first" -v w="$(printf '%s|' "$@")" \
        'on { b = b $0 "|" } $0 == f { if (on && index(b, w) == 1) found = 1; on = 1; b = "" }
         END { exit !(found || (on && index(b, w) == 1)) }'
}
check "every text of the about box" spoke "Zembro un gioco di Marta Zembrini Version 1.00 e-mail : zembro@example.org"
check "the first arrow names the board" spoke "Scacchiera"
check "a cell is its row, column and content" spoke "riga 1, colonna 2: pedina 1"
check "the board's edge" spoke "notification Bordo della scacchiera"
# A table's whole new row would be read when the row changes: Down reads (1, 2) alone.
check "one arrow down, one cell" spoke "riga 2, colonna 1: pedina 1"
check "and no other cell of its row" not eval "sed '/^key p/q' '$work/spoken.txt' | grep -q 'riga 2, colonna [2-8]'"
check "a selection" spoke "notification Gioco ripreso, selezionata riga 1, colonna 2"
check "the selection dropped" spoke "notification Selezione annullata"
check "a move, its penalty, the piece still selected" spoke "notification Pedina spostata, penalità di 5 secondi, resta selezionata"
check "a pair" spoke "notification Coppia tolta, restano 46 pedine"
check "the pause" spoke "notification Pausa"
check "the counters" grep -qx "notification Secondi: [0-9]*, Mosse: 2, Pedine rimaste: 46" "$work/spoken.txt"
check "a command button" spoke "Resetta push button"
check "the next one" spoke "Opzioni push button"
check "Opzioni starts at its first group" said_after "Opzioni : dialog" "Selezione panel" "Persistente" "selected radio button"
check "a number field read whole" said_after "Secondi di penalità text" "  5"
check "and once: no selection told" not grep -qx " *selected\|Text unselected" "$work/spoken.txt"
check "the step said once, the field and its value" said_after "Pedine fisse text" "  7" "notification Pedine fisse: 8"
check "the framed cell after the dialog" said_after "Zembro frame" "Scacchiera" "List with 64 items" "riga 2, colonna 1: vuota"
awk '$0 == "riga 2, colonna 1: vuota" { on = 1 } /Mossa annullata/ { exit }
     on && /^notification/ && !/Secondi/' "$work/spoken.txt" >"$work/quick.txt"
check "each result once at a quick pace" diff - "$work/quick.txt" <<'EOF'
notification Selezionata riga 1, colonna 3
notification Coppia tolta, restano 44 pedine
notification Selezionata riga 2, colonna 4
notification Coppia tolta, restano 42 pedine
notification Selezionata riga 3, colonna 4
notification Coppia tolta, restano 40 pedine
EOF
check "a pair taken back" spoke "notification Mossa annullata"
check "a hint" grep -qx "notification Suggerimento: da riga [1-8], colonna [1-8] a riga [1-8], colonna [1-8]" "$work/spoken.txt"
check "a hinted game is not ranked: said" grep -q "questa partita non entrerà in classifica" "$work/spoken.txt"
check "another Orca of this user still runs" kill -0 "$OTHER_PID"
[ "$failures" -ne 0 ] && cat "$work/spoken.txt" && cp "$work/orca.txt" /tmp/zembro-orca.txt
finish_checks
