// What the game says, on the screen and to a screen reader, about what the player asks of the
// session beyond the rules: taking back, hints, the same deal, winnable deals, the keys.
#pragma once

#include "game/game_state.h"
#include "game/hint.h"

#include <string>

namespace zembro {

inline constexpr const char* KEYS_TEXT = "Tasti di Zembro\n\n"
                                         "Frecce: spostano la cornice sulla scacchiera\n"
                                         "Spazio o Invio: prende la pedina, la posa\n"
                                         "Esc: lascia la pedina\n"
                                         "Ctrl+Z o Backspace: annulla l'ultima mossa\n"
                                         "H: suggerimento (la partita non entra in classifica)\n"
                                         "F5: rigioca la stessa partita\n"
                                         "W: solo partite vincibili, sì o no\n"
                                         "C: forma della fine del percorso\n"
                                         "I: pedine, secondi e mosse\n"
                                         "P: pausa\n"
                                         "M: menu\n"
                                         "F1: questo elenco";
inline constexpr const char* HINTED_TEXT =
    "Hai chiesto un suggerimento: questa partita non entrerà in classifica.";
inline constexpr const char* HINTED_WIN_TEXT =
    "Partita vinta con un suggerimento: non entra in classifica.";
inline constexpr const char* LOST_TEXT =
    "Questa partita non si può più vincere.\n"
    "Resetta per una nuova partita, F5 per rigiocarla, Ctrl+Z per annullare le mosse.";

// "Mossa annullata", or that there is none left to take back.
std::string TakeBackAnnouncement(bool taken);
// "Suggerimento: da riga 2, colonna 3 a riga 5, colonna 3", or why there is none.
std::string HintAnnouncement(const Hint& hint);
// "Stessa partita, 48 pedine".
std::string SameDealAnnouncement(const GameState& game);
std::string WinnableDealsAnnouncement(bool on);
// A new deal when winnable deals were asked for and none was found in the tries allowed.
inline constexpr const char* NO_WINNABLE_DEAL_TEXT =
    "nessuna partita sicuramente vincibile trovata";

} // namespace zembro
