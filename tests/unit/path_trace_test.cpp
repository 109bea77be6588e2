// Path tracing as a table of boards and cells: the route marked, its flags, and moves refused.
#include "game/path_trace.h"

#include "board_rows.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zembro {
namespace {

using test::BoardText;
using test::BoardWith;

// "col row code; ..." set on a board of kind 1 (or 0 when `filler` says so).
Board BoardFrom(int filler, const std::string& cells) {
    Board board = BoardWith(filler, {});
    std::istringstream in(cells);
    for (int col, row, code; in >> col >> row >> code;) {
        board[static_cast<std::size_t>(CellIndex(col, row))] = static_cast<std::uint8_t>(code);
        in.ignore(1, ';');
    }
    return board;
}

// The worked example: kind 7 at (2, 2), the target (5, 4), and only these cells empty.
const std::string EXAMPLE = "2 2 7; 3 2 0; 4 2 0; 5 2 0; 5 3 0; 5 4 0; 2 3 0; 2 4 0; 3 4 0; 4 4 0;";
const std::string ROUTE_A = "2 2 1; 3 2 1; 4 2 1; 5 2 1; 5 3 1; 5 4 1";
const std::string ROUTE_B = "2 2 1; 2 3 1; 2 4 1; 3 4 1; 4 4 1; 5 4 1";

TEST(TracePath, MarksTheRouteAndSetsTheFlags) {
    struct Case {
        const char* name;
        int filler;
        std::string cells;
        int sourceCol, sourceRow, hoverCol, hoverRow;
        bool twoColour;
        std::string marked;
        int pathValid, pairTarget;
        bool canMove;
    };
    // clang-format off
    const Case cases[] = {
        {"worked example, route A", 1, EXAMPLE, 2, 2, 5, 4, false, ROUTE_A, 1, 0, true},
        {"route A blocked, route B", 1, EXAMPLE + "4 2 3", 2, 2, 5, 4, false, ROUTE_B, 1, 0, true},
        {"pair target on route B", 1, EXAMPLE + "4 2 3; 5 4 7", 2, 2, 5, 4, false, ROUTE_B, 1, 1, true},
        {"other kind on the target", 1, EXAMPLE + "4 2 3; 5 4 9", 2, 2, 5, 4, false, "", 0, 0, false},
        {"other kind, two colours", 1, EXAMPLE + "4 2 3; 5 4 9", 2, 2, 5, 4, true, ROUTE_B, 1, 0, false},
        {"fixed cell, two colours", 1, EXAMPLE + "4 2 3; 5 4 33", 2, 2, 5, 4, true, ROUTE_B, 1, 0, false},
        {"fixed cells block", 1, EXAMPLE + "4 2 33; 3 4 33", 2, 2, 5, 4, false, "", 0, 0, false},
        {"adjacent empty target", 1, "4 4 7; 5 4 0", 4, 4, 5, 4, false, "4 4 1; 5 4 1", 1, 0, true},
        {"adjacent equal piece", 1, "4 4 7; 4 5 7", 4, 4, 4, 5, false, "4 4 1; 4 5 1", 1, 1, true},
        {"diagonal, both corners full", 1, "4 4 7; 5 5 0", 4, 4, 5, 5, false, "", 0, 0, false},
        {"diagonal, second corner", 1, "4 4 7; 5 5 0; 4 5 0", 4, 4, 5, 5, false, "4 4 1; 4 5 1; 5 5 1", 1, 0, true},
        {"diagonal up-left, first corner", 1, "4 4 7; 2 2 0; 3 4 0; 2 4 0; 2 3 0", 4, 4, 2, 2, false,
         "4 4 1; 3 4 1; 2 4 1; 2 3 1; 2 2 1", 1, 0, true},
        {"straight line blocked", 0, "1 3 7; 4 3 2", 1, 3, 7, 3, false, "", 0, 0, false},
        {"straight across the board", 0, "1 8 7; 8 8 7", 1, 8, 8, 8, false,
         "1 8 1; 2 8 1; 3 8 1; 4 8 1; 5 8 1; 6 8 1; 7 8 1; 8 8 1", 1, 1, true},
    };
    // clang-format on
    for (const Case& c : cases) {
        GameState state;
        state.board = BoardFrom(c.filler, c.cells);
        state.sourceCol = c.sourceCol;
        state.sourceRow = c.sourceRow;
        state.hoverCol = c.hoverCol;
        state.hoverRow = c.hoverRow;
        state.pathValid = state.pairTarget = 7; // must be overwritten
        OptionValues settings;
        settings.twoColourPath = c.twoColour ? 1 : 0;
        TracePath(state, settings);
        EXPECT_EQ(BoardText(state.pathMask), BoardText(BoardFrom(0, c.marked))) << c.name;
        EXPECT_EQ(state.pathValid, c.pathValid) << c.name;
        EXPECT_EQ(state.pairTarget, c.pairTarget) << c.name;
        EXPECT_EQ(CanMoveTo(state, c.hoverCol, c.hoverRow), c.canMove) << c.name;
        EXPECT_EQ(state.board, BoardFrom(c.filler, c.cells)) << c.name << ": the board changed";
    }
}

TEST(CanMoveTo, RefusesOutOfRangeCellsAndStaleInvalidPaths) {
    GameState state;
    state.board = BoardFrom(1, EXAMPLE);
    state.sourceCol = 2;
    state.sourceRow = 2;
    state.pathValid = 1;
    EXPECT_TRUE(CanMoveTo(state, 5, 4));
    for (const auto& [col, row] : {std::pair{255, 255}, {0, 4}, {9, 4}, {4, 0}, {4, 9}, {1, 1}})
        EXPECT_FALSE(CanMoveTo(state, col, row)) << col << "," << row;
    state.pathValid = 0;
    EXPECT_FALSE(CanMoveTo(state, 5, 4));
}

} // namespace
} // namespace zembro
