// The game window without a window, driven by a script in the one event language that the tool,
// the tests and the desktop runs share: items such as "click cell 2 1", "press menu",
// "key down", and what a player then sees, as words.
#pragma once

#include "app/window_step.h"
#include "base/result.h"

#include <string>
#include <string_view>
#include <vector>

namespace zembro {

// One item of a script as the window events it stands for, in game-screen pixels:
//   move|press|release|right|click|frame|hit TARGET   (press, release and right alone: where the
//                                                      pointer stands; click: move, press, release)
//   grip, grip-up, leave, active 0|1, key NAME, dialog (one opens and closes), new (a new deal)
// TARGET: "X Y", "cell C R", or a zone: menu, minimise, pause, strip (a point of the strip's
// band that is no zone), grip. NAME: up, down, left, right, space, return, escape, p, m, c, i.
Result<std::vector<WindowEvent>> ParseScriptItem(std::string_view item);

// A game dealt from `seed` and the window around it, as the frame keeps them.
class ScriptedWindow {
  public:
    ScriptedWindow(const OptionValues& settings, const Sprite& cellShape, std::uint32_t seed);

    // Runs one event through the window step and does what the outcome asks of the window,
    // but for a chosen bar button's command, which is only noted.
    void Run(WindowEvent event);
    // Every item of a comma-separated script; stops at the first item that is not one.
    IoResult RunScript(std::string_view script);

    // What a player sees, in this order: paused, bar, pointer (the system's), minimised,
    // dragging, inactive, pressed, selected C,R, hover C,R, cursor C,R, shapes, moves N,
    // pieces N (once changed), seconds N, choosing N (the bar button the keys stand on),
    // buttonN (the last the keys chose), won, caption (the last hit test answered the window's
    // caption), edge (the last event was an arrow against the board's edge).
    std::string Seen() const;

    const GameState& Game() const { return game_; }
    const FrameState& Frame() const { return frame_; }
    bool Won() const { return won_; }
    bool Bar() const { return bar_; }
    bool SystemPointer() const { return systemPointer_; }
    bool Minimised() const { return minimised_; }

  private:
    void Deal();

    const OptionValues& settings_;
    const Sprite& cellShape_;
    std::uint32_t seed_;
    FrameState frame_;
    InputState input_;
    GameState game_;
    int dealtPieces_ = 0;
    bool bar_ = false, systemPointer_ = true, minimised_ = false, won_ = false, caption_ = false;
    bool edge_ = false;
    bool pointerInside_ = false; // the system pointer, for the dialogs
    int chosen_ = 0;             // the bar button the keys clicked, from 1
    int choosing_ = 0;           // the bar button shown pressed for the keys, from 1
};

} // namespace zembro
