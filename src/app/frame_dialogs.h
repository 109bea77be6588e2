// The game window's dialogs as the game runs them, over the window `owner`: Opzioni with its
// file, the ranking, the end of a game and a new record. What a file's failure is, is told.
#pragma once

#include "game/game_settings.h"
#include "game/game_state.h"
#include "platform/framework.h"

#include <string>

namespace zembro {

// Opzioni: the settings file at `path` read into the dialog (what it does not give shown as
// the game plays it, so that OK never writes values nobody chose), the dialog run, and after OK
// the file read again into `settings`, its picture folders under `runFolder`. A file that
// cannot be read is told and no dialog shows.
void RunOptions(platform::Framework& framework, const platform::FrameWindow* owner,
                GameSettings& settings, const std::string& runFolder, const std::string& path);

// The ranking of the score file at `path`, or the message that it cannot be shown.
void ShowRanking(platform::Framework& framework, const platform::FrameWindow* owner,
                 const std::string& path);

// The question at the end of a game: how many pieces were left, or the winner's seconds; true
// when the player answers OK (to leave).
bool AskAtTheEnd(platform::Framework& framework, const platform::FrameWindow* owner,
                 const GameState& game);

// After a won game: the place the result takes in the list at `path`, the name asked for, the
// record stored.
void OfferRecord(platform::Framework& framework, const platform::FrameWindow* owner,
                 const std::string& path, const GameState& game, const OptionValues& settings);

} // namespace zembro
