# The opening every end-to-end test shares, and the helpers that drive the real game under Xvfb;
# sourced by the tests and measurements. $game is the game's path, when set before sourcing.

# A work folder removed at the end with the game, the window manager and the X server.
work=$(mktemp -d)
GAME_PID=
trap 'kill $GAME_PID ${WM_PID:-} ${WESTON_PID:-} 2>/dev/null; [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null; kill ${XVFB_PID:-} 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT

# A copy of the run folder in $work/run whose settings deal one kind with the corners empty: the
# board is the same whatever the clock. $1: the run folder; $2: fixed-cell attempts (default 0);
# $3: reselection, holding to drag and the two-colour path (default "0 0 0").
prepare_one_kind_run() {
    rm -rf "$work/run"
    cp -r "$1" "$work/run"
    rm -f "$work/run/Zembro.rec"
    printf 'Immagini Contatori 33\r\n0 0 %s\r\n0\r\n%s\r\n1\r\n' "${3:-0 0 0}" "${2:-0}" >"$work/run/Option.opt"
    # zembro.exe runs in its own folder, as from the zip.
    [ -z "${GAME_RUNNER:-}" ] || cp "$game" "$work/run/"
}

# Starts Xvfb on a free display with the given screen (WxHxD) and exports DISPLAY. The server
# picks the number itself (-displayfd): tests running side by side never share one. Without
# -noreset it would reset whenever its last client left, and a program connecting just then
# would be refused.
start_xvfb() {
    local number_file n
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$number_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 200); do # the number comes with its newline once the server accepts clients
        if read -r n <"$number_file"; then
            rm -f "$number_file"
            export DISPLAY=":$n" GAME_DISPLAY=":$n"
            return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    echo "Xvfb did not start" >&2
    return 1
}
stop_xvfb() { kill "${WM_PID:-}" "${XVFB_PID:-}" 2>/dev/null; wait 2>/dev/null; true; }

# Starts openbox on the display and waits until it manages the screen (a loaded machine may need
# more than one try).
start_openbox() {
    for _ in 1 2 3; do
        openbox --sm-disable >"$work/openbox.txt" 2>&1 &
        WM_PID=$!
        for _ in $(seq 200); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
            kill -0 "$WM_PID" 2>/dev/null || break
            sleep 0.05
        done
        kill "$WM_PID" 2>/dev/null
        sleep 0.5
    done
    echo "openbox did not start: $(cat "$work/openbox.txt")" >&2
    return 1
}

# Starts weston on the X display (its X11 back end: a window at the top-left, whose pointer and
# keys xdotool drives) with Xwayland, and exports what a Wayland session sets for its programs;
# GAME_DISPLAY becomes weston's Xwayland display.
start_weston() {
    export XDG_RUNTIME_DIR="$work/runtime" XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=zembro-wayland
    unset QT_QPA_PLATFORM
    mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
    weston --backend=x11-backend.so --use-pixman --xwayland --width=1024 --height=768 \
        --socket="$WAYLAND_DISPLAY" --idle-time=0 >"$work/weston.txt" 2>&1 &
    WESTON_PID=$!
    for _ in $(seq 400); do
        GAME_DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.txt")
        # Keys reach weston only while its window has the X focus (no window manager gives it).
        local output
        output=$(xdotool search --class '^Weston Compositor$' 2>/dev/null | head -n 1)
        [ -n "$GAME_DISPLAY" ] && [ -n "$output" ] && xdotool windowfocus "$output" && return 0
        kill -0 "$WESTON_PID" 2>/dev/null || break
        sleep 0.05
    done
    echo "weston did not start: $(cat "$work/weston.txt")" >&2
    return 1
}

# Wine on the X display, in a prefix of its own, its server kept running between the game's
# starts; the game (a .exe) then runs through it. The 16-bit screen the game was made for.
start_wine() {
    # An Italian system, whose message boxes and file dialogs say "Annulla".
    export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=it_IT.UTF-8
    GAME_RUNNER=wine
    GAME_SIZE=800x600 # Wine's X window is the client area; it draws the frame around it
    wineserver -p 2>/dev/null
    wineboot -i >"$work/wineboot.txt" 2>&1 || { echo "wineboot failed: $(cat "$work/wineboot.txt")" >&2; return 1; }
    # The prefix starts without Windows' bitmap fonts: "MS Sans Serif" would be a wider face.
    cp /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/"
}

