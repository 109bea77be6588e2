#!/usr/bin/env bash
# Measures the real game under Xvfb (1024 x 768 x 24), on a bare X server: time to the window
# mapped and to the first painted frame, taken from X events by bench/startup_probe, beside a
# bare Qt Widgets window's (the floor); then private memory 5 s after start, and processor use
# over 10 s with the clock running, paused, and while the pointer crosses the board. Median of
# RUNS runs.
# Usage: bench/measure_game.sh [RUNS]   (after ./test.sh has built everything; CI runs one round,
# so that the script keeps working, and asserts no figure)
set -u
cd "$(dirname "$0")/.."
runs=${1:-5}
game=$(realpath build/zembro) # before the shared opening, which places the window from it
source tests/e2e/xvfb.sh
probe=$(realpath build/bench/startup_probe)
bare=$(realpath build/bench/bare_window)
cp -r build/run "$work/run"
start_xvfb 1024x768x24 || exit 1
source bench/rest_figures.sh

declare -A results
# Start-up, game and bare window in turn. The game's first frame: the background's dark sea at
# game (20, 300), window point (18, 303); the bare window's grey at (20, 300).
for run in $(seq "$runs"); do
    read -r mapped painted < <(cd "$work/run" && "$probe" 18 303 "$game" 2>/dev/null)
    read -r bare_mapped bare_painted < <("$probe" 20 300 "$bare" 2>/dev/null)
    for key in mapped painted bare_mapped bare_painted; do
        results[$key]+="${!key} "
    done
    echo "run $run: game mapped ${mapped} ms, painted ${painted} ms; bare Qt window mapped ${bare_mapped} ms, painted ${bare_painted} ms"
done

for run in $(seq "$runs"); do
    (cd "$work/run" && exec "$game") 2>/dev/null &
    GAME_PID=$!
    wait_for_game_window >/dev/null
    sleep 0.3
    xdotool key Return
    sleep $((5 - 1))
    rss=$(awk '/RssAnon/ {print $2}' "/proc/$GAME_PID/status")
    measure_rest "the game"
    click_game 20 300
    ( for _ in $(seq 200); do
          for x in 100 250 400 550 700 550 400 250; do
              xdotool mousemove "$(screen_x $x)" "$(screen_y $((150 + x / 4)))"
              sleep 0.02
          done
      done ) &
    mover=$!
    moving=$(cpu_percent)
    kill "$mover" 2>/dev/null
    wait "$mover" 2>/dev/null
    kill "$GAME_PID"
    wait "$GAME_PID" 2>/dev/null
    for key in rss running paused moving; do
        results[$key]+="${!key} "
    done
    echo "run $run: RssAnon ${rss} kB, cpu running ${running}% paused ${paused}% moving ${moving}%"
done
echo
for key in mapped painted bare_mapped bare_painted rss running paused moving; do
    echo "median $key: $(echo "${results[$key]}" | tr ' ' '\n' | grep -v '^$' | median)"
done
