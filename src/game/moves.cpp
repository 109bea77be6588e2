// Moves, pair removals and the penalty.
#include "game/moves.h"

#include "game/pair_scan.h"
#include "game/path_trace.h"

namespace zembro {

bool PairCountsAsAvailable(const GameState& game, Cell source, std::int32_t penalty) {
    if ((penalty & PENALTY_FULL) == 0)
        return PairAvailableFrom(game.board, source.col, source.row);
    for (int row = 1; row <= BOARD_SIDE; ++row)
        for (int col = 1; col <= BOARD_SIDE; ++col)
            if (game.IsPiece({col, row}) && PairAvailableFrom(game.board, col, row))
                return true;
    return false;
}

MoveResult ExecuteMove(GameState& game, PointerState& pointer, const OptionValues& settings) {
    if (!pointer.hover || !CanMoveTo(game, pointer, *pointer.hover))
        return MoveResult::NoMove;
    ++game.moves;
    const Cell from = *pointer.selected, to = *pointer.hover;
    std::uint8_t& source = game.At(from);
    std::uint8_t& target = game.At(to);
    MoveResult result = MoveResult::Moved;
    if (target != EMPTY_CELL) {
        target = source = EMPTY_CELL;
        game.piecesLeft -= 2;
        pointer.selected.reset();
        result = game.piecesLeft == 0 ? MoveResult::Won : MoveResult::Paired;
    } else {
        // Decided on the board as it stands before the move; charged once at most.
        if (settings.penalty != 0 && PairCountsAsAvailable(game, from, settings.penalty))
            game.seconds += settings.penalty & PENALTY_SECONDS_MASK;
        target = source;
        source = EMPTY_CELL;
        if (settings.reselectAfterMove != 0)
            pointer.selected.reset();
        else
            pointer.selected = to;
    }
    pointer.hover.reset();
    pointer.path.mask.fill(0);
    return result;
}

} // namespace zembro