# The desktop MODE (bare, openbox, weston or wine) on a new X server: weston's output is a window at
# the top-left of a larger screen, so that the pointer can enter it from outside.
start_desktop() {
    case $1 in
    weston) start_xvfb 1200x900x24 && start_weston && xdotool mousemove 1150 850 && SETTLE=0.5 ;;
    openbox) start_xvfb 1024x768x24 && start_openbox ;;
    wine) start_xvfb 1024x768x16 && start_wine ;;
    *) start_xvfb 1024x768x24 ;;
    esac
}
on_game() { DISPLAY=$GAME_DISPLAY "$@"; }

# wait_for_window NAME [WxH]: a visible window whose name matches NAME (and of that size), 15 s
# at most (a loaded machine starts the toolkit slowly); gives its id.
wait_for_window() {
    local id
    for _ in $(seq 750); do
        for id in $(on_game xdotool search --onlyvisible --name "$1" 2>/dev/null); do
            if [ -z "${2:-}" ] || on_game xdotool getwindowgeometry "$id" | grep -q "Geometry: $2\$"; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.02
    done
    return 1
}
wait_for_game_window() { wait_for_window '^Zembro$'; }

# open_game [VAR=VALUE...]: the game started in $work/run with those variables, its window
# found ($win, GAME_SIZE big: the about box, which may map first, has the same name), the about
# box (and any notice before it, GAME_BOXES) answered once it has the keys, and the keys back
# on the game.
open_game() {
    # zembro.exe is started from another folder: it finds its own.
    local program=$game from=$work/run
    [ -z "${GAME_RUNNER:-}" ] || program=$work/run/$(basename "$game") from=$work
    (cd "$from" && DISPLAY=$GAME_DISPLAY exec env "$@" ${GAME_RUNNER:-} "$program") 2>>"$work/stderr.txt" &
    GAME_PID=$!
    win=$(wait_for_window '^Zembro$' "${GAME_SIZE:-806x606}") || return 1
    local focus
    # Wine's windows carry the pid of no process of ours: they are counted by their class.
    shown() {
        if [ -n "${GAME_RUNNER:-}" ]; then
            on_game xdotool search --onlyvisible --class '^zembro\.exe$' 2>/dev/null | wc -l
        else
            on_game xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | wc -l
        fi
    }
    # GAME_BOXES: how many boxes open at the start, one after the other (a notice, then the
    # about box); each is answered once it is shown, else the next may come after we return.
    for _ in $(seq "${GAME_BOXES:-1}"); do
        for _ in $(seq 250); do # the box shown, with the keys
            focus=$(on_game xdotool getwindowfocus 2>/dev/null)
            [ "$(shown)" -ge 2 ] && [ -n "${GAME_RUNNER:-}" ] && break # (Wine gives no window the focus)
            [ "$(shown)" -ge 2 ] && [ -n "$focus" ] && [ "$focus" != "$win" ] && break
            sleep 0.02
        done
        # Wine gives the keys to no window where no window manager does: they follow the pointer,
        # which is put over the box, centred on the game.
        [ -n "${GAME_RUNNER:-}" ] && xdotool mousemove "$(screen_x 400)" "$(screen_y 300)"
        for _ in 1 2 3; do # weston may give it the keys a moment later
            sleep 0.3
            xdotool key Return
            for _ in $(seq 150); do # Wine takes a second to close it
                [ "$(shown)" = 1 ] && continue 3
                sleep 0.02
            done
        done
    done
    keys_back
}
# After a dialog: the keys back on the game (weston gives them after a while) and the dialog
# gone from the screen (weston fades it out).
keys_back() {
    # (Wine's keys follow the pointer: no window has the X focus.)
    [ -n "${GAME_RUNNER:-}" ] || for _ in $(seq 150); do
        [ "$(on_game xdotool getwindowfocus 2>/dev/null)" = "$win" ] && break
        sleep 0.02
    done
    sleep "${SETTLE:-0.2}"
}

# dialog_key KEY...: keys for a dialog over the game. Under Wine they follow the pointer, which is
# put on the game's middle, where the dialogs are centred.
dialog_key() {
    [ -n "${GAME_RUNNER:-}" ] && xdotool mousemove "$(screen_x 400)" "$(screen_y 300)" && sleep 0.2
    xdotool key "$@"
}

