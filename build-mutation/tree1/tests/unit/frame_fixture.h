// A GameApp on the in-memory framework, started in a copy of the default run folder.
#pragma once

#include "app/game_app.h"
#include "platform/headless/headless_framework.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zembro::test {

class FrameTest : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("zembro-frame-" + std::to_string(::getpid()) + "-" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::copy(ZEMBRO_RUN_DIR, folder_, std::filesystem::copy_options::recursive);
        framework_.currentDirectory = folder_.string();
        framework_.now = 100000;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // Starts the program; the about dialog closes with OK.
    bool Start() {
        app_ = std::make_unique<GameApp>(framework_);
        return app_->InitInstance();
    }
    void WriteOptions(const std::string& text) { std::ofstream(folder_ / "Option.opt") << text; }

    GameFrame& Frame() { return *app_->Frame(); }
    platform::HeadlessFrame& Window() { return *framework_.frame; }
    // Events at game-screen points (the window reports client points, 5 pixels to the left).
    void Press(int x, int y) { Frame().OnLButtonDown({x - 5, y}); }
    void Release(int x, int y) { Frame().OnLButtonUp({x - 5, y}); }
    void Move(int x, int y) { Frame().OnMouseMove({x - 5, y}); }
    void Paint() { Window().Paint(); }

    std::filesystem::path folder_;
    platform::HeadlessFramework framework_;
    std::unique_ptr<GameApp> app_;
};

} // namespace zembro::test
