#!/usr/bin/env bash
# The zembro-tool contract: exact output lines, exit codes and error lines.
# Usage: contract_test.sh PATH_TO_ZEMBRO_TOOL RUN_FOLDER
set -u
tool=$(realpath "$1")
run_folder=$(realpath "$2")
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
    local name=$1 want_exit=$2
    shift 3
    expect "$name" "$want_exit" "" -- "$@"
    checks=$((checks + 1))
    if [ "$(wc -l <stderr.txt)" != 1 ] || ! grep -q '^zembro-tool: ' stderr.txt; then
        failures=$((failures + 1))
        echo "FAIL $name: stderr is not one zembro-tool line:"
        cat stderr.txt
    fi
}

printf 'Immagini Numeri 33\r\n1 1 0 0 1\r\n0\r\n0\r\n20\r\n' >example1.opt

# Rows 3 to 8 of the first worked example, which the two plays below leave as they are.
example1_rows3to8="2 16 20 16 10 13 16 9
6 4 17 1 2 6 14 13
15 18 13 18 7 16 10 20
6 5 1 9 5 17 9 5
9 6 19 5 6 5 17 19
5 7 9 17 9 19 0 19"
expect "deal, first worked example" 0 "0 6 17 9 5 4 13 14
6 9 15 10 6 17 10 5
$example1_rows3to8
pieces_left 62
rng_state 19" -- "$tool" deal example1.opt 12345

printf 'Img Num 40\n5 -1 0 1 0\n148\n30\n45\n' >clamped.opt
expect "options as read" 0 "directory1 Img
directory2 Num
NumMaxPedine 40
controlledInsertion 1
randomEmptyCells 1
reselectAfterMove 1
holdToDrag 1
twoColourPath 0
penalty 148
fixedCells 30
kindsUsed 39" -- "$tool" options clamped.opt

# The trace's worked example: kind 7 at (2, 2), target (5, 4), route B after (4, 2) is filled.
cat >trace.txt <<'BOARD'
1 1 1 1 1 1 1 1
1 7 0 3 0 1 1 1
1 0 1 1 0 1 1 1
1 0 0 0 9 1 1 1
1 1 1 1 1 1 1 1
1 1 1 1 1 1 1 1
1 1 1 1 1 1 1 1
1 1 1 1 1 1 1 1
BOARD
route_b="0 0 0 0 0 0 0 0
0 1 0 0 0 0 0 0
0 1 0 0 0 0 0 0
0 1 1 1 1 0 0 0
0 0 0 0 0 0 0 0
0 0 0 0 0 0 0 0
0 0 0 0 0 0 0 0
0 0 0 0 0 0 0 0"
sed 's/^1 0 0 0 9/1 0 0 0 7/' trace.txt | tr -d '\r' | sed 's/$/\r/' >trace-pair.txt
expect "trace, pair target, CR LF board" 0 "$route_b
path_valid 1
pair_target 1
can_move 1" -- "$tool" trace trace-pair.txt 2 2 5 4

expect "pair available" 0 "1" -- "$tool" pair trace-pair.txt 2 2
expect "pair not available" 0 "0" -- "$tool" pair trace.txt 2 2

stdin_text="# select the 6 at (2, 1), move it to the corner, then pair it with the 6 at (1, 2)

click 2 1
click 1 1
hover 1 2
down
up
"
expect "play, click and click" 0 "0 0 17 9 5 4 13 14
0 9 15 10 6 17 10 5
$example1_rows3to8
moves 2
seconds 0
pieces_left 60
selected 0 0
hover 255 255
won 0" -- "$tool" play example1.opt 12345

printf 'a b 33 0 0 0 0 0 0 40 2\n' >short.opt
stdin_text="click 5 7
click 5 8
this line is never read
"
expect "play, winning stops the input" 0 "0 33 33 33 33 33 33 33
33 33 33 33 33 33 33 33
33 33 33 33 33 33 33 33
33 33 33 33 33 33 33 33
33 33 33 33 33 33 33 33
33 33 33 33 33 33 33 33
33 33 33 33 0 33 33 33
33 33 33 33 0 33 33 0
moves 1
seconds 0
pieces_left 0
selected 0 0
hover 255 255
won 1" -- "$tool" play short.opt 22
stdin_text=""

