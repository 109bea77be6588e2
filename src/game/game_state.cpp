// Resetting the game before a deal.
#include "game/game_state.h"

namespace zembro {

void ResetGame(GameState& game, PointerState& pointer) {
    game = GameState{};
    pointer.hover.reset();
    pointer.selected.reset();
    pointer.path.mask.fill(0);
    pointer.pressed = false;
}

} // namespace zembro
