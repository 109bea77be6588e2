// The screen reader's texts.
#include "app/screen_reader.h"

#include "game/screen_layout.h"

#include <cctype>

namespace zembro {

std::string CellName(const GameState& game, Cell cell) {
    const int code = game.At(cell);
    const std::string where =
        "riga " + std::to_string(cell.row) + ", colonna " + std::to_string(cell.col);
    if (code == EMPTY_CELL)
        return where + ": vuota";
    if (code == game.fixedCode)
        return where + ": fissa";
    return where + ": pedina " + std::to_string(code);
}

namespace {

std::vector<std::string> Counters(const GameState& game) {
    return {"Secondi: " + std::to_string(game.seconds), "Mosse: " + std::to_string(game.moves),
            "Pedine rimaste: " + std::to_string(game.piecesLeft)};
}

} // namespace

std::string NewDealAnnouncement(const GameState& game) {
    return "Nuova partita, " + std::to_string(game.piecesLeft) + " pedine";
}

std::string CountersAnnouncement(const GameState& game) {
    const std::vector<std::string> counters = Counters(game);
    return counters[0] + ", " + counters[1] + ", " + counters[2];
}

std::string EdgeAnnouncement() {
    return "Bordo della scacchiera";
}

platform::ScreenReaderView DescribeGame(const GameState& game, const PointerState& pointer,
                                        std::optional<Cell> framed) {
    platform::ScreenReaderView view;
    view.board = {BOARD_AREA.left, BOARD_AREA.top, BOARD_AREA.right + 1, BOARD_AREA.bottom + 1};
    for (int row = 1; row <= BOARD_SIDE; ++row)
        for (int col = 1; col <= BOARD_SIDE; ++col) {
            view.cells.push_back(CellName(game, {col, row}));
            const ScenePoint at = CellPosition(col, row);
            view.cellBoxes.push_back({at.x, at.y, at.x + BAND_WIDTH, at.y + BAND_HEIGHT});
        }
    view.counters = Counters(game);
    if (pointer.selected)
        view.selected = static_cast<int>(IndexOf(*pointer.selected));
    if (const std::optional<Cell> focus = framed ? framed : pointer.hover)
        view.focus = static_cast<int>(IndexOf(*focus));
    return view;
}

SpokenState SpokenStateOf(const GameState& game, const PointerState& pointer, bool paused) {
    return {.pieces = game.piecesLeft,
            .seconds = game.seconds,
            .selected = pointer.selected,
            .paused = paused,
            .aimed = pointer.selected && pointer.hover && *pointer.hover != *pointer.selected};
}

std::string Announcement(const SpokenState& before, const SpokenState& after, MoveResult move,
                         bool acted) {
    const int penalty = after.seconds - before.seconds;
    std::string said;
    const auto add = [&](std::string part) { // "Pausa, selezionata riga 1, colonna 2"
        if (!said.empty())
            part[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(part[0])));
        said += (said.empty() ? "" : ", ") + part;
    };
    if (after.paused != before.paused)
        add(after.paused ? "Pausa" : "Gioco ripreso");
    switch (move) {
    case MoveResult::Won:
        add("Hai vinto in " + std::to_string(after.seconds) + " secondi");
        return said;
    case MoveResult::Paired:
        add("Coppia tolta, restano " + std::to_string(after.pieces) + " pedine");
        return said;
    case MoveResult::Moved:
        add(penalty > 0 ? "Pedina spostata, penalità di " + std::to_string(penalty) + " secondi"
                        : "Pedina spostata");
        if (after.selected) // the selection went with the piece
            add("resta selezionata");
        return said;
    case MoveResult::NoMove:
        break;
    }
    if (after.selected && after.selected != before.selected)
        add("Selezionata riga " + std::to_string(after.selected->row) + ", colonna " +
            std::to_string(after.selected->col));
    else if (!after.selected && before.selected)
        add("Selezione annullata");
    else if (acted && before.aimed && after.selected == before.selected)
        add("Mossa non possibile");
    return said;
}

} // namespace zembro
