// Resetting the game state before a deal.
#include "game/game_state.h"

namespace zembro {

void ResetGame(GameState& state) {
    state.seconds = 0;
    state.moves = 0;
    state.ClearSelection();
    state.ClearHover();
    state.board.fill(EMPTY_CELL);
}

} // namespace zembro
