// The game window without a window: a game session driven by the event language as the game
// window drives it, with the window system's part kept in memory (where the system's pointer
// is, a minimised window, the bar's button the keys clicked). The tool's window, play and
// render commands and the scenario file's rows run on it.
#pragma once

#include "app/event_language.h"
#include "app/game_session.h"
#include "base/result.h"

#include <string>
#include <string_view>

namespace zembro {

class ScriptedWindow {
  public:
    // A game dealt from `seed`; `cellShape` as the session takes it.
    ScriptedWindow(const OptionValues& settings, const Sprite& cellShape, std::uint32_t seed);

    // One event through the session, with what the window system adds to it (a press alone is
    // where the pointer stands; a dialog closes over where the system's pointer is); the
    // outcome's requests of the window kept, but for a chosen bar button's command, only noted.
    StepOutcome Run(WindowEvent event);
    // An item: its events run, or its state set. A selected cell must hold a piece.
    IoResult Apply(const ScriptItem& item);
    // Every item of a script, in order; stops at the first that is none or cannot be set.
    IoResult RunScript(std::string_view script);

    // What a player sees, in this order: paused, bar, pointer (the system's), minimised,
    // dragging, inactive, pressed, selected C,R, hover C,R, cursor C,R, shapes, winnable, moves N,
    // pieces N (once changed), seconds N, choosing N (the bar button the keys stand on),
    // buttonN (the last the keys chose), won, caption (the last hit test answered the window's
    // caption), edge (the last event was an arrow against the board's edge), hint C,R>C,R
    // (a hint drawn), hinted (one was shown this game), lost (the player was told the game
    // cannot be won), keys (the keys' list was asked for).
    std::string Seen() const;

    GameSession& Session() { return session_; }
    const GameSession& Session() const { return session_; }
    bool Won() const { return won_; }
    bool Minimised() const { return minimised_; }

  private:
    GameSession session_;
    std::uint32_t seed_; // every new deal's
    int dealtPieces_ = 0;
    bool minimised_ = false, won_ = false, caption_ = false, edge_ = false;
    bool lost_ = false, keys_ = false; // the player was told the game is lost; the keys
    bool pointerInside_ = false;       // the system pointer, for the dialogs
    int chosen_ = 0;                   // the bar button the keys clicked, from 1
    int choosing_ = 0;                 // the bar button shown pressed for the keys, from 1
};

} // namespace zembro
