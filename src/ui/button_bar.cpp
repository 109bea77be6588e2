// The button bar: creation, pictures, showing and click forwarding.
#include "ui/button_bar.h"

namespace zembro {

void ButtonBar::SetDefaultBitmaps(int normal, int pressed, int focused, int disabled) {
    defaultBitmaps_ = {normal, pressed, focused, disabled};
}

bool ButtonBar::CreateBar(int x, int y, int width, int height, int count,
                          platform::FrameWindow& parent, const std::vector<int>& ids) {
    if (count < 1)
        return false;
    std::vector<int> commands;
    for (int i = 0; i < count; ++i)
        commands.push_back(
            static_cast<std::size_t>(i) < ids.size() ? ids[static_cast<std::size_t>(i)] : i + 1);
    column_ = framework_.CreateButtonColumn(parent, {x, y, x + width, y + height * count}, commands,
                                            height, *this);
    if (!column_)
        return false;
    parent_ = &parent;
    commands_ = commands;
    for (int i = 0; i < count; ++i)
        column_->SetImages(i, defaultBitmaps_[0], defaultBitmaps_[1]);
    buttonCount_ = count;
    return true;
}

void ButtonBar::SetButtonBitmaps(std::span<const int> table, int step) {
    if (buttonCount_ == 0 || !column_)
        return;
    std::size_t next = 0;
    for (int i = 0; i < buttonCount_; ++i) {
        std::array<int, 4> images{};
        for (int k = 0; k < step && k < 4; ++k, ++next)
            images[static_cast<std::size_t>(k)] = next < table.size() ? table[next] & 0xFFFF : 0;
        // Only the normal and pressed pictures are ever drawn.
        column_->SetImages(i, images[0], images[1]);
    }
}

void ButtonBar::SetButtonNames(const std::vector<std::string>& names) {
    for (std::size_t i = 0; column_ && i < names.size() && i < std::size_t(buttonCount_); ++i)
        column_->SetName(static_cast<int>(i), names[i]);
}

void ButtonBar::ShowBar(bool show) {
    if (!column_)
        return;
    if (show != (visible_ != 0))
        column_->SetVisible(show);
    if (!show)
        column_->SetHighlighted(-1);
    visible_ = show ? 1 : 0;
}

void ButtonBar::Highlight(int index) {
    if (column_)
        column_->SetHighlighted(index);
}

void ButtonBar::Choose(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < commands_.size())
        OnButtonClicked(commands_[static_cast<std::size_t>(index)]);
}

void ButtonBar::OnButtonClicked(int id) {
    if (id < 1 || id > 255 || parent_ == nullptr)
        return;
    ShowBar(false);
    if (clicked_)
        clicked_();
    parent_->Invalidate();
    parent_->PostCommand(id);
}

} // namespace zembro
