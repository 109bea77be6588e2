// Taking moves back.
#include "game/move_history.h"

namespace zembro {

void MoveHistory::Record(const GameState& game, std::optional<Cell> selected) {
    moves_.push_back({game.board, game.piecesLeft, selected});
}

bool MoveHistory::TakeBack(GameState& game, PointerState& pointer) {
    if (moves_.empty())
        return false;
    const Before& before = moves_.back();
    game.board = before.board;
    game.piecesLeft = before.piecesLeft;
    ++game.moves;
    pointer.selected = before.selected;
    pointer.hover.reset();
    pointer.path.mask = {};
    pointer.pressed = false;
    moves_.pop_back();
    return true;
}

} // namespace zembro
