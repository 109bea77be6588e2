// The session's sentences.
#include "app/session_texts.h"

namespace zembro {
namespace {

std::string Where(Cell cell) {
    return "riga " + std::to_string(cell.row) + ", colonna " + std::to_string(cell.col);
}

} // namespace

std::string TakeBackAnnouncement(bool taken) {
    return taken ? "Mossa annullata" : "Nessuna mossa da annullare";
}

std::string HintAnnouncement(const Hint& hint) {
    switch (hint.kind) {
    case Hint::Kind::Line:
    case Hint::Kind::Pair:
    case Hint::Kind::Opening:
        return "Suggerimento: da " + Where(hint.step.from) + " a " + Where(hint.step.to);
    case Hint::Kind::Lost:
        return "Questa partita non si può più vincere";
    case Hint::Kind::None:
        break;
    }
    return "Nessun suggerimento: nessuna mossa porta a una coppia";
}

std::string SameDealAnnouncement(const GameState& game) {
    return "Stessa partita, " + std::to_string(game.piecesLeft) + " pedine";
}

std::string WinnableDealsAnnouncement(bool on) {
    return on ? "Solo partite vincibili" : "Partite vincibili e non";
}

} // namespace zembro
