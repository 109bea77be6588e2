// The moves of a game, so that they can be taken back one by one down to the deal: what each
// move found before it, the board and the pieces left and the piece that was selected. The
// counters are not kept: the clock goes on, and a take-back is one move more.
#pragma once

#include "game/cell.h"
#include "game/game_state.h"

#include <optional>
#include <vector>

namespace zembro {

class MoveHistory {
  public:
    // A move is about to change `game`; `selected` is the piece selected before it.
    void Record(const GameState& game, std::optional<Cell> selected);
    // The last recorded move undone on `game` and `pointer` (hover and path cleared, the
    // selection as it was); false when there is none left.
    bool TakeBack(GameState& game, PointerState& pointer);
    void Clear() { moves_.clear(); }
    bool Empty() const { return moves_.empty(); }

  private:
    struct Before {
        Board board;
        std::int32_t piecesLeft;
        std::optional<Cell> selected;
    };
    std::vector<Before> moves_;
};

} // namespace zembro
