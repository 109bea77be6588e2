// The rules as properties over random boards and random play, against a plain reference of the
// one-turn reach (the solver's included): a route is two straight lines meeting at a corner, free
// when every cell on it but its two ends is empty.
#include "board_rows.h"
#include "game/board_input.h"
#include "game/deal.h"
#include "game/moves.h"
#include "game/pair_scan.h"
#include "game/path_trace.h"
#include "game/reach.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <span>

namespace zembro {
namespace {

using Pos = std::pair<int, int>; // (col, row), 1-based

Cell CellOf(Pos p) {
    return {p.first, p.second};
}

// Every cell from a to b on their common row or column, both included.
std::vector<Pos> Line(Pos a, Pos b) {
    std::vector<Pos> cells{a};
    while (cells.back() != b) {
        auto [c, r] = cells.back();
        cells.push_back({c + (b.first > c) - (b.first < c), r + (b.second > r) - (b.second < r)});
    }
    return cells;
}

// The route from s to t turning at `corner`, without s.
std::set<Pos> Route(Pos s, Pos corner, Pos t) {
    std::set<Pos> route;
    for (const Pos& c : Line(s, corner))
        route.insert(c);
    for (const Pos& c : Line(corner, t))
        route.insert(c);
    route.erase(s);
    return route;
}

std::uint8_t Code(const Board& b, Pos c) {
    return b[static_cast<std::size_t>(CellIndex(c.first, c.second))];
}

bool Free(const Board& b, const std::set<Pos>& route, Pos except) {
    for (const Pos& c : route)
        if (c != except && Code(b, c) != EMPTY_CELL)
            return false;
    return true;
}

// The route a trace must mark from s to t (the corner on s's row first), or none.
std::optional<std::set<Pos>> ReachingRoute(const Board& b, Pos s, Pos t, bool targetFree) {
    for (const Pos& corner : {Pos{t.first, s.second}, Pos{s.first, t.second}}) {
        std::set<Pos> route = Route(s, corner, t);
        if (Free(b, route, targetFree ? t : s))
            return route;
    }
    return std::nullopt;
}

bool PairReachable(const Board& b, Pos p) {
    for (int i = 0; i < BOARD_CELLS; ++i) {
        const Pos x{i % 8 + 1, i / 8 + 1};
        if (x != p && Code(b, x) == Code(b, p) && ReachingRoute(b, p, x, true))
            return true;
    }
    return false;
}

bool AnyPairReachable(const Board& b, std::uint8_t fixedCode) {
    for (int i = 0; i < BOARD_CELLS; ++i) {
        const Pos p{i % 8 + 1, i / 8 + 1};
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
            const Pos s{p % 8 + 1, p / 8 + 1};
            const bool piece = Code(b, s) != EMPTY_CELL && Code(b, s) != FIXED;
            EXPECT_EQ(PairAvailableFrom(b, s.first, s.second),
                      Code(b, s) != EMPTY_CELL && PairReachable(b, s))
                << test::BoardText(b) << s.first << "," << s.second;
            if (!piece)
                continue;
            EXPECT_EQ(PairCountsAsAvailable(state, CellOf(s), 5), PairReachable(b, s));
            if (n >= 300)
                continue; // every target of the first boards' pieces is traced
            // The solver's reach: every cell a move may go to, each once, with its pairing.
            const Reach found = ReachFrom(b, p);
            std::set<std::pair<int, bool>> reach, reference;
            for (const ReachTarget& t : std::span(found.targets).first(std::size_t(found.count)))
                reach.insert({t.cell, t.pairs});
            for (int q = 0; q < BOARD_CELLS; ++q)
                if (const Pos t{q % 8 + 1, q / 8 + 1};
                    t != s && ReachingRoute(b, s, t, true) &&
                    (Code(b, t) == Code(b, s) || Code(b, t) == EMPTY_CELL))
                    reference.insert({q, Code(b, t) == Code(b, s)});
            EXPECT_EQ(static_cast<std::size_t>(found.count), reach.size()) << "each once";
            EXPECT_EQ(reach, reference) << test::BoardText(b) << s.first << "," << s.second;
            for (int q = 0; q < BOARD_CELLS; ++q) {
                const Pos t{q % 8 + 1, q / 8 + 1};
                OptionValues settings;
                settings.twoColourPath = static_cast<std::int32_t>(rng() % 2);
                PointerState pointer;
                pointer.selected = CellOf(s);
                pointer.path.valid = pointer.path.pairs = true; // kept when nothing is traced
                pointer.path.mask.fill(1);
                PointerOnCell(state, pointer, settings, CellOf(t));
                EXPECT_EQ(state.board, b) << "the trace leaves the board as it was";
                const bool pair = Code(b, t) == Code(b, s);
                const auto route =
                    t == s ? std::nullopt : ReachingRoute(b, s, t, pair || settings.twoColourPath);
                PathMask mask{};
                if (route) {
                    for (const Pos& c : *route)
                        mask[static_cast<std::size_t>(CellIndex(c.first, c.second))] = 1;
                    mask[static_cast<std::size_t>(p)] = 1;
                }
                ASSERT_EQ(test::BoardText(pointer.path.mask), test::BoardText(mask))
                    << test::BoardText(b) << s.first << "," << s.second << " to " << t.first << ","
                    << t.second << (settings.twoColourPath ? ", two colours" : "");
                ASSERT_EQ(pointer.path.valid, t == s || route);
                ASSERT_EQ(pointer.path.pairs, t == s || (route && pair));
                ASSERT_EQ(CanMoveTo(state, pointer, CellOf(t)),
                          t != s && route && (pair || Code(b, t) == EMPTY_CELL));
            }
        }
        EXPECT_EQ(PairCountsAsAvailable(state, {1, 1}, PENALTY_FULL | 5),
                  AnyPairReachable(b, FIXED))
            << test::BoardText(b);
    }
}

// A cell that `s` may move to, mostly its partner when one is in reach, or none.
std::optional<Pos> TargetOf(const Board& b, Pos s, std::mt19937& rng) {
    const bool partner = rng() % 4 != 0;
    for (int i = 0; i < BOARD_CELLS && partner; ++i) {
        const Pos x{i % 8 + 1, i / 8 + 1};
        if (x != s && Code(b, x) == Code(b, s) && ReachingRoute(b, s, x, true))
            return x;
    }
    for (int attempt = 0; attempt < 24; ++attempt) {
        const Pos x{1 + static_cast<int>(rng() % 8), 1 + static_cast<int>(rng() % 8)};
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
        PointerState pointer;
        ResetGame(state, pointer);
        Deal(state, params, static_cast<std::uint32_t>(rng()));
        const Board dealt = state.board;
        for (int step = 0; step < 1500 && state.piecesLeft > 0; ++step) {
            const GameState before = state;
            const PointerState was = pointer;
            const Pos s{was.selected.value_or(Cell{0, 0}).col,
                        was.selected.value_or(Cell{0, 0}).row};
            const Pos t{was.hover.value_or(Cell{0, 0}).col, was.hover.value_or(Cell{0, 0}).row};
            const auto Where = [&] {
                return "game " + std::to_string(game) + " step " + std::to_string(step) +
                       test::BoardText(before.board);
            };
            const int action = static_cast<int>(rng() % 8);
            if (action < 4) { // onto a random cell, or one that a piece may move to
                std::optional<Pos> to;
                for (int tries = 0; tries < 8 && !to && rng() % 4 != 0; ++tries) {
                    const Pos from = was.selected ? s
                                                  : Pos{1 + static_cast<int>(rng() % 8),
                                                        1 + static_cast<int>(rng() % 8)};
                    const std::uint8_t code = Code(before.board, from);
                    if (code != EMPTY_CELL && code != state.fixedCode &&
                        TargetOf(before.board, from, rng))
                        to = was.selected ? TargetOf(before.board, from, rng) : from;
                }
                const Pos at = to.value_or(
                    Pos{1 + static_cast<int>(rng() % 8), 1 + static_cast<int>(rng() % 8)});
                PointerOnCell(state, pointer, settings, CellOf(at));
                continue;
            }
            const bool executes = was.selected && was.hover && t != s &&
                                  (action < 6 || (action == 6 && settings.holdToDrag)) &&
                                  ReachingRoute(before.board, s, t, true) &&
                                  (Code(before.board, t) == EMPTY_CELL ||
                                   Code(before.board, t) == Code(before.board, s));
            MoveResult result = MoveResult::NoMove;
            if (action < 6)
                result = BoardPress(state, pointer, settings);
            else if (action == 6)
                result = BoardRelease(state, pointer, settings);
            else
                RightPress(pointer);
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
            ASSERT_EQ(pointer.selected, keeps ? std::optional(CellOf(t)) : std::nullopt) << Where();
            ASSERT_FALSE(pointer.hover);
            ASSERT_EQ(pointer.path.mask, PathMask{});
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
