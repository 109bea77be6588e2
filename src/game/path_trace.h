// Path tracing: a path of at most one turn over empty cells from the selected piece to the
// hovered cell, and whether the selected piece may move there.
#pragma once

#include "game/board.h"
#include "game/cell.h"

#include <optional>

namespace zembro {

struct GameState;
struct PointerState;

// A traced path: the cells it passes (the source included), whether a free route reaches the
// target, and whether the target holds an equal piece.
struct PathTrace {
    PathMask mask{};
    bool valid = false; // pathValid
    bool pairs = false; // pairTarget
};

// The path from `source` to `target` over the two one-turn routes, corner (target's column,
// source's row) first. With `twoColourPath` the target's content is ignored while tracing, so
// the path shows up to any target. Nothing when there is nothing to trace (the target is the
// source, or a cell off the board).
std::optional<PathTrace> TracePath(const Board& board, Cell source, Cell target,
                                   bool twoColourPath);

// Whether the selected piece may go to `target` as the last trace left things: the cell is empty
// or holds an equal piece, and the trace found a free path to it.
bool CanMoveTo(const GameState& game, const PointerState& pointer, Cell target);

} // namespace zembro
