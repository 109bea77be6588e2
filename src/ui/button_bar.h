// The pop-up column of picture buttons that offers the game's commands.
#pragma once

#include "platform/framework.h"

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace zembro {

class ButtonBar : public platform::ButtonClickHandler {
  public:
    explicit ButtonBar(platform::Framework& framework) : framework_(framework) {}

    // The pictures every new button gets: normal, pressed, focused, disabled (0 = none).
    void SetDefaultBitmaps(int normal, int pressed, int focused, int disabled);
    // Creates the hidden bar as a child of `parent` at (x, y) with `count` buttons of
    // `width` x `height`, top to bottom, sending the given command ids (1.. when none).
    bool CreateBar(int x, int y, int width, int height, int count, platform::FrameWindow& parent,
                   const std::vector<int>& ids);
    // Gives each button `step` picture ids from the table: normal, pressed, focused, disabled.
    void SetButtonBitmaps(std::span<const int> table, int step);
    // The buttons' names, for a screen reader.
    void SetButtonNames(const std::vector<std::string>& names);
    // Shows or hides the bar; acts only when that changes anything.
    void ShowBar(bool show);

    bool HasWindow() const { return column_ != nullptr; }
    bool Visible() const { return visible_ != 0; }

    // A click hides the bar, tells the listener, repaints the parent and queues the button's
    // command for it.
    void OnButtonClicked(int id) override;
    void OnClicked(std::function<void()> listener) { clicked_ = std::move(listener); }
    // The keyboard's choice: button `index` shown pressed (-1: none), or clicked.
    void Highlight(int index);
    void Choose(int index);

  private:
    platform::Framework& framework_;
    platform::FrameWindow* parent_ = nullptr;
    std::unique_ptr<platform::ButtonColumn> column_;
    int visible_ = 0;
    std::array<int, 4> defaultBitmaps_{};
    int buttonCount_ = 0;
    std::vector<int> commands_;
    std::function<void()> clicked_;
};

} // namespace zembro
