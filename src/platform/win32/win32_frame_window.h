// The game window on Win32: a popup with a dialog frame whose window procedure forwards the
// messages to the frame's handlers, and the back buffer shown as a 16-bit DIB.
#pragma once

#include "platform/framework.h"
#include "render/screen_copy.h"

#include "store/windows/windows_api.h"

namespace zembro::platform {

class Win32FrameWindow : public FrameWindow {
  public:
    // `scale`: each scene pixel is shown as a block of that many device pixels a side.
    Win32FrameWindow(HINSTANCE instance, const std::string& title, int iconId, Rect rect,
                     bool dialogFrame, int scale, FrameHandler& handler);
    ~Win32FrameWindow() override;
    Win32FrameWindow(const Win32FrameWindow&) = delete;
    Win32FrameWindow& operator=(const Win32FrameWindow&) = delete;

    void Show() override;
    void Invalidate() override;
    void Present(const BackBuffer& buffer) override;
    void Minimize() override;
    void Destroy() override;
    bool Exists() const override;
    std::optional<Point> PointerInClient() const override;
    void PostCommand(int id) override;
    void ScreenReaderUpdate(bool announced) override;

    HWND Handle() const { return window_; }
    int Scale() const { return scale_; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);
    Point ClientPoint(LPARAM l) const;
    // A screen point of a message, as a client point in scene pixels.
    Point ClientFromScreen(LPARAM l) const;
    void TrackLeaving(bool nonClient);
    // Shows a part of the picture kept, in scene pixels, at the window's scale.
    void ShowPart(HDC dc, const zembro::Rect& part) const;
    void LeaveUnlessOver();

    FrameHandler& handler_;
    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    int scale_;
    ScreenCopy shown_; // the client area as last presented
    bool paintPending_ = false;
    bool destroying_ = false;
    bool tracking_ = false;
};

} // namespace zembro::platform
