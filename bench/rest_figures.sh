# The game's processor use at rest, for the measuring scripts (sourced after tests/e2e/xvfb.sh,
# with a game open as $GAME_PID).

ticks=$(getconf CLK_TCK)
# Percent of one core the game used over the next 10 seconds.
cpu_percent() {
    local before after
    before=$(awk '{print $14 + $15}' "/proc/$GAME_PID/stat")
    sleep 10
    after=$(awk '{print $14 + $15}' "/proc/$GAME_PID/stat")
    awk -v a="$after" -v b="$before" -v t="$ticks" 'BEGIN { printf "%.2f\n", 100 * (a - b) / t / 10 }'
}
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

# measure_rest WHO: $running with the clock running and nothing moving, then $paused after the
# pause. A figure taken in the wrong state is worse than none: the clock is seen to run, then to
# stand still, on the screen; WHO names the game when it does not.
measure_rest() {
    click_game 20 300 # the clock runs from the first click
    point 40 590      # below the board, off the seconds
    clock_runs || { echo "$1: the clock does not run after the first click" >&2; exit 1; }
    running=$(cpu_percent)
    # shellcheck disable=SC2046 # "X Y" is two arguments
    click_game $(zone pause)
    point 40 590
    clock_stands || { echo "$1: the clock runs on after the pause" >&2; exit 1; }
    paused=$(cpu_percent)
}
