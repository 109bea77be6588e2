// Path tracing: a path of at most one turn over empty cells from the selected piece to the
// hovered cell, and whether the selected piece may move there.
#pragma once

#include "game/game_settings.h"
#include "game/game_state.h"

namespace zembro {

// Traces from the selection to the hovered cell: clears `pathMask`, and when there is something
// to trace marks the free route (the selected cell included) and sets `pathValid` and
// `pairTarget`. With `twoColourPath` the target's content is ignored while tracing, so the path
// shows up to any target. The board is left as it was.
void TracePath(GameState& state, const OptionValues& settings);

// Whether the selected piece may go to (col, row) as the last trace left things: the cell is
// empty or holds an equal piece, and the trace found a free path to it.
bool CanMoveTo(const GameState& state, int col, int row);

} // namespace zembro
