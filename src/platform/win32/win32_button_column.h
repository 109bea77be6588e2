// The bar's column of picture buttons on Win32: a child window of owner-drawn buttons.
#pragma once

#include "platform/framework.h"

#include "store/windows/windows_api.h"
#include <vector>

namespace zembro::platform {

class Win32ButtonColumn : public ButtonColumn {
  public:
    Win32ButtonColumn(HINSTANCE instance, HWND parent, int scale, Rect rect,
                      const std::vector<int>& ids, int buttonHeight, ButtonClickHandler& handler);
    ~Win32ButtonColumn() override;
    Win32ButtonColumn(const Win32ButtonColumn&) = delete;
    Win32ButtonColumn& operator=(const Win32ButtonColumn&) = delete;

    void SetImages(int index, int normalId, int pressedId) override;
    void SetName(int index, const std::string& name) override;
    void SetVisible(bool visible) override;
    void SetHighlighted(int index) override;

  private:
    struct Pictures {
        int normal = 0, pressed = 0;
    };
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    void Draw(const DRAWITEMSTRUCT& item) const;

    ButtonClickHandler& handler_;
    int scale_; // device pixels per scene pixel, as the game window's
    HWND column_ = nullptr;
    std::vector<HWND> buttons_;
    std::vector<Pictures> pictures_;
    int highlighted_ = -1;
};

} // namespace zembro::platform