close_game() {
    kill "$GAME_PID" 2>/dev/null
    wait "$GAME_PID" 2>/dev/null
    # Wine's process is not always the one started: its server ends them all.
    [ -n "${GAME_RUNNER:-}" ] && wineserver -k 2>/dev/null && wineserver -w 2>/dev/null
    GAME_PID=
}

# Where the window, its client area and the zones are on a 1024 x 768 screen, from the game's
# own layout: "zone NAME" gives "X Y" (see zembro-tool zones).
tool=${ZEMBRO_TOOL:-$(dirname "${game:-.}")/zembro-tool}
zone() { "$tool" zones | awk -v n="$1" '$1 == n { print $2, $3 }'; }
# Screen point of a game-screen point: the window at (WIN_X, WIN_Y), at first where the game
# places it; its client area BORDER pixels in; game x OFFSET_X pixels right of client x.
if [ -n "${game:-}" ]; then
    read -r WIN_X WIN_Y <<<"$(zone window)"
    read -r client_x _ <<<"$(zone client)"
    BORDER=$((client_x - WIN_X))
    read -r OFFSET_X _ <<<"$(zone offset)"
fi
screen_x() { echo $((WIN_X + BORDER + $1 - OFFSET_X)); }
screen_y() { echo $((WIN_Y + BORDER + $1)); }
# Game-screen middle of cell (col, row), as "X Y".
cell() { "$tool" cell "$1" "$2"; }

# point X Y: the pointer there, in game-screen pixels. The window system keeps the events in
# order; the short pauses let the game draw what each did.
point() { xdotool mousemove "$(screen_x "$1")" "$(screen_y "$2")"; POINT="$1 $2"; sleep 0.05; }
# covered X Y W H: the game's own pointer, where `point` left it, may stand over the box.
covered() {
    local px py
    read -r px py <<<"${POINT:-0 0}"
    [ $((px + 32)) -ge "$1" ] && [ $((px - 8)) -le $(($1 + $3)) ] &&
        [ $((py + 32)) -ge "$2" ] && [ $((py - 8)) -le $(($2 + $4)) ]
}
click_game() { point "$1" "$2"; xdotool click 1; sleep 0.15; }
# shellcheck disable=SC2046 # "X Y" is two arguments
click_cell() { click_game $(cell "$1" "$2"); }

shot() { import -window root "$work/$1.png"; }
# How many pixels of a game-screen box differ between two screenshots.
box_difference() {
    local geometry="${5}x${6}+$(screen_x "$3")+$(screen_y "$4")"
    convert "$work/$1.png" -crop "$geometry" +repage "$work/box-a.png"
    convert "$work/$2.png" -crop "$geometry" +repage "$work/box-b.png"
    compare -metric AE -fuzz 5% "$work/box-a.png" "$work/box-b.png" null: 2>&1 | cut -d' ' -f1
}
box_changed() { [ "$(box_difference "$@")" -gt 40 ]; }
box_same() { [ "$(box_difference "$@")" -lt 5 ]; }
seconds_box="125 67 76 34"
pieces_box="205 540 80 36"
moves_box="675 532 70 28"
# The seconds on the screen run (they change within a second and a half), or stand still.
clock_runs() { shot clock-a; sleep 1.1; shot clock-b; box_changed clock-a clock-b $seconds_box; }
clock_stands() { shot clock-a; sleep 1.1; shot clock-b; box_same clock-a clock-b $seconds_box; }

# check NAME COMMAND...: counts a check, and a failure when the command fails.
failures=0
checks=0
check() {
    local name=$1
    shift
    checks=$((checks + 1))
    if ! "$@"; then
        failures=$((failures + 1))
        echo "FAIL $name"
    fi
}
not() { ! "$@"; }

# Keeps the screenshots of a failed run (of any run with ZEMBRO_E2E_KEEP set) and shows the
# game's standard error, prints the summary line, and fails if a check did.
finish_checks() {
    if [ "$failures" -ne 0 ] || [ -n "${ZEMBRO_E2E_KEEP:-}" ]; then
        mkdir -p /tmp/zembro-e2e && cp "$work"/*.png "$work/stderr.txt" /tmp/zembro-e2e/ 2>/dev/null
        echo "screenshots kept in /tmp/zembro-e2e"
        [ -s "$work/stderr.txt" ] && { echo "the game's standard error:"; tail -n 20 "$work/stderr.txt"; }
    fi
    echo "$((checks - failures)) passed, $failures failed"
    [ "$failures" -eq 0 ]
}
