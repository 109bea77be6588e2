#!/usr/bin/env bash
# Processor use at rest of zembro.exe under Wine, beside the Linux build on the same display
# (Xvfb 1024 x 768 x 16, no window manager): 10 s with the clock running, nothing moving, then
# 10 s paused; median of RUNS runs of each. The figures count the game's own process (for Wine,
# the zembro.exe process, not wineserver or the X server).
# Usage: bench/measure_wine.sh [RUNS]   (after ./test.sh has built both games)
set -u
cd "$(dirname "$0")/.."
runs=${1:-3}
game=$(realpath build/zembro) # before the shared opening, which places the window from it
source tests/e2e/xvfb.sh
linux=$game
windows=$(realpath "${ZEMBRO_EXE:-build-win/zembro.exe}") # ZEMBRO_EXE: another build to compare
start_xvfb 1024x768x16 || exit 1
start_wine || exit 1
GAME_RUNNER=
source bench/rest_figures.sh

declare -A results
for run in $(seq "$runs"); do
    for build in linux windows; do
        game=${!build}
        if [ "$build" = windows ]; then
            GAME_RUNNER=wine GAME_SIZE=800x600
        else
            GAME_RUNNER='' GAME_SIZE=''
        fi
        prepare_one_kind_run build/run 7
        open_game || { echo "$build: the game did not start" >&2; exit 1; }
        measure_rest "$build"
        close_game
        results[$build-running]+="$running "
        results[$build-paused]+="$paused "
        echo "run $run, $build: clock running ${running}%, paused ${paused}% of a core"
    done
done
echo
for key in linux-running windows-running linux-paused windows-paused; do
    echo "median $key: $(echo "${results[$key]}" | tr ' ' '\n' | grep -v '^$' | median)"
done
