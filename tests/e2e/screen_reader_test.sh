#!/usr/bin/env bash
# The game as a screen reader reads it over AT-SPI, on a session bus of its own: a table of 64
# named cells, the focus on the keyboard's cell, and the status line after a pair.
# Usage: screen_reader_test.sh PATH_TO_ZEMBRO RUN_FOLDER
set -u
game=$(realpath "$1")
template=$(realpath "$2")
source "$(dirname "$0")/xvfb.sh"
reader="$(dirname "$(realpath "$0")")/screen_reader.py"
prepare_one_kind_run "$template"
start_xvfb 1024x768x24 || exit 1

# Everything on the bus runs inside one dbus-run-session; the checks read its output.
dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
    sleep 1
    cd "$1/run" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$2" 2>"$1/stderr.txt" &
    game=$!
    for _ in $(seq 150); do xdotool search --onlyvisible --name "^Zembro$" >/dev/null && break; sleep 0.1; done
    sleep 1
    xdotool key Return; sleep 0.5               # the about box
    xdotool key Up Right Return; sleep 0.5      # the frame on (2, 1), selected
    /usr/bin/python3 "$3" >"$1/before.txt"
    xdotool key Right Return; sleep 0.5         # (3, 1): a pair
    /usr/bin/python3 "$3" >"$1/after.txt"
    kill "$game"
' - "$work" "$game" "$reader" 2>"$work/bus.txt"

said() { grep -qx "$2" "$work/$1.txt"; }
check "the board is a table of 64 cells" said before "cells 64"
check "of 8 rows and 8 columns" said before "rows 8 8"
check "cells are named by row, column and content" said before "first riga 1, colonna 1: vuota"
check "a piece is named by its kind" said before "tenth riga 2, colonna 2: pedina 1"
check "the focus is the keyboard's cell" said before "focus riga 1, colonna 2: pedina 1"
check "the selection is the selected cell" said before "selected riga 1, colonna 2: pedina 1"
check "a pair is announced" said after "status Coppia tolta, restano 60 pedine"
check "the cells follow the board" said after "focus riga 1, colonna 3: vuota"
[ "$failures" -ne 0 ] && cat "$work/before.txt" "$work/after.txt" "$work/bus.txt"
finish_checks "$work"
