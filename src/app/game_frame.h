// The game window: the window, the button bar, the pictures, the back buffer and the dialogs
// around one game session, whose outcomes it turns into window calls.
#pragma once

#include "app/commands.h"
#include "app/game_session.h"
#include "base/result.h"
#include "game/game_settings.h"
#include "platform/framework.h"
#include "render/back_buffer.h"
#include "render/game_sprites.h"
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
    // A fresh board dealt from the clock.
    void ResetAndDeal();
    void Show();
    void ShowSystemCursor(bool show);
    // The idle processing's step: the clock, the blink and the next repaint.
    void Tick();

    // What happens to the window.
    void OnLButtonDown(platform::Point client) override;
    void OnLButtonUp(platform::Point client) override;
    void OnRButtonDown(platform::Point client) override;
    void OnMouseMove(platform::Point client) override;
    void OnMouseLeave() override;
    void OnKeyDown(platform::Key key) override;
    bool IsDragZone(platform::Point client) override;
    void OnDragStart() override;
    void OnDragEnd() override;
    void OnFrameMove(platform::Point client, bool onDragZone) override;
    void OnActivate(bool active) override;
    void OnPaint() override;
    void OnCommand(int id) override;
    void OnDestroy() override;
    platform::ScreenReaderView Describe() const override { return session_.Describe(); }

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

    // What tests look at.
    const GameSession& Session() const { return session_; }
    GameSession& Session() { return session_; }
    const ButtonBar& Bar() const { return bar_; }
    const BackBuffer& Buffer() const { return buffer_; }

  private:
    std::string RunFile(const char* name) const { return dataFolder_ + "/" + name; }
    // Before a dialog or message box, and after it: the session's, with the redraw handed to the
    // window at once.
    void PrepareForDialog();
    void ReturnFromDialog();
    // One event through the session, told to a screen reader, its outcome made window calls.
    void Run(const WindowEvent& event);

    platform::Framework& framework_;
    GameSettings& settings_;
    std::unique_ptr<platform::FrameWindow> window_;
    ButtonBar bar_;
    GameSprites sprites_;
    BackBuffer buffer_;
    GameSession session_;
    bool systemCursorShown_ = true; // what the system was last asked
    std::string runFolder_ = ".", dataFolder_ = ".";
};

} // namespace zembro
