// Moves, pair removals and the penalty.
#include "game/moves.h"

#include "game/pair_scan.h"
#include "game/path_trace.h"

namespace zembro {

bool PairCountsAsAvailable(const GameState& state, std::int32_t penalty) {
    if ((penalty & PENALTY_FULL) == 0)
        return PairAvailableFrom(state.board, state.sourceCol, state.sourceRow);
    for (int row = 1; row <= BOARD_SIDE; ++row) {
        for (int col = 1; col <= BOARD_SIDE; ++col) {
            const std::uint8_t code = state.At(col, row);
            if (code != EMPTY_CELL && code != state.fixedCode &&
                PairAvailableFrom(state.board, col, row))
                return true;
        }
    }
    return false;
}

MoveResult ExecuteMove(GameState& state, const OptionValues& settings) {
    if (!CanMoveTo(state, state.hoverCol, state.hoverRow))
        return MoveResult::NoMove;
    ++state.moves;

    std::uint8_t& source = state.At(state.sourceCol, state.sourceRow);
    std::uint8_t& target = state.At(state.hoverCol, state.hoverRow);
    MoveResult result = MoveResult::Moved;
    if (target != EMPTY_CELL) {
        target = source = EMPTY_CELL;
        state.piecesLeft -= 2;
        state.ClearSelection();
        result = state.piecesLeft == 0 ? MoveResult::Won : MoveResult::Paired;
    } else {
        // Decided on the board as it stands before the move; charged once at most.
        if (settings.penalty != 0 && PairCountsAsAvailable(state, settings.penalty))
            state.seconds += settings.penalty & PENALTY_SECONDS_MASK;
        target = source;
        source = EMPTY_CELL;
        if (settings.reselectAfterMove != 0) {
            state.ClearSelection();
        } else {
            state.sourceCol = state.hoverCol;
            state.sourceRow = state.hoverRow;
        }
    }
    state.ClearHover();
    state.ClearPathMask();
    return result;
}

} // namespace zembro
