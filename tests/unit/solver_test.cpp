// The solver and the hint, as properties over random deals: the solver's lines win through the
// game's own input, and its proofs agree with a plain exhaustive search.
#include "board_rows.h"
#include "game/board_input.h"
#include "game/deal.h"
#include "game/hint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace zembro {
namespace {

constexpr std::uint8_t FIXED = 33;

// A step as a player makes it: select the piece, then the target, through the board's input.
MoveResult Play(GameState& game, const SolverStep& step) {
    OptionValues settings; // click and click, no reselection
    PointerState pointer;
    PointerOnCell(game, pointer, settings, step.from);
    BoardPress(game, pointer, settings);
    BoardRelease(game, pointer, settings);
    PointerOnCell(game, pointer, settings, step.to);
    const MoveResult result = BoardPress(game, pointer, settings);
    BoardRelease(game, pointer, settings);
    return result;
}

TEST(Solver, ItsLinesWinThroughTheGamesInput) {
    std::mt19937 rng(38);
    int won = 0, lost = 0;
    for (int n = 0; n < 200; ++n) {
        GameState game;
        Deal(game,
             {.controlled = static_cast<std::int32_t>(rng() % 2),
              .randomEmpty = 0,
              .kinds = static_cast<std::int32_t>(1 + rng() % 32),
              .numMaxPedine = 33,
              .fixedCells = std::array{0, 5, 10, 30}[rng() % 4]},
             static_cast<std::uint32_t>(rng()));
        const Board dealt = game.board;
        const Solution s = Solve(game.board, game.fixedCode, 30000);
        if (s.verdict == Solution::Verdict::Unwinnable)
            ++lost;
        if (s.verdict != Solution::Verdict::Winnable)
            continue;
        ++won;
        for (const SolverStep& step : s.line) {
            const MoveResult expected = !step.pairs            ? MoveResult::Moved
                                        : game.piecesLeft == 2 ? MoveResult::Won
                                                               : MoveResult::Paired;
            ASSERT_EQ(Play(game, step), expected)
                << "deal " << n << test::BoardText(dealt) << "step " << step.from.col << ","
                << step.from.row << " to " << step.to.col << "," << step.to.row
                << test::BoardText(game.board);
        }
        EXPECT_EQ(game.piecesLeft, 0);
    }
    EXPECT_GT(won, 100);
    EXPECT_GT(lost, 20);
}

// The plain search: every move the game's input allows between the cells not fixed, every
// position, no regions, no order.
bool Winnable(GameState& game, const std::vector<Cell>& open, std::set<Board>& lost) {
    if (game.piecesLeft == 0)
        return true;
    if (lost.contains(game.board))
        return false;
    lost.insert(game.board); // while searched too: a cycle wins nothing
    for (const Cell from : open)
        for (const Cell to : open) {
            if (from == to || !game.IsPiece(from))
                continue;
            PointerState pointer;
            pointer.selected = from;
            PointerOnCell(game, pointer, OptionValues{}, to);
            if (!CanMoveTo(game, pointer, to))
                continue;
            GameState next = game;
            Play(next, {from, to, false});
            if (Winnable(next, open, lost))
                return true;
        }
    return false;
}

// Small positions: most cells of a 3 x 3 window open, at times one more apart, a few kinds in
// pairs and at times an odd one out.
TEST(Solver, ItsVerdictsAgreeWithAnExhaustiveSearch) {
    std::mt19937 rng(5);
    int verdicts[2] = {};
    for (int n = 0; n < 400; ++n) {
        GameState game;
        game.fixedCode = FIXED;
        game.board.fill(FIXED);
        const int x = static_cast<int>(rng() % 6), y = static_cast<int>(rng() % 6);
        std::vector<Cell> open;
        for (int i = 0; i < 10; ++i) {
            const int far = static_cast<int>(rng() % BOARD_CELLS);
            const Cell c =
                i < 9 ? Cell{x + 1 + i % 3, y + 1 + i / 3} : Cell{far % 8 + 1, far / 8 + 1};
            if (rng() % 5 != 0 && std::ranges::find(open, c) == open.end())
                open.push_back(c);
        }
        std::shuffle(open.begin(), open.end(), rng);
        const int kinds = 1 + static_cast<int>(rng() % 3);
        const int pieces = 2 * static_cast<int>(rng() % (open.size() / 2 + 1)) - (rng() % 5 == 0);
        for (int i = 0; i < static_cast<int>(open.size()); ++i)
            game.At(open[static_cast<std::size_t>(i)]) =
                i < pieces ? static_cast<std::uint8_t>(1 + (i / 2) % kinds) : EMPTY_CELL;
        game.piecesLeft = std::max(pieces, 0);
        std::set<Board> lost;
        GameState copy = game;
        const bool reference = Winnable(copy, open, lost);
        const Solution s = Solve(game.board, FIXED, 10000000);
        ASSERT_EQ(s.verdict,
                  reference ? Solution::Verdict::Winnable : Solution::Verdict::Unwinnable)
            << test::BoardText(game.board);
        ++verdicts[reference];
    }
    EXPECT_GT(verdicts[0], 50);
    EXPECT_GT(verdicts[1], 50);
}

// A hint: the solver's first step where it knows one; else a pair; else a move that opens one.
TEST(Hint, FromTheLineThenThePairsThenTheMovesThatOpenOne) {
    using K = Hint::Kind;
    const auto hint = [](const Board& b, std::int64_t budget) {
        return FindHint(b, FIXED, nullptr, budget);
    };
    // 1 _ 1 in a walled row, 2 2 below: the line pairs the ones first, and so does a pair.
    const Board pairs =
        test::BoardWith(FIXED, {{1, 1, 1}, {2, 1, 0}, {3, 1, 1}, {1, 2, 2}, {2, 2, 2}});
    const SolverStep ones{{1, 1}, {3, 1}, true};
    EXPECT_EQ(hint(pairs, 100).kind, K::Line);
    EXPECT_EQ(hint(pairs, 100).step, ones);
    EXPECT_EQ(hint(pairs, 0).kind, K::Pair);
    EXPECT_EQ(hint(pairs, 0).step, ones);
    // 1 2 1 with a winding way down from the 2 to the other 2: moving the 2 down parts the ones
    // (where it goes first depends on the order of the reach).
    const Hint opening = hint(
        test::BoardWith(
            FIXED, {{1, 1, 1}, {2, 1, 2}, {3, 1, 1}, {2, 2, 0}, {2, 3, 0}, {1, 3, 0}, {1, 4, 2}}),
        0);
    EXPECT_EQ(opening.kind, K::Opening);
    EXPECT_EQ(opening.step.from, (Cell{2, 1}));
    EXPECT_EQ(hint(test::BoardWith(FIXED, {{1, 1, 1}, {3, 1, 1}}), 1000).kind, K::Lost);
    // 1 2 _ 1 2: whatever moves, a piece of the other kind stands between each pair.
    EXPECT_EQ(
        hint(test::BoardWith(FIXED, {{1, 1, 1}, {2, 1, 2}, {3, 1, 0}, {4, 1, 1}, {5, 1, 2}}), 0)
            .kind,
        K::None);
}

} // namespace
} // namespace zembro
