// What the pointer and the buttons do to the game over the board area, given the hovered cell.
// The window's handlers add the parts that belong to the window (zones, pause, cursor, bar).
#pragma once

#include "game/game_settings.h"
#include "game/game_state.h"
#include "game/moves.h"

namespace zembro {

struct InputState {
    // The left button went down on a hovered cell and has not come up yet.
    bool cellPressed = false;
};

// The pointer moved onto cell (col, row): it becomes the hovered cell and the path is traced.
void PointerOnCell(GameState& state, const OptionValues& settings, int col, int row);

// The pointer moved onto the board rectangle but on no cell: nothing is hovered. The path
// keeps what the last trace marked.
void PointerOffCells(GameState& state);

// Left press in the board area, acting on the hovered cell: selects a movable piece when nothing
// is selected, else moves or pairs onto an accepted target (in both movement modes).
MoveResult BoardPress(GameState& state, InputState& input, const OptionValues& settings);

// Left release: in the hold-to-drag mode completes the move onto an accepted hovered cell or
// drops the selection, then forgets the hover and the path.
MoveResult BoardRelease(GameState& state, InputState& input, const OptionValues& settings);

// Right press: drops the selection and the path.
void RightPress(GameState& state);

} // namespace zembro
