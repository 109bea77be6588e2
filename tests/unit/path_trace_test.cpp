// Path tracing as a table of boards and cells: the route marked, its flags, and moves refused.
#include "game/path_trace.h"

#include "board_rows.h"

#include <gtest/gtest.h>

#include <vector>

namespace zembro {
namespace {

using test::BoardText;
using test::BoardWith;
using test::Cell;

struct Coord {
    int col, row;
};

PathMask MaskOf(const std::vector<Coord>& cells) {
    PathMask mask{};
    for (const Coord& c : cells)
        mask[static_cast<std::size_t>(CellIndex(c.col, c.row))] = 1;
    return mask;
}

// The worked example: kind 7 at (2, 2), the target (5, 4), and only these cells empty.
Board ExampleBoard(std::initializer_list<Cell> changes = {}) {
    Board board = BoardWith(1, {{2, 2, 7},
                                {3, 2, 0},
                                {4, 2, 0},
                                {5, 2, 0},
                                {5, 3, 0},
                                {5, 4, 0},
                                {2, 3, 0},
                                {2, 4, 0},
                                {3, 4, 0},
                                {4, 4, 0}});
    for (const Cell& c : changes)
        board[static_cast<std::size_t>(CellIndex(c.col, c.row))] =
            static_cast<std::uint8_t>(c.code);
    return board;
}

const std::vector<Coord> ROUTE_A = {{2, 2}, {3, 2}, {4, 2}, {5, 2}, {5, 3}, {5, 4}};
const std::vector<Coord> ROUTE_B = {{2, 2}, {2, 3}, {2, 4}, {3, 4}, {4, 4}, {5, 4}};

struct TraceCase {
    const char* name;
    Board board;
    Coord source, hover;
    bool twoColour;
    std::vector<Coord> marked;
    int pathValid, pairTarget;
    bool canMove;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const TraceCase& c, std::ostream* out) {
    *out << c.name;
}

class TracePathCases : public testing::TestWithParam<TraceCase> {};

TEST_P(TracePathCases, MarksTheRouteAndSetsTheFlags) {
    const TraceCase& c = GetParam();
    GameState state;
    state.board = c.board;
    state.sourceCol = c.source.col;
    state.sourceRow = c.source.row;
    state.hoverCol = c.hover.col;
    state.hoverRow = c.hover.row;
    state.pathValid = state.pairTarget = 7; // must be overwritten
    OptionValues settings;
    settings.twoColourPath = c.twoColour ? 1 : 0;

    TracePath(state, settings);

    EXPECT_EQ(BoardText(state.pathMask), BoardText(MaskOf(c.marked)));
    EXPECT_EQ(state.pathValid, c.pathValid);
    EXPECT_EQ(state.pairTarget, c.pairTarget);
    EXPECT_EQ(CanMoveTo(state, c.hover.col, c.hover.row), c.canMove);
    EXPECT_EQ(state.board, c.board) << "the trace must leave the board as it was";
}

INSTANTIATE_TEST_SUITE_P(
    Routes, TracePathCases,
    testing::Values(
        TraceCase{
            "WorkedExampleRouteA", ExampleBoard(), {2, 2}, {5, 4}, false, ROUTE_A, 1, 0, true},
        TraceCase{"RouteABlockedRouteB",
                  ExampleBoard({{4, 2, 3}}),
                  {2, 2},
                  {5, 4},
                  false,
                  ROUTE_B,
                  1,
                  0,
                  true},
        TraceCase{"PairTargetOnRouteB",
                  ExampleBoard({{4, 2, 3}, {5, 4, 7}}),
                  {2, 2},
                  {5, 4},
                  false,
                  ROUTE_B,
                  1,
                  1,
                  true},
        TraceCase{"OtherKindOnTarget",
                  ExampleBoard({{4, 2, 3}, {5, 4, 9}}),
                  {2, 2},
                  {5, 4},
                  false,
                  {},
                  0,
                  0,
                  false},
        TraceCase{"OtherKindOnTargetTwoColour",
                  ExampleBoard({{4, 2, 3}, {5, 4, 9}}),
                  {2, 2},
                  {5, 4},
                  true,
                  ROUTE_B,
                  1,
                  0,
                  false},
        TraceCase{"FixedCellOnTargetTwoColour",
                  ExampleBoard({{4, 2, 3}, {5, 4, 33}}),
                  {2, 2},
                  {5, 4},
                  true,
                  ROUTE_B,
                  1,
                  0,
                  false},
        TraceCase{"FixedCellBlocksLikeAPiece",
                  ExampleBoard({{4, 2, 33}, {3, 4, 33}}),
                  {2, 2},
                  {5, 4},
                  false,
                  {},
                  0,
                  0,
                  false},
        TraceCase{"AdjacentEmptyTarget",
                  BoardWith(1, {{4, 4, 7}, {5, 4, 0}}),
                  {4, 4},
                  {5, 4},
                  false,
                  {{4, 4}, {5, 4}},
                  1,
                  0,
                  true},
        TraceCase{"AdjacentEqualPiece",
                  BoardWith(1, {{4, 4, 7}, {4, 5, 7}}),
                  {4, 4},
                  {4, 5},
                  false,
                  {{4, 4}, {4, 5}},
                  1,
                  1,
                  true},
        TraceCase{"DiagonalBothCornersOccupied",
                  BoardWith(1, {{4, 4, 7}, {5, 5, 0}}),
                  {4, 4},
                  {5, 5},
                  false,
                  {},
                  0,
                  0,
                  false},
        TraceCase{"DiagonalCornerAOccupiedCornerBEmpty",
                  BoardWith(1, {{4, 4, 7}, {5, 5, 0}, {4, 5, 0}}),
                  {4, 4},
                  {5, 5},
                  false,
                  {{4, 4}, {4, 5}, {5, 5}},
                  1,
                  0,
                  true},
        TraceCase{"DiagonalUpLeftCornerA",
                  BoardWith(1, {{4, 4, 7}, {2, 2, 0}, {3, 4, 0}, {2, 4, 0}, {2, 3, 0}}),
                  {4, 4},
                  {2, 2},
                  false,
                  {{4, 4}, {3, 4}, {2, 4}, {2, 3}, {2, 2}},
                  1,
                  0,
                  true},
        TraceCase{"StraightLineBlocked",
                  BoardWith(0, {{1, 3, 7}, {4, 3, 2}}),
                  {1, 3},
                  {7, 3},
                  false,
                  {},
                  0,
                  0,
                  false},
        TraceCase{"StraightLineAcrossTheBoard",
                  BoardWith(0, {{1, 8, 7}, {8, 8, 7}}),
                  {1, 8},
                  {8, 8},
                  false,
                  {{1, 8}, {2, 8}, {3, 8}, {4, 8}, {5, 8}, {6, 8}, {7, 8}, {8, 8}},
                  1,
                  1,
                  true}),
    [](const testing::TestParamInfo<TraceCase>& param) { return std::string(param.param.name); });

TEST(CanMoveTo, RefusesOutOfRangeCellsAndStaleInvalidPaths) {
    GameState state;
    state.board = ExampleBoard();
    state.sourceCol = 2;
    state.sourceRow = 2;
    state.pathValid = 1;
    EXPECT_TRUE(CanMoveTo(state, 5, 4));
    EXPECT_FALSE(CanMoveTo(state, 255, 255));
    EXPECT_FALSE(CanMoveTo(state, 0, 4));
    EXPECT_FALSE(CanMoveTo(state, 9, 4));
    EXPECT_FALSE(CanMoveTo(state, 4, 0));
    EXPECT_FALSE(CanMoveTo(state, 4, 9));
    EXPECT_FALSE(CanMoveTo(state, 1, 1)) << "a different piece";
    state.pathValid = 0;
    EXPECT_FALSE(CanMoveTo(state, 5, 4));
}

} // namespace
} // namespace zembro
