// What the rules' properties cannot say: the penalty's amounts, and cells out of range.
#include "game/moves.h"

#include "board_rows.h"
#include "game/board_input.h"
#include "game/pair_scan.h"
#include "game/path_trace.h"

#include <gtest/gtest.h>

namespace zembro {
namespace {

using test::BoardWith;

// The moved piece at (2, 2) goes to (2, 1); its partner at (2, 5) is in reach unless a case
// blocks it, and another pair, (6, 6) and (6, 8), unless a case blocks that one.
TEST(ExecuteMove, PenaltyIsChargedWhenAPairWasAvailable) {
    struct Case {
        int penalty;
        bool movedPieceHasPair, otherPairAvailable;
        int seconds;
    };
    const Case cases[] = {
        {0, true, true, 100},          {1, true, false, 101},    {5, true, false, 105},
        {5, false, true, 100},         {133, false, true, 105},  {133, true, false, 105},
        {133, true, true, 105},        {133, false, false, 100}, {128, true, true, 100},
        {127 + 128, true, false, 227},
    };
    for (const Case& c : cases) {
        GameState state;
        state.board = BoardWith(0, {{2, 2, 7}, {2, 5, 7}, {6, 6, 4}, {6, 8, 4}});
        if (!c.movedPieceHasPair)
            state.At({2, 4}) = 9;
        if (!c.otherPairAvailable)
            state.At({6, 7}) = 9; // the blockers stand apart: no pair of their own
        state.fixedCode = 33;
        state.piecesLeft = 4;
        state.seconds = 100;
        PointerState pointer;
        pointer.selected = Cell{2, 2};
        OptionValues settings;
        settings.penalty = c.penalty;
        PointerOnCell(state, pointer, settings, {2, 1});
        ASSERT_EQ(ExecuteMove(state, pointer, settings), MoveResult::Moved) << c.penalty;
        EXPECT_EQ(state.seconds, c.seconds) << c.penalty << " " << c.movedPieceHasPair;
    }
}

TEST(CanMoveTo, RefusesCellsOutOfRangeAndStalePaths) {
    GameState state;
    state.board = BoardWith(0, {{2, 2, 7}});
    PointerState pointer;
    pointer.selected = Cell{2, 2};
    pointer.path.valid = true;
    EXPECT_TRUE(CanMoveTo(state, pointer, {5, 4}));
    for (const auto& [col, row] : {std::pair{255, 255}, {0, 4}, {9, 4}, {4, 0}, {4, 9}, {2, 2}})
        EXPECT_FALSE(CanMoveTo(state, pointer, {col, row})) << col << "," << row;
    pointer.path.valid = false;
    EXPECT_FALSE(CanMoveTo(state, pointer, {5, 4}));
    pointer.path.valid = true;
    pointer.selected = Cell{9, 2}; // a selection that is no cell
    EXPECT_FALSE(CanMoveTo(state, pointer, {5, 4}));
    for (const auto& [col, row] : {std::pair{9, 1}, {0, 1}, {1, 9}, {1, 0}})
        EXPECT_FALSE(PairAvailableFrom(BoardWith(7, {}), col, row)) << col << "," << row;
}

} // namespace
} // namespace zembro
