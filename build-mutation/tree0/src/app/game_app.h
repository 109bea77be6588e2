// The application: the start-up sequence and the idle processing.
#pragma once

#include "app/game_frame.h"
#include "game/game_settings.h"
#include "platform/framework.h"

#include <memory>
#include <string>

namespace zembro {

class GameApp : public platform::IdleHandler {
  public:
    explicit GameApp(platform::Framework& framework) : framework_(framework) {}

    // Window, settings, picture folders, pictures, the first deal, the window shown, the about
    // dialog once. False after the message that says what failed.
    bool InitInstance();
    // Runs the frame's tick whenever no message waits; always asks for more idle time.
    void OnIdle() override;

    GameFrame* Frame() { return frame_.get(); }
    const GameSettings& Settings() const { return settings_; }
    const std::string& CurrentDirectory() const { return currentDirectory_; }

  private:
    platform::Framework& framework_;
    GameSettings settings_;
    std::string currentDirectory_;
    std::unique_ptr<GameFrame> frame_;
};

} // namespace zembro
