#!/usr/bin/env bash
# The game with a real screen reader: Orca on a session bus, a home and an accessibility bus of
# the test's own, speech to a null sound device, what it speaks read from its debug log. A cell
# for each arrow, a selection, a move with its penalty, a pair, the pause, the counters, the
# command buttons, and a dialog's arrows with the value they set.
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
/usr/libexec/at-spi-bus-launcher --launch-immediately &
BUS_PID=$!
orca --replace --debug-file="$work/orca.txt" >/dev/null 2>&1 &
ORCA_PID=$!
trap 'kill $GAME_PID $ORCA_PID $BUS_PID $XVFB_PID 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 150); do
    grep -q "SPEECH OUTPUT: 'Screen reader on" "$work/orca.txt" 2>/dev/null && break
    sleep 0.1
done
check "the game starts" open_game QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# One key at a time, as a player presses them: a screen reader reads what is there when it
# comes to an event.
say() { for k in "$@"; do xdotool key "$k" && sleep 0.8; done; }
say Right          # the frame shows on (1, 1)
say Right          # (2, 1)
say space          # selected
say Left           # (1, 1)
say space          # moved there, though (3, 1) paired
say Down           # (1, 2)
say space          # paired with it
say p i m Down     # the pause, the counters, the command buttons
say Return         # Opzioni, whose first arrows are four Tabs away
say Tab Tab Tab Tab space
say Escape
sleep 0.5

# What Orca said, a line each, with the keys it echoed as "key NAME".
sed -n "s/.*SPEECH OUTPUT: '\(.*\)' *{'established.*/\1/p" "$work/orca.txt" | sed 's/\.$//; s/^\([a-zA-Z]*\) $/key \1/' \
    >"$work/spoken.txt"
spoke() { grep -qxF "$1" "$work/spoken.txt" || { echo "not said: $1"; return 1; }; }
check "the first arrow names the board" spoke "Scacchiera"
check "a cell is its row, column and content" spoke "riga 1, colonna 2: pedina 1"
# A table's whole new row would be read when the row changes: Down reads (1, 2) alone.
check "one arrow down, one cell" spoke "riga 2, colonna 1: pedina 1"
check "and no other cell of its row" not grep -q "riga 2, colonna [2-8]" "$work/spoken.txt"
check "a selection" spoke "notification Gioco ripreso, selezionata riga 1, colonna 2"
check "a move and its penalty" spoke "notification Pedina spostata, penalità di 5 secondi"
check "a pair" spoke "notification Coppia tolta, restano 46 pedine"
check "the pause" spoke "notification Pausa"
check "the counters" grep -qx "notification Secondi: [0-9]*, Mosse: 2, Pedine rimaste: 46" "$work/spoken.txt"
check "a command button" spoke "Resetta push button"
check "the next one" spoke "Opzioni push button"
check "a dialog's arrow" spoke "Pedine fisse: su push button"
check "the value it set" spoke "notification Pedine fisse: 8"
[ "$failures" -ne 0 ] && cat "$work/spoken.txt" && cp "$work/orca.txt" /tmp/zembro-orca.txt
finish_checks
