// Timings of the rules that run on every deal, pointer move and plain move.
#include "game/deal.h"
#include "game/moves.h"
#include "game/path_trace.h"

#include <benchmark/benchmark.h>

#include <limits>

namespace zembro {
namespace {

void BM_Deal(benchmark::State& bench) {
    const DealParams params{.controlled = 1,
                            .randomEmpty = 0,
                            .kinds = 20,
                            .numMaxPedine = 33,
                            .fixedCells = static_cast<std::int32_t>(bench.range(0))};
    std::uint32_t seed = 1;
    for (auto _ : bench) {
        GameState state;
        PointerState pointer;
        ResetGame(state, pointer);
        benchmark::DoNotOptimize(Deal(state, params, seed++));
    }
}
BENCHMARK(BM_Deal)->Arg(0)->Arg(30)->Arg(std::numeric_limits<std::int32_t>::max());

// A mid-game board: the worked example's deal with a third of the pieces removed.
GameState MidGame() {
    GameState state;
    Deal(state, {.controlled = 1, .randomEmpty = 1, .kinds = 20, .numMaxPedine = 33}, 12345);
    for (int i = 0; i < 64; i += 3)
        state.board[static_cast<std::size_t>(i)] = 0;
    return state;
}

void BM_TracePath(benchmark::State& bench) {
    GameState state = MidGame();
    state.board[static_cast<std::size_t>(CellIndex(1, 8))] = 5;
    int target = 0;
    for (auto _ : bench) {
        const Cell to{1 + target % 8, 1 + (target / 8) % 8};
        ++target;
        benchmark::DoNotOptimize(TracePath(state.board, {1, 8}, to, true));
    }
}
BENCHMARK(BM_TracePath);

// The whole-board scan a full penalty makes before a plain move, on a board with no pair in
// reach (the worst case: every piece is asked).
void BM_FullPenaltyScan(benchmark::State& bench) {
    GameState state;
    for (int i = 0; i < 64; ++i)
        state.board[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(1 + i % 31);
    state.board[0] = state.board[63] = 0;
    state.fixedCode = 33;
    for (auto _ : bench)
        benchmark::DoNotOptimize(PairCountsAsAvailable(state, {2, 1}, PENALTY_FULL | 5));
}
BENCHMARK(BM_FullPenaltyScan);

} // namespace
} // namespace zembro

BENCHMARK_MAIN();
