// The screen reader's texts.
#include "app/screen_reader.h"

namespace zembro {

std::string CellName(const GameState& game, int col, int row) {
    const int code = game.At(col, row);
    const std::string where = "riga " + std::to_string(row) + ", colonna " + std::to_string(col);
    if (code == EMPTY_CELL)
        return where + ": vuota";
    if (code == game.fixedCode)
        return where + ": fissa";
    return where + ": pedina " + std::to_string(code);
}

platform::ScreenReaderView DescribeGame(const GameState& game, int focusCol, int focusRow) {
    platform::ScreenReaderView view;
    for (int row = 1; row <= BOARD_SIDE; ++row)
        for (int col = 1; col <= BOARD_SIDE; ++col)
            view.cells.push_back(CellName(game, col, row));
    view.counters = {"Secondi: " + std::to_string(game.seconds),
                     "Mosse: " + std::to_string(game.moves),
                     "Pedine rimaste: " + std::to_string(game.piecesLeft)};
    if (game.HasSelection())
        view.selected = CellIndex(game.sourceCol, game.sourceRow);
    if (IsCellCoordinate(focusCol) && IsCellCoordinate(focusRow))
        view.focus = CellIndex(focusCol, focusRow);
    else if (game.HasHover())
        view.focus = CellIndex(game.hoverCol, game.hoverRow);
    return view;
}

SpokenState SpokenStateOf(const GameState& game, bool paused) {
    return {.pieces = game.piecesLeft,
            .seconds = game.seconds,
            .sourceCol = game.sourceCol,
            .sourceRow = game.sourceRow,
            .paused = paused,
            .aimed = game.HasSelection() && game.HasHover() &&
                     (game.hoverCol != game.sourceCol || game.hoverRow != game.sourceRow)};
}

std::string Announcement(const SpokenState& before, const SpokenState& after, MoveResult move,
                         bool acted) {
    const int penalty = after.seconds - before.seconds;
    const std::string charged =
        penalty > 0 ? ", penalità di " + std::to_string(penalty) + " secondi" : "";
    switch (move) {
    case MoveResult::Won:
        return "Hai vinto in " + std::to_string(after.seconds) + " secondi";
    case MoveResult::Paired:
        return "Coppia tolta, restano " + std::to_string(after.pieces) + " pedine";
    case MoveResult::Moved:
        return "Pedina spostata" + charged;
    case MoveResult::NoMove:
        break;
    }
    if (after.paused != before.paused)
        return after.paused ? "Pausa" : "Gioco ripreso";
    if (after.sourceCol != 0 &&
        (after.sourceCol != before.sourceCol || after.sourceRow != before.sourceRow))
        return "Selezionata riga " + std::to_string(after.sourceRow) + ", colonna " +
               std::to_string(after.sourceCol);
    if (acted && before.aimed && after.sourceCol == before.sourceCol &&
        after.sourceRow == before.sourceRow)
        return "Mossa non possibile";
    return {};
}

} // namespace zembro
