// What a screen reader reads of the game, in Italian: each cell by its row, column and content,
// the counters, and a sentence for what a step changed.
#pragma once

#include "game/game_state.h"
#include "game/moves.h"
#include "platform/framework.h"

#include <optional>
#include <string>

namespace zembro {

// "riga 3, colonna 5: pedina 12", "...: vuota", "...: fissa".
std::string CellName(const GameState& game, Cell cell);

// The cells row by row, the counters, and the keyboard's cell (else the hovered one) as focus.
platform::ScreenReaderView DescribeGame(const GameState& game, const PointerState& pointer,
                                        std::optional<Cell> framed);

// What a player hears about a step, before and after it.
struct SpokenState {
    int pieces = 0, seconds = 0;
    std::optional<Cell> selected{};
    bool paused = false, aimed = false; // aimed: a selection and another cell under the pointer
};
SpokenState SpokenStateOf(const GameState& game, const PointerState& pointer, bool paused);

// The sentence for the change, empty when there is nothing to say. `acted`: the step was a press
// or a key that clicks.
std::string Announcement(const SpokenState& before, const SpokenState& after, MoveResult move,
                         bool acted);

// "Nuova partita, 48 pedine".
std::string NewDealAnnouncement(const GameState& game);
// The counters in one sentence, for the key that asks for them.
std::string CountersAnnouncement(const GameState& game);
// An arrow that could not move the keyboard's frame: "Bordo della scacchiera".
std::string EdgeAnnouncement();

} // namespace zembro
