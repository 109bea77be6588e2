// Executing a move: a plain move with its penalty, or a pair removal.
#pragma once

#include "game/game_settings.h"
#include "game/game_state.h"

namespace zembro {

// What a move did. The rules report it; the caller turns `Won` into the end of the game.
enum class MoveResult {
    NoMove, // nothing was moved (a refused target, or a press that only selects)
    Moved,  // a plain move
    Paired, // a pair removed, pieces remain
    Won,    // the last pair removed
};

// Moves the selected piece onto the hovered cell, or removes both when the cell holds an equal
// piece. Counts the move, charges the penalty for a plain move made while a pair was available,
// applies the selection rule, and clears the hover and the path.
MoveResult ExecuteMove(GameState& game, PointerState& pointer, const OptionValues& settings);

// The penalty's question before a plain move of the piece on `source`: is a pair available, for
// that piece alone or, with PENALTY_FULL, for any piece of the board? Fixed cells never pair, so
// they are not asked.
bool PairCountsAsAvailable(const GameState& game, Cell source, std::int32_t penalty);

} // namespace zembro
