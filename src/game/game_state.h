// The game in progress, sorted by what changes it: what a move changes (the board and the
// counters) apart from what the pointer changes (the hovered cell, the selected piece, the path
// traced between them), which is recomputed, never restored.
#pragma once

#include "game/board.h"
#include "game/cell.h"
#include "game/path_trace.h"

#include <cstdint>
#include <optional>

namespace zembro {

struct GameState {
    Board board{};
    // The code of the fixed cells, as the deal that made this board set it. Kept with the board
    // so that settings read again during a game cannot turn its fixed cells into pieces.
    std::uint8_t fixedCode = 0;
    std::int32_t piecesLeft = 0; // cells holding neither 0 nor the fixed code
    std::int32_t moves = 0;      // plain moves and pair removals alike
    std::int32_t seconds = 0;    // elapsed seconds, penalties included; the score

    std::uint8_t& At(Cell cell) { return board[IndexOf(cell)]; }
    std::uint8_t At(Cell cell) const { return board[IndexOf(cell)]; }
    // A piece of the game's: neither empty nor fixed.
    bool IsPiece(Cell cell) const { return At(cell) != EMPTY_CELL && At(cell) != fixedCode; }
};

struct PointerState {
    std::optional<Cell> hover;    // the cell under the pointer
    std::optional<Cell> selected; // the piece a move starts from
    // The last trace: its mask is cleared by a move or a drop, while its answers stay until the
    // next trace that gets past its first step.
    PathTrace path;
    bool pressed = false; // the left button went down on a hovered cell and has not come up
};

// A fresh game before a deal: board and counters cleared; the pointer's hover, selection and
// path mask cleared (its last trace's answers stay).
void ResetGame(GameState& game, PointerState& pointer);

} // namespace zembro
