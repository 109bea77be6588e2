// Moves: partners in reach along one-turn paths, and the penalty for a pair left unmade.
#include "game/moves.h"

#include "board_rows.h"
#include "game/pair_scan.h"
#include "game/path_trace.h"

#include <gtest/gtest.h>

namespace zembro {
namespace {

using test::BoardWith;

struct PairCase {
    const char* name;
    Board board;
    int col, row;
    bool expected;
};

TEST(PairAvailableFrom, FindsPartnersAlongOneTurnPaths) {
    const PairCase cases[] = {
        {"diagonal, one corner empty", BoardWith(1, {{4, 4, 7}, {5, 5, 7}, {5, 4, 0}}), 4, 4, true},
        {"diagonal, other corner empty", BoardWith(1, {{4, 4, 7}, {5, 5, 7}, {4, 5, 0}}), 4, 4,
         true},
        {"diagonal, both corners occupied", BoardWith(1, {{4, 4, 7}, {5, 5, 7}}), 4, 4, false},
        {"adjacent", BoardWith(1, {{4, 4, 7}, {4, 3, 7}}), 4, 4, true},
        {"straight line over empty cells", BoardWith(0, {{1, 5, 7}, {8, 5, 7}}), 1, 5, true},
        {"straight line stops at the first piece", BoardWith(0, {{1, 5, 7}, {4, 5, 2}, {8, 5, 7}}),
         1, 5, false},
        {"turn at the far end of a line",
         BoardWith(0, {{1, 1, 7}, {2, 1, 3}, {1, 8, 3}, {8, 8, 7}, {1, 7, 3}}), 1, 1, false},
        {"turn in the middle of a line",
         BoardWith(1, {{1, 1, 7}, {1, 2, 0}, {1, 3, 0}, {2, 3, 0}, {3, 3, 0}, {4, 3, 7}}), 1, 1,
         true},
        {"two turns are not allowed",
         BoardWith(1, {{1, 1, 7}, {1, 2, 0}, {2, 2, 0}, {2, 3, 0}, {2, 4, 7}}), 1, 1, false},
        {"a turn beyond a piece of another kind",
         BoardWith(1, {{3, 3, 7}, {3, 2, 0}, {4, 2, 5}, {5, 2, 7}}), 3, 3, false},
        {"edge of the board", BoardWith(0, {{8, 8, 7}}), 8, 8, false},
        {"an empty cell has nothing to pair", BoardWith(0, {{2, 2, 0}}), 2, 2, false},
        {"two fixed cells see each other", BoardWith(0, {{2, 2, 33}, {2, 6, 33}}), 2, 2, true},
        {"a column beyond the board", BoardWith(7, {}), 9, 1, false},
    };
    for (const PairCase& c : cases)
        EXPECT_EQ(PairAvailableFrom(c.board, c.col, c.row), c.expected) << c.name;
}

// A state with a piece selected at `source` and the pointer traced to `target`.
GameState Selected(const Board& board, int sc, int sr, int tc, int tr) {
    GameState state;
    state.board = board;
    state.fixedCode = 33;
    state.piecesLeft = 0;
    for (const std::uint8_t code : board)
        state.piecesLeft += (code != 0 && code != 33) ? 1 : 0;
    state.sourceCol = sc;
    state.sourceRow = sr;
    state.hoverCol = tc;
    state.hoverRow = tr;
    TracePath(state, OptionValues{});
    return state;
}

// The moved piece is at (2, 2) and goes to (2, 1). Its partner at (2, 5) is in reach unless the
// case blocks it; another pair, (6, 6) and (6, 8), is in reach elsewhere unless blocked.
struct PenaltyCase {
    const char* name;
    int penalty;
    bool movedPieceHasPair;
    bool otherPairAvailable;
    int expectedSeconds;
};

TEST(ExecuteMove, PenaltyIsChargedWhenAPairWasAvailable) {
    const PenaltyCase cases[] = {
        {"no penalty", 0, true, true, 100},
        {"moved piece had a pair", 5, true, false, 105},
        {"moved piece had none, others had", 5, false, true, 100},
        {"full: another pair anywhere", 133, false, true, 105},
        {"full: the moved piece's own pair", 133, true, false, 105},
        {"full: both, charged once", 133, true, true, 105},
        {"full: no pair anywhere", 133, false, false, 100},
        {"128 scans and adds nothing", 128, true, true, 100},
        {"seconds are the low seven bits", 127 + 128, true, false, 227},
    };
    for (const PenaltyCase& c : cases) {
        Board board = BoardWith(0, {{2, 2, 7}, {2, 5, 7}, {6, 6, 4}, {6, 8, 4}});
        if (!c.movedPieceHasPair)
            board[static_cast<std::size_t>(CellIndex(2, 4))] = 9;
        if (!c.otherPairAvailable)
            board[static_cast<std::size_t>(CellIndex(6, 7))] = 9;
        // The blockers are a pair of their own only if they see each other; keep them apart.
        GameState state = Selected(board, 2, 2, 2, 1);
        state.seconds = 100;
        OptionValues settings;
        settings.penalty = c.penalty;
        ASSERT_EQ(ExecuteMove(state, settings), MoveResult::Moved) << c.name;
        EXPECT_EQ(state.seconds, c.expectedSeconds) << c.name;
    }
}

} // namespace
} // namespace zembro
