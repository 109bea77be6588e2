// Board-area input: selection, moves in the click-and-click and hold-to-drag modes.
#include "game/board_input.h"

#include "game/path_trace.h"

namespace zembro {

void PointerOnCell(GameState& state, const OptionValues& settings, int col, int row) {
    state.hoverCol = col;
    state.hoverRow = row;
    TracePath(state, settings);
}

void PointerOffCells(GameState& state) {
    state.ClearHover();
}

MoveResult BoardPress(GameState& state, InputState& input, const OptionValues& settings) {
    if (!state.HasHover())
        return MoveResult::NoMove;
    input.cellPressed = true;

    if (!state.HasSelection()) {
        const std::uint8_t code = state.At(state.hoverCol, state.hoverRow);
        if (code != EMPTY_CELL && code != state.fixedCode) {
            state.sourceCol = state.hoverCol;
            state.sourceRow = state.hoverRow;
        }
        return MoveResult::NoMove;
    }
    if (!CanMoveTo(state, state.hoverCol, state.hoverRow))
        return MoveResult::NoMove;
    return ExecuteMove(state, settings); // which clears the hover and the path
}

MoveResult BoardRelease(GameState& state, InputState& input, const OptionValues& settings) {
    input.cellPressed = false;
    if (settings.holdToDrag == 0)
        return MoveResult::NoMove;

    MoveResult result = MoveResult::NoMove;
    if (state.HasHover() && CanMoveTo(state, state.hoverCol, state.hoverRow))
        result = ExecuteMove(state, settings);
    else
        state.ClearSelection();
    state.ClearHover();
    state.ClearPathMask();
    return result;
}

void RightPress(GameState& state) {
    state.ClearSelection();
    state.ClearPathMask();
}

} // namespace zembro
