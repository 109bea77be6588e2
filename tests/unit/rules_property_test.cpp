// The rules as properties over random boards and random play, against a plain reference of the
// one-turn reach: a route is two straight lines meeting at a corner, free when every cell on it
// but its two ends is empty.
#include "board_rows.h"
#include "game/board_input.h"
#include "game/deal.h"
#include "game/moves.h"
#include "game/pair_scan.h"
#include "game/path_trace.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace zembro {
namespace {

using Cell = std::pair<int, int>; // (col, row), 1-based

// Every cell from a to b on their common row or column, both included.
std::vector<Cell> Line(Cell a, Cell b) {
    std::vector<Cell> cells{a};
    while (cells.back() != b) {
        auto [c, r] = cells.back();
        cells.push_back({c + (b.first > c) - (b.first < c), r + (b.second > r) - (b.second < r)});
    }
    return cells;
}

// The route from s to t turning at `corner`, without s.
std::set<Cell> Route(Cell s, Cell corner, Cell t) {
    std::set<Cell> route;
    for (const Cell& c : Line(s, corner))
        route.insert(c);
    for (const Cell& c : Line(corner, t))
        route.insert(c);
    route.erase(s);
    return route;
}

std::uint8_t Code(const Board& b, Cell c) {
    return b[static_cast<std::size_t>(CellIndex(c.first, c.second))];
}

bool Free(const Board& b, const std::set<Cell>& route, Cell except) {
    for (const Cell& c : route)
        if (c != except && Code(b, c) != EMPTY_CELL)
            return false;
    return true;
}

// The route a trace must mark from s to t (the corner on s's row first), or none.
std::optional<std::set<Cell>> ReachingRoute(const Board& b, Cell s, Cell t, bool targetFree) {
    for (const Cell& corner : {Cell{t.first, s.second}, Cell{s.first, t.second}}) {
        std::set<Cell> route = Route(s, corner, t);
        if (Free(b, route, targetFree ? t : s))
            return route;
    }
    return std::nullopt;
}

bool PairReachable(const Board& b, Cell p) {
    for (int i = 0; i < BOARD_CELLS; ++i) {
        const Cell x{i % 8 + 1, i / 8 + 1};
        if (x != p && Code(b, x) == Code(b, p) && ReachingRoute(b, p, x, true))
            return true;
    }
    return false;
}

bool AnyPairReachable(const Board& b, std::uint8_t fixedCode) {
    for (int i = 0; i < BOARD_CELLS; ++i) {
        const Cell p{i % 8 + 1, i / 8 + 1};
        if (Code(b, p) != EMPTY_CELL && Code(b, p) != fixedCode && PairReachable(b, p))
            return true;
    }
    return false;
}

// Boards from nearly empty to nearly full, of few or many kinds, with fixed cells.
Board RandomBoard(std::mt19937& rng, std::uint8_t fixedCode) {
    const int kinds = std::uniform_int_distribution(1, 60)(rng);
    const double empty = std::uniform_real_distribution(0.05, 0.9)(rng);
    Board board{};
    for (std::uint8_t& code : board) {
        const double roll = std::uniform_real_distribution(0.0, 1.0)(rng);
        code = roll < empty          ? EMPTY_CELL
               : roll < empty + 0.05 ? fixedCode
                                     : static_cast<std::uint8_t>(1 + rng() % unsigned(kinds));
    }
    return board;
}

TEST(RulesProperty, TraceMovesAndScansAgreeWithThePlainReach) {
    std::mt19937 rng(2026);
    constexpr std::uint8_t FIXED = 250;
    for (int n = 0; n < 3000; ++n) {
        GameState state;
        state.board = RandomBoard(rng, FIXED);
        state.fixedCode = FIXED;
        const Board& b = state.board;
        for (int p = 0; p < BOARD_CELLS; ++p) {
            const Cell s{p % 8 + 1, p / 8 + 1};
            const bool piece = Code(b, s) != EMPTY_CELL && Code(b, s) != FIXED;
            EXPECT_EQ(PairAvailableFrom(b, s.first, s.second),
                      Code(b, s) != EMPTY_CELL && PairReachable(b, s))
                << test::BoardText(b) << s.first << "," << s.second;
            if (!piece)
                continue;
            state.sourceCol = s.first;
            state.sourceRow = s.second;
            EXPECT_EQ(PairCountsAsAvailable(state, 5), PairReachable(b, s));
            if (n >= 300)
                continue; // every target of the first boards' pieces is traced
            for (int q = 0; q < BOARD_CELLS; ++q) {
                const Cell t{q % 8 + 1, q / 8 + 1};
                OptionValues settings;
                settings.twoColourPath = static_cast<std::int32_t>(rng() % 2);
                state.hoverCol = t.first;
                state.hoverRow = t.second;
                state.pathValid = state.pairTarget = 7; // kept when nothing is traced
                TracePath(state, settings);
                EXPECT_EQ(state.board, b) << "the trace leaves the board as it was";
                const bool pair = Code(b, t) == Code(b, s);
                const auto route =
                    t == s ? std::nullopt : ReachingRoute(b, s, t, pair || settings.twoColourPath);
                PathMask mask{};
                if (route) {
                    for (const Cell& c : *route)
                        mask[static_cast<std::size_t>(CellIndex(c.first, c.second))] = 1;
                    mask[static_cast<std::size_t>(p)] = 1;
                }
                ASSERT_EQ(test::BoardText(state.pathMask), test::BoardText(mask))
                    << test::BoardText(b) << s.first << "," << s.second << " to " << t.first << ","
                    << t.second << (settings.twoColourPath ? ", two colours" : "");
                ASSERT_EQ(state.pathValid, t == s ? 7 : route ? 1 : 0);
                ASSERT_EQ(state.pairTarget, t == s ? 7 : route && pair ? 1 : 0);
                ASSERT_EQ(CanMoveTo(state, t.first, t.second),
                          t != s && route && (pair || Code(b, t) == EMPTY_CELL));
            }
        }
        EXPECT_EQ(PairCountsAsAvailable(state, PENALTY_FULL | 5), AnyPairReachable(b, FIXED))
            << test::BoardText(b);
    }
}

// A cell that `s` may move to, mostly its partner when one is in reach, or none.
std::optional<Cell> TargetOf(const Board& b, Cell s, std::mt19937& rng) {
    const bool partner = rng() % 4 != 0;
    for (int i = 0; i < BOARD_CELLS && partner; ++i) {
        const Cell x{i % 8 + 1, i / 8 + 1};
        if (x != s && Code(b, x) == Code(b, s) && ReachingRoute(b, s, x, true))
            return x;
    }
    for (int attempt = 0; attempt < 24; ++attempt) {
        const Cell x{1 + static_cast<int>(rng() % 8), 1 + static_cast<int>(rng() % 8)};
        if (x != s && (Code(b, x) == EMPTY_CELL || Code(b, x) == Code(b, s)) &&
            ReachingRoute(b, s, x, true))
            return x;
    }
    return std::nullopt;
}

// Dealt games played at random through the board's input: every move is one the reference
// allows, charged as it says, and the board keeps its kinds in pairs and its fixed cells.
TEST(RulesProperty, RandomPlayKeepsTheBoardSound) {
    std::mt19937 rng(7);
    int moved = 0, charged = 0, won = 0; // what the play met, so that it is known to test them
    for (int game = 0; game < 300; ++game) {
        OptionValues settings;
        settings.holdToDrag = static_cast<std::int32_t>(rng() % 2);
        settings.reselectAfterMove = settings.holdToDrag | static_cast<std::int32_t>(rng() % 2);
        settings.penalty = std::array{0, 1, 5, 133, 128}[rng() % 5];
        settings.twoColourPath = static_cast<std::int32_t>(rng() % 2);
        const DealParams params{.controlled = static_cast<std::int32_t>(rng() % 2),
                                .randomEmpty = static_cast<std::int32_t>(rng() % 2),
                                .kinds = static_cast<std::int32_t>(1 + rng() % (game % 2 ? 32 : 3)),
                                .numMaxPedine = 33,
                                .fixedCells = static_cast<std::int32_t>(rng() % 31)};
        GameState state;
        ResetGame(state);
        Deal(state, params, static_cast<std::uint32_t>(rng()));
        InputState input;
        const Board dealt = state.board;
        for (int step = 0; step < 1500 && state.piecesLeft > 0; ++step) {
            const GameState before = state;
            const Cell s{before.sourceCol, before.sourceRow}, t{before.hoverCol, before.hoverRow};
            const auto Where = [&] {
                return "game " + std::to_string(game) + " step " + std::to_string(step) +
                       test::BoardText(before.board);
            };
            const int action = static_cast<int>(rng() % 8);
            if (action < 4) { // onto a random cell, or one that a piece may move to
                std::optional<Cell> to;
                for (int tries = 0; tries < 8 && !to && rng() % 4 != 0; ++tries) {
                    const Cell from = before.HasSelection() ? s
                                                            : Cell{1 + static_cast<int>(rng() % 8),
                                                                   1 + static_cast<int>(rng() % 8)};
                    const std::uint8_t code = Code(before.board, from);
                    if (code != EMPTY_CELL && code != state.fixedCode &&
                        TargetOf(before.board, from, rng))
                        to = before.HasSelection() ? TargetOf(before.board, from, rng) : from;
                }
                const Cell at = to.value_or(
                    Cell{1 + static_cast<int>(rng() % 8), 1 + static_cast<int>(rng() % 8)});
                PointerOnCell(state, settings, at.first, at.second);
                continue;
            }
            const bool executes = before.HasSelection() && before.HasHover() && t != s &&
                                  (action < 6 || (action == 6 && settings.holdToDrag)) &&
                                  ReachingRoute(before.board, s, t, true) &&
                                  (Code(before.board, t) == EMPTY_CELL ||
                                   Code(before.board, t) == Code(before.board, s));
            MoveResult result = MoveResult::NoMove;
            if (action < 6)
                result = BoardPress(state, input, settings);
            else if (action == 6)
                result = BoardRelease(state, input, settings);
            else
                RightPress(state);
            ASSERT_EQ(result != MoveResult::NoMove, executes) << Where();
            int counts[256] = {};
            for (int i = 0; i < BOARD_CELLS; ++i) {
                ++counts[state.board[static_cast<std::size_t>(i)]];
                ASSERT_EQ(dealt[static_cast<std::size_t>(i)] == state.fixedCode,
                          state.board[static_cast<std::size_t>(i)] == state.fixedCode)
                    << Where();
            }
            for (int kind = 1; kind <= params.kinds; ++kind)
                ASSERT_EQ(counts[kind] % 2, 0) << Where();
            ASSERT_EQ(state.piecesLeft, BOARD_CELLS - counts[0] - counts[state.fixedCode]);
            ASSERT_EQ(state.moves, before.moves + (executes ? 1 : 0));
            if (!executes) {
                ASSERT_EQ(state.board, before.board) << Where();
                continue;
            }
            const bool paired = Code(before.board, t) != EMPTY_CELL;
            ASSERT_EQ(Code(state.board, s), EMPTY_CELL) << Where();
            ASSERT_EQ(Code(state.board, t), paired ? EMPTY_CELL : Code(before.board, s)) << Where();
            ASSERT_EQ(result, !paired                ? MoveResult::Moved
                              : state.piecesLeft > 0 ? MoveResult::Paired
                                                     : MoveResult::Won);
            const bool charges =
                !paired && settings.penalty != 0 &&
                ((settings.penalty & PENALTY_FULL) ? AnyPairReachable(before.board, state.fixedCode)
                                                   : PairReachable(before.board, s));
            ASSERT_EQ(state.seconds - before.seconds, charges ? settings.penalty & 0x7F : 0)
                << Where();
            const bool keeps = !paired && settings.reselectAfterMove == 0;
            ASSERT_EQ(state.sourceCol, keeps ? t.first : 0) << Where();
            ASSERT_EQ(state.sourceRow, keeps ? t.second : 0) << Where();
            ASSERT_FALSE(state.HasHover());
            ASSERT_EQ(state.pathMask, PathMask{});
            moved += 1;
            charged += charges ? 1 : 0;
            won += result == MoveResult::Won ? 1 : 0;
        }
    }
    EXPECT_GT(moved, 4000);
    EXPECT_GT(charged, 500);
    EXPECT_GT(won, 5);
}

} // namespace
} // namespace zembro