printf '1 2 3\n' >short-board.txt
printf 'x\n' >bad-seed-free.txt
expect_error "no command" 2 -- "$tool"
expect_error "unknown command" 2 -- "$tool" frobnicate
expect_error "deal without seed" 2 -- "$tool" deal example1.opt
expect_error "deal with a bad seed" 1 -- "$tool" deal example1.opt 4294967296
expect_error "deal with a negative seed" 1 -- "$tool" deal example1.opt -1
expect_error "deal with a missing file" 1 -- "$tool" deal missing.opt 1
expect_error "options with a missing file" 1 -- "$tool" options missing.opt
expect_error "trace on a short board" 1 -- "$tool" trace short-board.txt 1 1 2 2
expect_error "trace with a cell off the board" 1 -- "$tool" trace trace.txt 9 1 2 2
expect_error "trace with an unknown word" 2 -- "$tool" trace trace.txt 1 1 2 2 three-colour
expect_error "pair on a directory" 1 -- "$tool" pair . 1 1
stdin_text="hover 9 9
"
expect_error "play with a cell off the board" 1 -- "$tool" play example1.opt 1
stdin_text="jump
"
expect_error "play with an unknown command" 1 -- "$tool" play example1.opt 1
stdin_text=""

# Pictures: the loader's CRC of the converted pixels, the hit test and the composed frame.
cp -r "$run_folder" run
# Red, green, blue and white, 24 bits, bottom row first: the CRC-32 of their 16-bit pixels
# (00 7C E0 03 1F 00 FF 7F), computed apart from the tool.
printf 'BM\x46\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\2\0\0\0\2\0\0\0\1\0\x18\0\0\0\0\0\x10\0\0\0' >four.bmp
printf '\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\xff\0\xff\0\0\0\xff\0\0\xff\xff\xff\0\0' >>four.bmp
expect "bmp, four colours" 0 "2 2 44ead272" -- "$tool" bmp four.bmp
expect_error "bmp, not a picture" 1 -- "$tool" bmp run/Option.opt
expect_error "bmp, missing" 1 -- "$tool" bmp run/none.bmp

cd run || exit 1
expect "hit, top corner" 0 "1 1" -- "$tool" hit 403 38
expect "hit, between cells" 0 "none" -- "$tool" hit 20 10
expect "hit, outside" 0 "outside" -- "$tool" hit 5 300
expect_error "hit, not a number" 1 -- "$tool" hit x 3
expect "cell, top corner" 0 "402 38" -- "$tool" cell 1 1
expect_error "cell, off the board" 1 -- "$tool" cell 9 1

# The game window's own step on pixel events (its rules are the step's tables): a click on a
# piece selects it and runs the clock.
read -r cx cy < <("$tool" cell 2 1)
stdin_text="move $cx $cy
press $cx $cy
release $cx $cy"
expect "window, a click selects" 0 "selected 2 1
hover 2 1
paused 0
inactive 0
dragging 0
bar 0
system_pointer 0
minimised 0
pointer $cx $cy
cursor 0 0
won 0" -- bash -c '"$0" window 7 | tail -n 11' "$tool"
expect "zones, a large screen" 0 "window 560 243
client 563 246
offset 5 0
menu 747 11" -- bash -c '"$0" zones 1920x1080 | head -n 4' "$tool"
expect_error "zones, a screen too small" 1 -- "$tool" zones 640x480
stdin_text="key right
key right
key return"
expect "window, the keys select" 0 "selected 2 1 cursor 2 1" -- \
    bash -c '"$0" window 7 | grep -E "^(selected|cursor) " | paste -sd" "' "$tool"
stdin_text="press 1 x"
expect_error "window, not a point" 1 -- "$tool" window 7
unset stdin_text

