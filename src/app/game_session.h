// One game and all that follows it between the window's events: the board and its counters, the
// pointer, the window's own state (pause, activation, the keyboard's frame, the bar), the
// composer's state, the clock, and what a screen reader was last told. Every front end holds one
// and only turns its outcomes into window calls: the game window on each system, the scripted
// window of the tests and the tool.
#pragma once

#include "app/tick_clock.h"
#include "app/win_watch.h"
#include "app/window_step.h"
#include "game/game_settings.h"
#include "game/game_state.h"
#include "game/move_history.h"
#include "platform/framework.h"
#include "render/scene.h"
#include "render/sprite.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zembro {

class GameSession {
  public:
    // `settings` are the ones in force, read at every step and deal; `cellShape` is the empty
    // cell's picture, whose shape the pointer is tested against (none: only hovers reach cells).
    GameSession(const OptionValues& settings, const Sprite& cellShape);

    // The piece pictures loaded, the fixed cell's included: a deal keeps to them (0: no limit),
    // however many the settings read again during the run name.
    void KeepToPictures(int pictures) { pictures_ = pictures; }
    // A fresh board dealt from `seed`: counters, selection and hover cleared, the frame rate's
    // figure measured anew. With winnable deals asked for, from the first start value from
    // `seed` on whose deal the solver wins (within a few tries).
    void Deal(std::uint32_t seed);
    // One window event through the window step; the outcome says what the window must do and,
    // in `said`, what a screen reader is told.
    StepOutcome Handle(const WindowEvent& event);
    // The idle processing's step at `now`: the clock and the blink; true when the next repaint
    // is to be asked for.
    bool Tick(std::uint32_t now);
    // The board was set from outside the game (a test, a script): no move to take back, and
    // the watch asks about it anew.
    void BoardChanged();
    // Idle time for the watch over the board as it stands: a slice, and whether it would take
    // more; or enough for it to answer.
    bool Think() {
        watch_.Work(WATCH_SLICE);
        return watch_.Busy();
    }
    void ThinkToTheEnd() { watch_.Work(WATCH_BUDGET); }
    // True once when the game has been proven lost and the player can be told now (no piece
    // held, no bar shown); what a screen reader last heard is then that.
    bool TakeLoss();
    // A hint was shown in this game: it is not to be ranked.
    bool Hinted() const { return hinted_; }

    // What the next paint draws, and the composer's own state.
    FrameView View() const;
    SceneState& Scene() { return scene_; }
    const SceneState& Scene() const { return scene_; }
    // What a screen reader reads: the cells, the counters, the focus, the last thing said.
    platform::ScreenReaderView Describe() const;

    const GameState& Game() const { return game_; }
    GameState& Game() { return game_; }
    const PointerState& Pointer() const { return pointer_; }
    PointerState& Pointer() { return pointer_; }
    const FrameState& Frame() const { return frame_; }
    FrameState& Frame() { return frame_; }
    const OptionValues& Settings() const { return settings_; }
    std::int32_t Fps() const { return clock_.fps; }
    void SetFps(std::int32_t fps) { clock_.fps = fps; }

  private:
    void TakeBack(StepOutcome& out);
    void ShowHint(StepOutcome& out);
    void SameDeal(StepOutcome& out);

    const OptionValues& settings_;
    const Sprite& cellShape_;
    int pictures_ = 0;
    GameState game_;
    PointerState pointer_;
    FrameState frame_;
    SceneState scene_;
    TickClock clock_;
    std::string spoken_;          // what a screen reader last heard happen
    GameState dealt_;             // the game as it was dealt, for the same deal again
    bool noWinnableDeal_ = false; // winnable deals asked for, none found
    MoveHistory history_;
    WinWatch watch_;
    std::optional<PointerState> hintShown_; // drawn instead of the pointer until the next event
    bool hinted_ = false;
};

} // namespace zembro
