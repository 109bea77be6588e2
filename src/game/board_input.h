// What the pointer and the buttons do to the game over the board area, given the hovered cell.
// The window's step adds the parts that belong to the window (zones, pause, frame, bar).
#pragma once

#include "game/game_settings.h"
#include "game/game_state.h"
#include "game/moves.h"

namespace zembro {

// The pointer moved onto `cell`: it becomes the hovered cell and the path from the selected
// piece is traced (the mask cleared first; a trace that finds nothing to trace keeps the last
// answers).
void PointerOnCell(const GameState& game, PointerState& pointer, const OptionValues& settings,
                   Cell cell);

// The pointer moved onto the board rectangle but on no cell: nothing is hovered. The path keeps
// what the last trace marked.
void PointerOffCells(PointerState& pointer);

// Left press in the board area, acting on the hovered cell: selects a movable piece when nothing
// is selected, else moves or pairs onto an accepted target (in both movement modes).
MoveResult BoardPress(GameState& game, PointerState& pointer, const OptionValues& settings);

// Left release: in the hold-to-drag mode completes the move onto an accepted hovered cell or
// drops the selection, then forgets the hover and the path.
MoveResult BoardRelease(GameState& game, PointerState& pointer, const OptionValues& settings);

// Right press: drops the selection and the path.
void RightPress(PointerState& pointer);

} // namespace zembro
