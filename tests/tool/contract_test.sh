#!/usr/bin/env bash
# The zembro-tool contract: exact output, exit codes and error lines of each subcommand; the
# command lines of both programs.
# Usage: contract_test.sh PATH_TO_ZEMBRO_TOOL RUN_FOLDER [PATH_TO_ZEMBRO VERSION]
# (without the game, as mutation testing runs it, its command lines are skipped and said so)
set -u
tool=$(realpath "$1")
run_folder=$(realpath "$2")
game=${3:+$(realpath "$3")}
version=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
checks=0

# expect NAME EXPECTED_EXIT EXPECTED_STDOUT -- COMMAND... (stdin from $stdin_text when set)
expect() {
    local name=$1 want_exit=$2 want_out=$3
    shift 4
    local out status
    out=$(printf '%s' "${stdin_text:-}" | "$@" 2>stderr.txt)
    status=$?
    checks=$((checks + 1))
    if [ "$status" != "$want_exit" ] || [ "$out" != "$want_out" ]; then
        failures=$((failures + 1))
        echo "FAIL $name: exit $status (wanted $want_exit)"
        diff <(printf '%s\n' "$want_out") <(printf '%s\n' "$out") | head -20
        cat stderr.txt
    fi
}

# expect_error NAME EXIT -- COMMAND...: nothing on stdout, one "zembro-tool: " line on stderr.
expect_error() {
    expect "$1" "$2" "" -- "${@:4}"
    checks=$((checks + 1))
    if [ "$(wc -l <stderr.txt)" != 1 ] || ! grep -q '^zembro-tool: ' stderr.txt; then
        failures=$((failures + 1))
        echo "FAIL $1: stderr is not one zembro-tool line: $(cat stderr.txt)"
    fi
}

# matches NAME EXIT STDOUT_PATTERN STDERR_PATTERN -- COMMAND...: patterns, without a display.
matches() {
    local out
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "${@:6}" 2>stderr.txt)
    local status=$?
    checks=$((checks + 1))
    if [ "$status" != "$2" ] || ! grep -qE "$3" <<<"$out" || ! grep -qE "$4" <<<"$(cat stderr.txt)"; then
        failures=$((failures + 1))
        printf 'FAIL %s: exit %s (wanted %s)\nstdout: %s\nstderr: %s\n' "$1" "$status" "$2" "$out" "$(cat stderr.txt)"
    fi
}
# --help and --version print and end with status 0 without a display (so without a window);
# anything else ends with status 2 and says what was refused.
matches "tool --help" 0 '^usage: zembro-tool ' '^$' -- "$tool" --help
matches "tool, unknown" 2 '^$' "^zembro-tool: unknown command '--verbose'" -- "$tool" --verbose
if [ -z "$game" ]; then
    echo "skipped: the game's command lines and both versions (no game given)"
else
    matches "game --help" 0 '^usage: zembro ' '^$' -- "$game" --help
    matches "game -h" 0 '^usage: zembro ' '^$' -- "$game" -h
    matches "game --version" 0 "^zembro $version\$" '^$' -- "$game" --version
    matches "game, a Qt option" 2 '^$' "^zembro: unknown argument '-platform'" -- "$game" -platform offscreen
    matches "game, two options" 2 '^$' "^zembro: unknown argument '--version'" -- "$game" --help --version
    matches "tool --version" 0 "^zembro-tool $version\$" '^$' -- "$tool" --version
fi

# The deal's first worked example (its board is the deal's golden one; rows 3 to 8 are left out
# here), and a play on it: the 6 at (2, 1) to the corner, then paired with the 6 at (1, 2).
printf 'Immagini Numeri 33\r\n1 1 0 0 1\r\n0\r\n0\r\n20\r\n' >example1.opt
expect "deal" 0 "0 6 17 9 5 4 13 14
6 9 15 10 6 17 10 5
pieces_left 62
rng_state 19" -- bash -c '"$0" deal example1.opt 12345 | sed 3,8d' "$tool"
stdin_text=$'# a comment\n\nclick 2 1\nclick 1 1\nhover 1 2\ndown\nup\n'
expect "play" 0 "0 0 17 9 5 4 13 14
0 9 15 10 6 17 10 5
moves 2
seconds 0
pieces_left 60
selected 0 0
hover 255 255
won 0" -- bash -c '"$0" play example1.opt 12345 | sed 3,8d' "$tool"
stdin_text=$'jump\n'
expect_error "play, an unknown command" 1 -- "$tool" play example1.opt 1
unset stdin_text

# solve: its line in play's words, clicking and holding to drag (the lines themselves are the
# unit tests'); a deal with 30 fixed-cell attempts walls a piece in.
for mode in "0 0 1" "1 1 1"; do
    printf 'Immagini Numeri 33\n1 0 %s\n0\n10\n20\n' "$mode" >solve.opt
    stdin_text=$("$tool" solve solve.opt 4)
    expect "solve, then play, $mode" 0 "won 1" -- bash -c '"$0" play solve.opt 4 | tail -n 1' "$tool"
done
unset stdin_text
printf 'Immagini Numeri 33\n1 0 0 0 1\n0\n30\n20\n' >walled.opt
expect "solve, unwinnable" 0 "unwinnable region 3 1 holds 3 of kind 2" -- "$tool" solve walled.opt 1
expect "solve, unknown" 0 "unknown" -- "$tool" solve example1.opt 12345 1
expect_error "solve, a budget of 0" 2 -- "$tool" solve walled.opt 1 0

