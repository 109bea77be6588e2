// The game window: it owns the game, the pictures, the back buffer and the button bar, and
// handles the window's messages and commands.
#pragma once

#include "app/commands.h"
#include "app/tick_clock.h"
#include "app/window_step.h"
#include "base/result.h"
#include "game/board_input.h"
#include "game/game_settings.h"
#include "game/game_state.h"
#include "platform/framework.h"
#include "render/back_buffer.h"
#include "render/game_sprites.h"
#include "render/scene.h"
#include "ui/button_bar.h"

#include <memory>
#include <string>

namespace zembro {

class GameFrame : public platform::FrameHandler {
  public:
    GameFrame(platform::Framework& framework, GameSettings& settings);

    // Checks the display, creates the window in its geometry, the back buffer and the hidden
    // button bar, and hides the system pointer. False after the display checks' messages.
    bool CreateGameWindow(const std::string& title, int iconId);
    IoResult LoadAssets();
    // A fresh board: counters, selection and hover cleared, then dealt from the clock.
    void ResetAndDeal();
    void Show();
    void ShowSystemCursor(bool show);
    // The idle processing's step: the clock, the blink and the next repaint.
    void Tick();

    // Window messages.
    void OnLButtonDown(platform::Point client) override;
    void OnLButtonUp(platform::Point client) override;
    void OnRButtonDown(platform::Point client) override;
    void OnMouseMove(platform::Point client) override;
    void OnMouseLeave() override;
    void OnKeyDown(platform::Key key) override;
    platform::ScreenReaderView Describe() const override;
    platform::HitCode OnNcHitTest(platform::Point screen, platform::HitCode standard) override;
    void OnNcLButtonDown(platform::HitCode code, platform::Point screen) override;
    void OnNcLButtonUp(platform::HitCode code, platform::Point screen) override;
    void OnNcMouseMove(platform::HitCode code, platform::Point screen) override;
    void OnActivate(platform::ActivateState state, bool minimized) override;
    void OnPaint() override;
    void OnCommand(int id) override;
    void OnDestroy() override;

    // Commands.
    void OnNewGame();
    void OnAbout();
    void OnMinimize();
    void OnEndGame();
    void OnOptions();
    void OnRanking();
    // A word to the player over the game, in a message box.
    void Tell(const std::string& text);

    // Where the game finds its pictures (the folder it started in) and keeps the player's files.
    void SetRunFolder(std::string folder, std::string dataFolder) {
        runFolder_ = std::move(folder);
        dataFolder_ = std::move(dataFolder);
    }

    // What tests and the tool look at.
    const GameState& Game() const { return game_; }
    GameState& Game() { return game_; }
    const SceneState& Scene() const { return scene_; }
    std::uint32_t StateBits() const { return frame_.stateBits; }
    bool SystemCursorShown() const { return systemCursorShown_; }
    const ButtonBar& Bar() const { return bar_; }
    const BackBuffer& Buffer() const { return buffer_; }
    platform::Point Mouse() const { return {frame_.mouseX, frame_.mouseY}; }

  private:
    std::string RunFile(const char* name) const { return dataFolder_ + "/" + name; }
    // Before a dialog or message box, and after it: the window step's, with the redraw handed
    // to the window at once.
    void PrepareForDialog();
    void ReturnFromDialog();
    // After a won game: the place the result takes, the name, the stored record.
    void OfferRecord();
    // What a window step reads and changes, and its outcome turned into window calls.
    StepContext Context();
    void Apply(const StepOutcome& outcome);
    // One step: the event through the window step, what it changed told to a screen reader,
    // then the outcome applied.
    void Run(const WindowEvent& event);

    platform::Framework& framework_;
    GameSettings& settings_;
    std::unique_ptr<platform::FrameWindow> window_;
    ButtonBar bar_;
    std::string spoken_; // what a screen reader last heard happen

    GameState game_;
    InputState input_;
    SceneState scene_;
    TickClock clock_;
    BackBuffer buffer_;
    GameSprites sprites_;

    FrameState frame_;
    bool systemCursorShown_ = true;
    std::string runFolder_ = ".", dataFolder_ = ".";
};

} // namespace zembro
