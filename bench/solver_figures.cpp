// The solver on the first 1,000 start values with the default settings and with 5, 10 and 30
// fixed-cell attempts: the share won, proven unwinnable and unknown, and the time per deal; then
// the time a hint takes on the positions of random play. Run by hand:
//   build/bench/solver_figures [BUDGET [DEALS]]
#include "game/deal.h"
#include "game/hint.h"
#include "game/reach.h"
#include "game/solver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

using namespace zembro;
using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Times {
    std::vector<double> ms;
    double At(double share) {
        std::sort(ms.begin(), ms.end());
        return ms[std::min(ms.size() - 1, static_cast<std::size_t>(share * double(ms.size())))];
    }
};

DealParams Settings(int fixedCells) {
    return {.controlled = 1,
            .randomEmpty = 0,
            .kinds = 20,
            .numMaxPedine = 33,
            .fixedCells = fixedCells};
}

GameState Dealt(int fixedCells, std::uint32_t seed) {
    GameState game;
    PointerState pointer;
    ResetGame(game, pointer);
    Deal(game, Settings(fixedCells), seed);
    return game;
}

// A random move of the position, a pair two times in three where there is one.
bool RandomMove(GameState& game, std::mt19937& rng) {
    std::vector<std::pair<int, ReachTarget>> moves, pairs;
    for (int from = 0; from < BOARD_CELLS; ++from) {
        const std::uint8_t code = game.board[static_cast<std::size_t>(from)];
        if (code == EMPTY_CELL || code == game.fixedCode)
            continue;
        const Reach reach = ReachFrom(game.board, from);
        for (int i = 0; i < reach.count; ++i)
            (reach.targets[static_cast<std::size_t>(i)].pairs ? pairs : moves)
                .push_back({from, reach.targets[static_cast<std::size_t>(i)]});
    }
    const auto& from = !pairs.empty() && (moves.empty() || rng() % 3 != 0) ? pairs : moves;
    if (from.empty())
        return false;
    const auto [cell, target] = from[rng() % from.size()];
    game.board[target.cell] =
        target.pairs ? EMPTY_CELL : game.board[static_cast<std::size_t>(cell)];
    game.board[static_cast<std::size_t>(cell)] = EMPTY_CELL;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const std::int64_t budget = argc > 1 ? std::atoll(argv[1]) : 200000;
    const int deals = argc > 2 ? std::atoi(argv[2]) : 1000;
    std::printf(
        "| fixed-cell attempts | won | unwinnable | unknown | median ms | 99th ms | worst ms |\n"
        "|---|---|---|---|---|---|---|\n");
    for (const int fixed : {0, 5, 10, 30}) {
        int counts[3] = {};
        Times times;
        for (int seed = 0; seed < deals; ++seed) {
            const GameState game = Dealt(fixed, static_cast<std::uint32_t>(seed));
            const auto start = Clock::now();
            const Solution s = Solve(game.board, game.fixedCode, budget);
            times.ms.push_back(Milliseconds(Clock::now() - start));
            ++counts[static_cast<int>(s.verdict)];
        }
        std::printf("| %d | %d | %d | %d | %.2f | %.2f | %.2f |\n", fixed, counts[0], counts[1],
                    counts[2], times.At(0.5), times.At(0.99), times.At(1.0));
    }

    // A hint with no answer known yet (the watch has not finished): its own search, then the
    // board's pairs and openings, on the first 60 positions of random play from 100 deals.
    std::printf("\n| fixed-cell attempts | positions | hint median ms | 99th ms | worst ms |\n"
                "|---|---|---|---|---|\n");
    for (const int fixed : {0, 10, 30}) {
        Times times;
        std::mt19937 rng(static_cast<std::uint32_t>(fixed));
        for (int seed = 0; seed < 100; ++seed) {
            GameState game = Dealt(fixed, static_cast<std::uint32_t>(seed));
            int moves = 0;
            do {
                const auto start = Clock::now();
                const Hint hint = FindHint(game.board, game.fixedCode, nullptr, HINT_BUDGET);
                times.ms.push_back(Milliseconds(Clock::now() - start));
                (void)hint;
            } while (++moves < 60 && RandomMove(game, rng));
        }
        std::printf("| %d | %zu | %.2f | %.2f | %.2f |\n", fixed, times.ms.size(), times.At(0.5),
                    times.At(0.99), times.At(1.0));
    }

    // A deal with winnable deals chosen: start values tried until the solver wins one.
    std::printf(
        "\n| fixed-cell attempts | winnable deals found | median ms | 99th ms | worst ms |\n"
        "|---|---|---|---|---|\n");
    for (const int fixed : {0, 10, 30}) {
        Times times;
        int found = 0;
        for (int seed = 0; seed < 200; ++seed) {
            GameState game;
            PointerState pointer;
            ResetGame(game, pointer);
            const auto start = Clock::now();
            found += DealWinnable(game, Settings(fixed), static_cast<std::uint32_t>(seed)) ? 1 : 0;
            times.ms.push_back(Milliseconds(Clock::now() - start));
        }
        std::printf("| %d | %d of 200 | %.2f | %.2f | %.2f |\n", fixed, found, times.At(0.5),
                    times.At(0.99), times.At(1.0));
    }
    return 0;
}
