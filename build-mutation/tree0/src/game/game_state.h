// The game in progress: board, counters, selection, hover and the traced path.
#pragma once

#include "game/board.h"

#include <cstdint>

namespace zembro {

struct GameState {
    std::int32_t seconds = 0;    // elapsed seconds, penalties included; the score
    std::int32_t moves = 0;      // plain moves and pair removals alike
    std::int32_t piecesLeft = 0; // cells holding neither 0 nor the fixed code
    std::int32_t pairTarget = 0; // last trace: the hovered cell pairs with the selected piece
    std::int32_t pathValid = 0;  // last trace: a free path reaches the hovered cell
    std::int32_t hoverCol = NO_HOVER;
    std::int32_t hoverRow = NO_HOVER;
    std::int32_t sourceCol = NO_SELECTION;
    std::int32_t sourceRow = NO_SELECTION;
    PathMask pathMask{};
    Board board{};
    // The code of the fixed cells, as the deal that made this board set it. Kept with the board
    // so that settings read again during a game cannot turn its fixed cells into pieces.
    std::uint8_t fixedCode = 0;

    bool HasSelection() const { return sourceCol != NO_SELECTION; }
    bool HasHover() const { return hoverCol != NO_HOVER; }
    std::uint8_t& At(int col, int row) {
        return board[static_cast<std::size_t>(CellIndex(col, row))];
    }
    std::uint8_t At(int col, int row) const {
        return board[static_cast<std::size_t>(CellIndex(col, row))];
    }
    void ClearSelection() { sourceCol = sourceRow = NO_SELECTION; }
    void ClearHover() { hoverCol = hoverRow = NO_HOVER; }
    void ClearPathMask() { pathMask.fill(0); }
};

// Prepares the state for a deal: counters, selection, hover and board cleared. `piecesLeft`,
// `pairTarget`, `pathValid` and `pathMask` stay; the deal that always follows sets them.
void ResetGame(GameState& state);

} // namespace zembro