expect "render, a dealt game" 0 "" -- "$tool" render scene.png
checks=$((checks + 1))
if [ "$(head -c 8 scene.png | od -An -tx1 | tr -d ' ')" != "89504e470d0a1a0a" ]; then
    failures=$((failures + 1))
    echo "FAIL render: scene.png is not a PNG"
fi
printf 'selected 2 1\nhover 1 1\nseconds 77\npaused 1\n' >state.txt
expect "render, a state file" 0 "" -- "$tool" render state.png state.txt
printf 'selected 9 9\n' >bad-state.txt
expect_error "render, a cell off the board" 1 -- "$tool" render bad.png bad-state.txt
expect_error "render, unwritable output" 1 -- "$tool" render /nonexistent/dir/out.png
rm Contatori/Mini.bmp
expect_error "render, a missing picture" 1 -- "$tool" render scene.png
cd .. || exit 1

# The score file, as the end of a game and the ranking use it.
expect "insert into no file" 0 "1" -- "$tool" insert scores.rec Anna 95 40 5 3 20 "2001-03-07 09:05"
expect "insert after" 0 "2" -- "$tool" insert scores.rec Bea 120 30 148 0 12 "2026-12-06 19:30"
expect "insert an equal result after the first" 0 "3" -- "$tool" insert scores.rec Ciro 120 30 0 0 1 "2026-01-02 03:04"
expect "scores" 0 "Pos. 01:   Sec:  95  Mosse:  40     Anna
07/03/2001 
09:05
05 Sec. 
20 
03 
Pos. 02:   Sec: 120  Mosse:  30     Bea
06/12/2026 
19:30
148 Sec. 
12 
00 
Pos. 03:   Sec: 120  Mosse:  30     Ciro
02/01/2026 
03:04
00 Sec. 
01 
00 " -- "$tool" scores scores.rec
expect "rank between" 0 "2" -- "$tool" rank scores.rec 100 0
expect "rank, 40000 seconds wrap to a negative time" 0 "1" -- "$tool" rank scores.rec 40000 0
expect "rank with no file" 0 "1" -- "$tool" rank none.rec 500 500
printf 'short' >short.rec
expect_error "scores, no whole record" 1 -- "$tool" scores short.rec
expect_error "scores, no file" 1 -- "$tool" scores none.rec
expect_error "insert, a bad date" 1 -- "$tool" insert scores.rec X 1 1 0 0 0 "2026-13-01 10:00"
expect_error "insert, a bad number" 1 -- "$tool" insert scores.rec X 1e3 1 0 0 0 "2026-12-01 10:00"
expect_error "insert, too few arguments" 2 -- "$tool" insert scores.rec X 1

# A file that is no regular file is refused at once, never waited on, with the game's reason.
mkfifo fifo
mkdir folder
expect_error "options, a folder" 1 -- timeout 5 "$tool" options folder
expect_error "insert, a FIFO" 1 -- timeout 5 "$tool" insert fifo X 1 1 0 0 0 "2026-12-01 10:00"
checks=$((checks + 1))
if [ "$(timeout 5 "$tool" options folder 2>&1)" != "zembro-tool: cannot open folder: not a regular file" ]; then
    failures=$((failures + 1))
    echo "FAIL options, a folder: not the game's reason"
fi

# A file-size limit: the write fails with its reason instead of the signal ending the tool, and
# no temporary file is left.
mkdir limited
cp scores.rec limited/
# (The limit would stop the error line too: it reaches stderr.txt through a pipe.)
expect_error "insert, past the file-size limit" 1 -- \
    bash -c 'set -o pipefail; (ulimit -f 0 && exec "$@") 2>&1 >/dev/null | cat >&2' - \
    "$tool" insert limited/scores.rec X 1 1 0 0 0 "2026-12-01 10:00"
checks=$((checks + 1))
if ! grep -q 'File too large' stderr.txt || [ "$(ls -A limited)" != scores.rec ]; then
    failures=$((failures + 1))
    echo "FAIL insert past the limit: $(cat stderr.txt); left: $(ls -A limited)"
fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
