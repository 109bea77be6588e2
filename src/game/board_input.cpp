// Board-area input: selection, moves in the click-and-click and hold-to-drag modes.
#include "game/board_input.h"

#include "game/path_trace.h"

namespace zembro {

void PointerOnCell(const GameState& game, PointerState& pointer, const OptionValues& settings,
                   Cell cell) {
    pointer.hover = cell;
    pointer.path.mask.fill(0);
    if (!pointer.selected)
        return;
    if (const std::optional<PathTrace> path =
            TracePath(game.board, *pointer.selected, cell, settings.twoColourPath != 0))
        pointer.path = *path;
}

void PointerOffCells(PointerState& pointer) {
    pointer.hover.reset();
}

MoveResult BoardPress(GameState& game, PointerState& pointer, const OptionValues& settings) {
    if (!pointer.hover)
        return MoveResult::NoMove;
    pointer.pressed = true;
    if (!pointer.selected) {
        if (game.IsPiece(*pointer.hover))
            pointer.selected = pointer.hover;
        return MoveResult::NoMove;
    }
    if (!CanMoveTo(game, pointer, *pointer.hover))
        return MoveResult::NoMove;
    return ExecuteMove(game, pointer, settings); // which clears the hover and the path
}

MoveResult BoardRelease(GameState& game, PointerState& pointer, const OptionValues& settings) {
    pointer.pressed = false;
    if (settings.holdToDrag == 0)
        return MoveResult::NoMove;

    MoveResult result = MoveResult::NoMove;
    if (pointer.hover && CanMoveTo(game, pointer, *pointer.hover))
        result = ExecuteMove(game, pointer, settings);
    else
        pointer.selected.reset();
    pointer.hover.reset();
    pointer.path.mask.fill(0);
    return result;
}

void RightPress(PointerState& pointer) {
    pointer.selected.reset();
    pointer.path.mask.fill(0);
}

} // namespace zembro
