// Pointer and button sequences on the board, as a table: the selection, hover and moves they leave.
#include "game/board_input.h"

#include "board_rows.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zembro {
namespace {

constexpr int CLICK = 0, HOLD = 1, NONE = 255;

TEST(BoardInput, SequencesEndInTheExpectedState) {
    struct Case {
        const char* name;
        int holdToDrag;
        const char* events; // "h C R" hovers cell (C, R), "off" leaves the cells, "d", "u", "r"
        int sourceCol, sourceRow, hoverCol, hoverRow, moves;
        bool cellPressed;
        MoveResult last;
    };
    using enum MoveResult;
    // clang-format off
    const Case cases[] = {
        {"a click selects a piece", CLICK, "h 2 2 d u", 2, 2, 2, 2, 0, false, NoMove},
        {"a press holds the cell pressed", CLICK, "h 2 2 d", 2, 2, 2, 2, 0, true, NoMove},
        {"an empty cell selects nothing", CLICK, "h 4 4 d", 0, 0, 4, 4, 0, true, NoMove},
        {"a fixed cell selects nothing", CLICK, "h 6 6 d u", 0, 0, 6, 6, 0, false, NoMove},
        {"no hover, no press", CLICK, "h 2 2 off d", 0, 0, NONE, NONE, 0, false, NoMove},
        {"click, click pairs", CLICK, "h 2 2 d u h 2 6 d u", 0, 0, NONE, NONE, 1, false, NoMove},
        {"click, click moves, selected", CLICK, "h 2 2 d u h 4 2 d", 4, 2, NONE, NONE, 1, true, Moved},
        {"a second press keeps it", CLICK, "h 2 2 d u d u", 2, 2, 2, 2, 0, false, NoMove},
        {"a refused target keeps it", CLICK, "h 2 2 d u h 5 5 d", 2, 2, 5, 5, 0, true, NoMove},
        {"right drops, keeps the hover", CLICK, "h 2 2 d u h 4 2 r", 0, 0, 4, 2, 0, false, NoMove},
        {"drag and release moves", HOLD, "h 2 2 d h 4 2 u", 0, 0, NONE, NONE, 1, false, Moved},
        {"drag and release pairs", HOLD, "h 2 2 d h 2 6 u", 0, 0, NONE, NONE, 1, false, Paired},
        {"release on itself drops", HOLD, "h 2 2 d u", 0, 0, NONE, NONE, 0, false, NoMove},
        {"release on a refused cell drops", HOLD, "h 2 2 d h 5 5 u", 0, 0, NONE, NONE, 0, false, NoMove},
        {"release off the cells drops", HOLD, "h 2 2 d off u", 0, 0, NONE, NONE, 0, false, NoMove},
        {"a press on the target moves", HOLD, "h 2 2 d h 4 2 d", 0, 0, NONE, NONE, 1, true, Moved},
    };
    // clang-format on
    for (const Case& c : cases) {
        // Kind 7 at (2, 2) and (2, 6), kind 3 at (5, 5) and (8, 8), a fixed cell at (6, 6).
        GameState state;
        state.board = test::BoardWith(0, {{2, 2, 7}, {2, 6, 7}, {5, 5, 3}, {6, 6, 33}, {8, 8, 3}});
        state.fixedCode = 33;
        state.piecesLeft = 4;
        InputState input;
        OptionValues settings;
        settings.holdToDrag = settings.reselectAfterMove = c.holdToDrag; // as the reader forces
        MoveResult last = NoMove;
        std::istringstream events(c.events);
        for (std::string e; events >> e;) {
            if (int col = 0, row = 0; e == "h" && events >> col >> row)
                PointerOnCell(state, settings, col, row);
            else if (e == "off")
                PointerOffCells(state);
            else if (e == "d")
                last = BoardPress(state, input, settings);
            else if (e == "u")
                last = BoardRelease(state, input, settings);
            else
                RightPress(state);
        }
        const int seen[] = {state.sourceCol,       state.sourceRow, state.hoverCol,
                            state.hoverRow,        state.moves,     input.cellPressed,
                            static_cast<int>(last)};
        const int wanted[] = {c.sourceCol,
                              c.sourceRow,
                              c.hoverCol,
                              c.hoverRow,
                              c.moves,
                              c.cellPressed,
                              static_cast<int>(c.last)};
        EXPECT_TRUE(std::equal(std::begin(seen), std::end(seen), std::begin(wanted))) << c.name;
    }
}

} // namespace
} // namespace zembro
