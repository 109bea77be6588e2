// Pointer and button sequences on the board, as a table: the selection, hover and moves they leave.
#include "game/board_input.h"

#include "board_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zembro {
namespace {

using test::BoardWith;

// One pointer or button event, as the window delivers them over the board.
struct Event {
    enum Kind { Hover, Off, Down, Up, Right } kind;
    int col = 0, row = 0;
};
Event HoverAt(int col, int row) {
    return {Event::Hover, col, row};
}
constexpr Event OFF{Event::Off}, DOWN{Event::Down}, UP{Event::Up}, RIGHT{Event::Right};

struct Expected {
    int sourceCol, sourceRow;
    int hoverCol, hoverRow;
    int moves;
    bool cellPressed;
    MoveResult lastResult;
};

struct InputCase {
    const char* name;
    int holdToDrag;
    std::vector<Event> events;
    Expected expected;
};

// Kind 7 at (2, 2) and (2, 6), kind 3 at (5, 5), a fixed cell at (6, 6), the rest empty.
GameState StartState() {
    GameState state;
    state.board = BoardWith(0, {{2, 2, 7}, {2, 6, 7}, {5, 5, 3}, {6, 6, 33}, {8, 8, 3}});
    state.fixedCode = 33;
    state.piecesLeft = 4;
    return state;
}

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const InputCase& c, std::ostream* out) {
    *out << c.name;
}

class BoardInputSequences : public testing::TestWithParam<InputCase> {};

TEST_P(BoardInputSequences, EndInTheExpectedState) {
    const InputCase& c = GetParam();
    GameState state = StartState();
    InputState input;
    OptionValues settings;
    settings.holdToDrag = c.holdToDrag;
    settings.reselectAfterMove = c.holdToDrag; // as the options reader forces it
    MoveResult last = MoveResult::NoMove;
    for (const Event& e : c.events) {
        switch (e.kind) {
        case Event::Hover:
            PointerOnCell(state, settings, e.col, e.row);
            break;
        case Event::Off:
            PointerOffCells(state);
            break;
        case Event::Down:
            last = BoardPress(state, input, settings);
            break;
        case Event::Up:
            last = BoardRelease(state, input, settings);
            break;
        case Event::Right:
            RightPress(state);
            break;
        }
    }
    const Expected& x = c.expected;
    EXPECT_EQ(state.sourceCol, x.sourceCol);
    EXPECT_EQ(state.sourceRow, x.sourceRow);
    EXPECT_EQ(state.hoverCol, x.hoverCol);
    EXPECT_EQ(state.hoverRow, x.hoverRow);
    EXPECT_EQ(state.moves, x.moves);
    EXPECT_EQ(input.cellPressed, x.cellPressed);
    EXPECT_EQ(last, x.lastResult);
}

constexpr int CLICK = 0, HOLD = 1;
constexpr int NONE = 255;

INSTANTIATE_TEST_SUITE_P(
    Sequences, BoardInputSequences,
    testing::Values(InputCase{"ClickSelectsAPiece",
                              CLICK,
                              {HoverAt(2, 2), DOWN, UP},
                              {2, 2, 2, 2, 0, false, MoveResult::NoMove}},
                    InputCase{"PressHoldsCellPressedUntilRelease",
                              CLICK,
                              {HoverAt(2, 2), DOWN},
                              {2, 2, 2, 2, 0, true, MoveResult::NoMove}},
                    InputCase{"EmptyCellSelectsNothingButPresses",
                              CLICK,
                              {HoverAt(4, 4), DOWN},
                              {0, 0, 4, 4, 0, true, MoveResult::NoMove}},
                    InputCase{"FixedCellSelectsNothing",
                              CLICK,
                              {HoverAt(6, 6), DOWN, UP},
                              {0, 0, 6, 6, 0, false, MoveResult::NoMove}},
                    InputCase{"NoHoverNoPress",
                              CLICK,
                              {HoverAt(2, 2), OFF, DOWN},
                              {0, 0, NONE, NONE, 0, false, MoveResult::NoMove}},
                    InputCase{"ClickClickPairs",
                              CLICK,
                              {HoverAt(2, 2), DOWN, UP, HoverAt(2, 6), DOWN, UP},
                              {0, 0, NONE, NONE, 1, false, MoveResult::NoMove}},
                    InputCase{"ClickClickMoveKeepsSelection",
                              CLICK,
                              {HoverAt(2, 2), DOWN, UP, HoverAt(4, 2), DOWN},
                              {4, 2, NONE, NONE, 1, true, MoveResult::Moved}},
                    InputCase{"SecondPressOnSelectedKeepsIt",
                              CLICK,
                              {HoverAt(2, 2), DOWN, UP, DOWN, UP},
                              {2, 2, 2, 2, 0, false, MoveResult::NoMove}},
                    InputCase{"RefusedTargetKeepsSelection",
                              CLICK,
                              {HoverAt(2, 2), DOWN, UP, HoverAt(5, 5), DOWN},
                              {2, 2, 5, 5, 0, true, MoveResult::NoMove}},
                    InputCase{"RightPressDropsSelectionKeepsHover",
                              CLICK,
                              {HoverAt(2, 2), DOWN, UP, HoverAt(4, 2), RIGHT},
                              {0, 0, 4, 2, 0, false, MoveResult::NoMove}},
                    InputCase{"HoldDragReleaseMoves",
                              HOLD,
                              {HoverAt(2, 2), DOWN, HoverAt(4, 2), UP},
                              {0, 0, NONE, NONE, 1, false, MoveResult::Moved}},
                    InputCase{"HoldDragReleasePairs",
                              HOLD,
                              {HoverAt(2, 2), DOWN, HoverAt(2, 6), UP},
                              {0, 0, NONE, NONE, 1, false, MoveResult::Paired}},
                    InputCase{"HoldReleaseOnSelectedDrops",
                              HOLD,
                              {HoverAt(2, 2), DOWN, UP},
                              {0, 0, NONE, NONE, 0, false, MoveResult::NoMove}},
                    InputCase{"HoldReleaseOnRefusedDrops",
                              HOLD,
                              {HoverAt(2, 2), DOWN, HoverAt(5, 5), UP},
                              {0, 0, NONE, NONE, 0, false, MoveResult::NoMove}},
                    InputCase{"HoldReleaseOffCellsDrops",
                              HOLD,
                              {HoverAt(2, 2), DOWN, OFF, UP},
                              {0, 0, NONE, NONE, 0, false, MoveResult::NoMove}},
                    InputCase{"HoldPressOnTargetMovesToo",
                              HOLD,
                              {HoverAt(2, 2), DOWN, HoverAt(4, 2), DOWN},
                              {0, 0, NONE, NONE, 1, true, MoveResult::Moved}}),
    [](const testing::TestParamInfo<InputCase>& param) { return std::string(param.param.name); });

} // namespace
} // namespace zembro
