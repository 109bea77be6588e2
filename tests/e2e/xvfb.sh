# Helpers for driving the real game under Xvfb; sourced by the end-to-end tests and measurements.

# A copy of the run folder in $work/run whose settings deal one kind with the corners empty: the
# board is the same whatever the clock. $1: the run folder; $2: fixed-cell attempts (default 0).
prepare_one_kind_run() {
    cp -r "$1" "$work/run"
    printf 'Immagini Contatori 33\r\n0 0 0 0 0\r\n0\r\n%s\r\n1\r\n' "${2:-0}" >"$work/run/Option.opt"
}

# Starts Xvfb on a free display with the given screen (WxHxD) and exports DISPLAY. The server
# picks the number itself (-displayfd): tests running side by side never share one. Without
# -noreset it would reset whenever its last client left, and a program connecting just then (a
# game started right after an xdotool call, with no window manager) would be refused.
start_xvfb() {
    local screen=$1 number_file n
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$number_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    # The number comes with its newline once the server accepts connections.
    for _ in $(seq 200); do
        if read -r n <"$number_file"; then
            rm -f "$number_file"
            export DISPLAY=":$n"
            return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$number_file"
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    echo "Xvfb did not start" >&2
    return 1
}

stop_xvfb() {
    [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    true
}

# Starts openbox on the display and waits until it manages the screen.
# A loaded machine may need more than one try.
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
        wait "$WM_PID" 2>/dev/null
        sleep 0.5
    done
    echo "openbox did not start:" >&2
    cat "$work/openbox.txt" >&2
    return 1
}

# wait_for_window NAME [WxH]: waits until a visible window whose name matches NAME (and of that
# size, when given) exists, 15 s at most (a loaded machine starts the toolkit slowly); gives its id.
wait_for_window() {
    local id
    for _ in $(seq 750); do
        for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
            if [ -z "${2:-}" ] || xdotool getwindowgeometry "$id" | grep -q "Geometry: $2\$"; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.02
    done
    return 1
}
wait_for_game_window() { wait_for_window '^Zembro$'; }

# Where the window, its client area and the zones are on a 1024 x 768 screen, from the game's
# own layout (zembro-tool beside $game): "zone NAME" gives "X Y" (see zembro-tool zones).
zone() { "$(dirname "$game")/zembro-tool" zones | awk -v n="$1" '$1 == n { print $2, $3 }'; }
# shellcheck disable=SC2046 # "X Y" is two arguments
click_zone() { click_game $(zone "$1"); }
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

# Game-screen middle of cell (col, row).
cell_x() { "$(dirname "$game")/zembro-tool" cell "$1" "$2" | cut -d' ' -f1; }
cell_y() { "$(dirname "$game")/zembro-tool" cell "$1" "$2" | cut -d' ' -f2; }

# The pauses let a loaded machine's game take the movement before the click.
click_game() {
    xdotool mousemove "$(screen_x "$1")" "$(screen_y "$2")"
    sleep 0.25
    xdotool click 1
    sleep 0.25
}

# How many pixels of a game-screen box differ between two screenshots.
box_difference() {
    local before=$1 after=$2 x=$3 y=$4 w=$5 h=$6
    local geometry="${w}x${h}+$(screen_x "$x")+$(screen_y "$y")"
    local a b
    a=$(mktemp --suffix=.png) b=$(mktemp --suffix=.png)
    convert "$before" -crop "$geometry" +repage "$a"
    convert "$after" -crop "$geometry" +repage "$b"
    compare -metric AE -fuzz 5% "$a" "$b" null: 2>&1 | cut -d' ' -f1
    rm -f "$a" "$b"
}

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

# Keeps the screenshots of a failed run (of any run with ZEMBRO_E2E_KEEP set) and shows the
# game's standard error, prints the summary line, and fails if a check did.
finish_checks() {
    local work=$1
    if [ "$failures" -ne 0 ] || [ -n "${ZEMBRO_E2E_KEEP:-}" ]; then
        mkdir -p /tmp/zembro-e2e && cp "$work"/*.png "$work/stderr.txt" /tmp/zembro-e2e/ 2>/dev/null
        echo "screenshots kept in /tmp/zembro-e2e"
        [ -s "$work/stderr.txt" ] && { echo "the game's standard error:"; tail -n 20 "$work/stderr.txt"; }
    fi
    echo "$((checks - failures)) passed, $failures failed"
    [ "$failures" -eq 0 ]
}

# Starts weston on the X display (its X11 back end: a window at the top-left, whose pointer and
# keys xdotool drives) with Xwayland, and exports what a Wayland session sets for its programs;
# GAME_DISPLAY becomes weston's Xwayland display. $work must exist.
start_weston() {
    export XDG_RUNTIME_DIR="$work/runtime" XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=zembro-wayland
    unset QT_QPA_PLATFORM
    mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
    weston --backend=x11-backend.so --use-pixman --xwayland --width=1024 --height=768 \
        --socket="$WAYLAND_DISPLAY" --idle-time=0 >"$work/weston.txt" 2>&1 &
    WESTON_PID=$!
    for _ in $(seq 200); do
        GAME_DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.txt")
        if [ -n "$GAME_DISPLAY" ]; then
            # Keys reach weston only while its window has the X focus (no window manager gives it).
            local output
            for _ in $(seq 200); do
                output=$(xdotool search --class '^Weston Compositor$' 2>/dev/null | head -n 1)
                [ -n "$output" ] && xdotool windowfocus "$output" && return 0
                sleep 0.05
            done
            break
        fi
        kill -0 "$WESTON_PID" 2>/dev/null || break
        sleep 0.05
    done
    echo "weston did not start:" >&2
    cat "$work/weston.txt" >&2
    return 1
}