printf 'Img Num 40\n5 -1 0 1 0\n148\n30\n45\n' >clamped.opt
# (every value, as the reading rules give it, then the lines of three rules).
expect "options as read" 0 "11 lines
randomEmptyCells 1
reselectAfterMove 1
kindsUsed 39" -- bash -c '"$0" options clamped.opt | { o=$(cat); wc -l <<<"$o" | sed "s/$/ lines/"; grep -E "^(randomEmptyCells|reselectAfterMove|kindsUsed) " <<<"$o"; }' "$tool"

# The trace's worked example with a pair on the target, as a CR LF board: route B.
printf '1 1 1 1 1 1 1 1\r\n1 7 0 3 0 1 1 1\r\n1 0 1 1 0 1 1 1\r\n1 0 0 0 7 1 1 1\r\n' >pair.txt
printf '1 1 1 1 1 1 1 1\r\n%.0s' 1 2 3 4 >>pair.txt
expect "trace" 0 "0 0 0 0 0 0 0 0
0 1 0 0 0 0 0 0
0 1 0 0 0 0 0 0
0 1 1 1 1 0 0 0
0 0 0 0 0 0 0 0
0 0 0 0 0 0 0 0
0 0 0 0 0 0 0 0
0 0 0 0 0 0 0 0
path_valid 1
pair_target 1
can_move 1" -- "$tool" trace pair.txt 2 2 5 4
expect "pair" 0 "1" -- "$tool" pair pair.txt 2 2
printf '1 2 3\n' >short.txt
expect_error "trace, a short board" 1 -- "$tool" trace short.txt 1 1 2 2
expect_error "trace, an unknown word" 2 -- "$tool" trace pair.txt 1 1 2 2 three-colour

expect_error "no command" 2 -- "$tool"
expect_error "deal without a seed" 2 -- "$tool" deal example1.opt
expect_error "deal, a seed past 32 bits" 1 -- "$tool" deal example1.opt 4294967296
expect_error "deal, a missing file" 1 -- "$tool" deal missing.opt 1

# Pictures: red, green, blue and white, 24 bits, bottom row first: the CRC-32 of their 16-bit
# pixels (00 7C E0 03 1F 00 FF 7F), computed apart from the tool.
printf 'BM\x46\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\2\0\0\0\2\0\0\0\1\0\x18\0\0\0\0\0\x10\0\0\0' >four.bmp
printf '\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\xff\0\xff\0\0\0\xff\0\0\xff\xff\xff\0\0' >>four.bmp
expect "bmp" 0 "2 2 44ead272" -- "$tool" bmp four.bmp
expect_error "bmp, not a picture" 1 -- "$tool" bmp example1.opt

cp -r "$run_folder" run
cd run || exit 1
expect "hit, the top corner" 0 "1 1" -- "$tool" hit 403 38
expect "hit, outside" 0 "outside" -- "$tool" hit 5 300
expect_error "cell, off the board" 1 -- "$tool" cell 9 1
expect "zones" 0 "window 560 243
client 563 246
offset 5 0" -- bash -c '"$0" zones 1920x1080 | head -n 3' "$tool"
expect_error "zones, a screen too small" 1 -- "$tool" zones 640x480

# The window command's report of a game driven by the event language (its rows run in the unit
# tests: the same session): a pair removed with the mouse, then the frame shown by a key.
printf 'Immagini Contatori 33 0 0 0 0 0 0 7 1' >Option.opt
stdin_text=$'click cell 2 1, click 3 1\nkey right'
expect "window" 0 "pointer 500 110
cursor 1 1
won 0
sees hover 1,1 cursor 1,1 moves 1 pieces 46" -- bash -c '"$0" window 1 | tail -n 4' "$tool"
expect "keys" 0 "up Up" -- bash -c '"$0" keys | head -n 1' "$tool"
stdin_text="press 1 x"
expect_error "window, not a point" 1 -- "$tool" window 7
unset stdin_text

# A frame as the game composes it: a PNG of the screen that shows the state it is given.
printf 'Immagini Contatori 33 0 0 0 0 0 0 0 20' >Option.opt
printf 'selected 2 1\nhover 1 1\nseconds 77\npaused 1\n' >state.txt
expect "render, a dealt game" 0 "" -- "$tool" render dealt.png
expect "render, a state" 0 "" -- "$tool" render state.png state.txt
checks=$((checks + 1))
if [ "$(identify -format '%m %wx%h ' dealt.png state.png)" != "PNG 800x600 PNG 800x600 " ] ||
    cmp -s dealt.png state.png; then
    failures=$((failures + 1))
    echo "FAIL render: not two 800 x 600 pictures of two states"
fi
printf 'selected 9 9\n' >bad-state.txt
expect_error "render, a cell off the board" 1 -- "$tool" render bad.png bad-state.txt
rm Contatori/Mini.bmp
expect_error "render, a missing picture" 1 -- "$tool" render scene.png
cd .. || exit 1

# The score file, as the end of a game and the ranking use it.
expect "insert into no file" 0 "1" -- "$tool" insert scores.rec Anna 95 40 5 3 20 "2001-03-07 09:05"
expect "insert an equal result after the first" 0 "2" -- "$tool" insert scores.rec Ciro 95 40 148 0 1 "2026-01-02 03:04"
expect "scores" 0 "Pos. 01:   Sec:  95  Mosse:  40     Anna
07/03/2001 
09:05
05 Sec. 
20 
03 
Pos. 02:   Sec:  95  Mosse:  40     Ciro" -- bash -c '"$0" scores scores.rec | head -n 7' "$tool"
expect "rank, 40000 seconds wrap to a negative time" 0 "1" -- "$tool" rank scores.rec 40000 0
expect_error "scores, no file" 1 -- "$tool" scores none.rec
expect_error "insert, a bad date" 1 -- "$tool" insert scores.rec X 1 1 0 0 0 "2026-13-01 10:00"
expect_error "insert, too few arguments" 2 -- "$tool" insert scores.rec X 1

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
