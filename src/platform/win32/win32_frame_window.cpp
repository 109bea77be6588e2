// The game window's procedure: messages to the frame's handlers, the paint cycle, the presenter.
#include "platform/win32/win32_frame_window.h"
#include "store/windows/windows_api.h"

#include "game/screen_layout.h"
#include "platform/key_names.h"
#include "platform/resources.h"
#include "store/windows/wide_text.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <windowsx.h>

namespace zembro::platform {
namespace {

constexpr wchar_t CLASS_NAME[] = L"ZembroGame";
constexpr UINT POSTED_COMMAND = WM_APP + 1;
constexpr UINT PAINT_REQUEST = WM_APP + 2;

// The largest of the program's icon pictures Windows takes, as an icon.
HICON MakeIcon(int iconId) {
    HICON icon = nullptr;
    int best = 0;
    for (const ProgramIconImage& image : ProgramIcon(iconId)) {
        if (image.size <= best || image.size > 256)
            continue;
        HICON made = ::CreateIconFromResourceEx(const_cast<PBYTE>(image.png.data()),
                                                static_cast<DWORD>(image.png.size()), TRUE,
                                                0x00030000, image.size, image.size, 0);
        if (made != nullptr) {
            if (icon != nullptr)
                ::DestroyIcon(icon);
            icon = made;
            best = image.size;
        }
    }
    return icon;
}

// A key as the key table names it, with the modifiers held. (Alt sends system keys, which never
// reach the game.)
KeyStroke StrokeOf(WPARAM virtualKey) {
    static constexpr std::string_view LETTERS = "abcdefghijklmnopqrstuvwxyz";
    static constexpr std::string_view FUNCTION_KEYS[] = {"f1", "f2", "f3", "f4",  "f5",  "f6",
                                                         "f7", "f8", "f9", "f10", "f11", "f12"};
    static constexpr std::pair<WPARAM, std::string_view> NAMED[] = {
        {VK_UP, "up"},       {VK_DOWN, "down"},     {VK_LEFT, "left"},     {VK_RIGHT, "right"},
        {VK_SPACE, "space"}, {VK_RETURN, "return"}, {VK_ESCAPE, "escape"}, {VK_BACK, "backspace"},
    };
    const auto held = [](int key) { return ::GetKeyState(key) < 0; };
    KeyStroke stroke{.name = {},
                     .shift = held(VK_SHIFT),
                     .control = held(VK_CONTROL),
                     .alt = held(VK_MENU) || held(VK_LWIN) || held(VK_RWIN)};
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        stroke.name = LETTERS.substr(virtualKey - 'A', 1);
    else if (virtualKey >= VK_F1 && virtualKey <= VK_F12)
        stroke.name = FUNCTION_KEYS[virtualKey - VK_F1];
    for (const auto& [key, name] : NAMED)
        if (virtualKey == key)
            stroke.name = name;
    return stroke;
}

void RegisterClassOnce(HINSTANCE instance) {
    WNDCLASSEXW type{};
    if (::GetClassInfoExW(instance, CLASS_NAME, &type))
        return;
    type.cbSize = sizeof type;
    type.lpfnWndProc = DefWindowProcW; // replaced by the window's own at creation
    type.hInstance = instance;
    type.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // the arrow
    type.lpszClassName = CLASS_NAME;
    type.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
    ::RegisterClassExW(&type);
}

} // namespace

Win32FrameWindow::Win32FrameWindow(HINSTANCE instance, const std::string& title, int iconId,
                                   Rect rect, bool dialogFrame, int scale, FrameHandler& handler)
    : handler_(handler), scale_(scale) {
    RegisterClassOnce(instance);
    const DWORD style =
        WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU | (dialogFrame ? WS_DLGFRAME : 0);
    // The frame is the system's: the client area is the scene, whatever the frame's width. The
    // place, like the size, is in scene pixels.
    const int left = rect.left * scale_, top = rect.top * scale_;
    RECT outer{left, top, left + SCREEN_WIDTH * scale_, top + SCREEN_HEIGHT * scale_};
    ::AdjustWindowRectEx(&outer, style, FALSE, 0);
    const int shiftX = left - outer.left, shiftY = top - outer.top;
    window_ = ::CreateWindowExW(0, CLASS_NAME, Wide(title).c_str(), style, outer.left + shiftX,
                                outer.top + shiftY, outer.right - outer.left,
                                outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    if (window_ == nullptr)
        return;
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
    icon_ = MakeIcon(iconId);
    if (icon_ != nullptr) {
        ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
        ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    }
}

Win32FrameWindow::~Win32FrameWindow() {
    if (window_ != nullptr && ::IsWindow(window_)) {
        destroying_ = true;
        ::DestroyWindow(window_);
    }
    if (icon_ != nullptr)
        ::DestroyIcon(icon_);
}

LRESULT CALLBACK Win32FrameWindow::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<Win32FrameWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return ::DefWindowProcW(window, message, w, l);
    return self->Handle(message, w, l);
}

Point Win32FrameWindow::ClientPoint(LPARAM l) const {
    return {GET_X_LPARAM(l) / scale_, GET_Y_LPARAM(l) / scale_};
}

// Leaving the client area for the drag zone (non-client to Windows) is not leaving the window.
void Win32FrameWindow::TrackLeaving(bool nonClient) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | (nonClient ? TME_NONCLIENT : 0u), window_, 0};
    ::TrackMouseEvent(&track);
}

void Win32FrameWindow::LeaveUnlessOver() {
    POINT at{};
    ::GetCursorPos(&at);
    RECT outer{};
    ::GetWindowRect(window_, &outer);
    const HWND under = ::WindowFromPoint(at);
    if (::PtInRect(&outer, at) && (under == window_ || ::IsChild(window_, under))) {
        RECT client{};
        ::GetClientRect(window_, &client);
        POINT local = at;
        ::ScreenToClient(window_, &local);
        TrackLeaving(!::PtInRect(&client, local) ||
                     ::SendMessageW(window_, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)) != HTCLIENT);
        return;
    }
    handler_.OnMouseLeave();
}

Point Win32FrameWindow::ClientFromScreen(LPARAM l) const {
    POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
    ::ScreenToClient(window_, &at);
    // Divided with the floor, so that the frame left of and above the client area stays there.
    const auto scene = [this](LONG v) { return v >= 0 ? v / scale_ : (v - scale_ + 1) / scale_; };
    return {static_cast<int>(scene(at.x)), static_cast<int>(scene(at.y))};
}

LRESULT Win32FrameWindow::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_PAINT: {
        // The system's own paint (the window shown again, uncovered): the picture as last
        // presented, where it asks.
        PAINTSTRUCT paint{};
        const HDC dc = ::BeginPaint(window_, &paint);
        const RECT& r = paint.rcPaint;
        ShowPart(dc, {std::max(0, static_cast<int>(r.left) / scale_),
                      std::max(0, static_cast<int>(r.top) / scale_),
                      std::min(SCREEN_WIDTH, (static_cast<int>(r.right) + scale_ - 1) / scale_),
                      std::min(SCREEN_HEIGHT, (static_cast<int>(r.bottom) + scale_ - 1) / scale_)});
        ::EndPaint(window_, &paint);
        return 0;
    }
    case PAINT_REQUEST:
        paintPending_ = false;
        handler_.OnPaint(); // composes and presents what changed
        return 0;
    case WM_ERASEBKGND:
        return 1; // the scene covers it all
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: // the class asks for no double clicks: a quick second press
        handler_.OnLButtonDown(ClientPoint(l));
        return 0;
    case WM_LBUTTONUP:
        handler_.OnLButtonUp(ClientPoint(l));
        return 0;
    case WM_RBUTTONDOWN:
        handler_.OnRButtonDown(ClientPoint(l));
        return 0;
    case WM_MOUSEMOVE:
        TrackLeaving(false);
        handler_.OnMouseMove(ClientPoint(l));
        return 0;
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE:
        LeaveUnlessOver();
        return 0;
    case WM_NCHITTEST: {
        // The game's drag zone answers as a title bar, so that Windows moves the window.
        const LRESULT standard = ::DefWindowProcW(window_, message, w, l);
        if (standard == HTCLIENT && handler_.IsDragZone(ClientFromScreen(l)))
            return HTCAPTION;
        return standard;
    }
    case WM_NCLBUTTONDOWN:
        if (w == HTCAPTION) {
            // The system's own move runs until the button is released.
            handler_.OnDragStart();
            ::DefWindowProcW(window_, message, w, l);
            handler_.OnDragEnd();
            return 0;
        }
        break;
    case WM_NCLBUTTONUP:
        if (w == HTCAPTION)
            handler_.OnDragEnd();
        break;
    case WM_NCMOUSEMOVE:
        TrackLeaving(true);
        handler_.OnFrameMove(ClientFromScreen(l), w == HTCAPTION);
        break;
    case WM_ACTIVATE: {
        const WORD state = LOWORD(w);
        handler_.OnActivate(state != WA_INACTIVE && HIWORD(w) == 0);
        // The keys to the window itself, never to a button of the bar (Space would click it);
        // not while a dialog over it has them.
        if (state != WA_INACTIVE && HIWORD(w) == 0 && ::IsWindowEnabled(window_))
            ::SetFocus(window_);
        return 0;
    }
    case WM_KEYDOWN:
        if (const std::optional<Key> key = GameKey(StrokeOf(w))) {
            handler_.OnKeyDown(*key);
            return 0;
        }
        break;
    case WM_SETCURSOR:
        if (LOWORD(l) == HTCLIENT) {
            ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
            return TRUE;
        }
        break;
    case POSTED_COMMAND:
        handler_.OnCommand(static_cast<int>(w));
        return 0;
    case WM_COMMAND:
        handler_.OnCommand(LOWORD(w));
        return 0;
    case WM_CLOSE:
        ::DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        if (!destroying_) {
            destroying_ = true;
            handler_.OnDestroy();
        }
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window_, message, w, l);
}

void Win32FrameWindow::Show() {
    ::ShowWindow(window_, SW_SHOWNORMAL);
    ::SetForegroundWindow(window_);
    handler_.OnPaint(); // the first frame is painted at once
    ::UpdateWindow(window_);
}

void Win32FrameWindow::Invalidate() {
    // A paint of the game's own comes as a message, in turn, and shows only what changed; the
    // system's paints show the picture kept.
    if (paintPending_)
        return;
    paintPending_ = ::PostMessageW(window_, PAINT_REQUEST, 0, 0) != 0;
}

void Win32FrameWindow::ShowPart(HDC dc, const zembro::Rect& part) const {
    if (part.Empty())
        return;
    // The part's rows alone, as a picture of their own: no question of where a source
    // rectangle's rows are counted from.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = SCREEN_WIDTH;
    info.bmiHeader.biHeight = -(part.bottom - part.top); // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 16; // 5-5-5
    info.bmiHeader.biCompression = BI_RGB;
    const int width = part.right - part.left, height = part.bottom - part.top;
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchDIBits(dc, part.left * scale_, part.top * scale_, width * scale_, height * scale_,
                    part.left, 0, width, height, shown_.Row(part.top), &info, DIB_RGB_COLORS,
                    SRCCOPY);
}

void Win32FrameWindow::Present(const BackBuffer& buffer) {
    if (window_ == nullptr)
        return;
    const std::vector<zembro::Rect> changed = shown_.Take(buffer);
    if (changed.empty())
        return;
    const HDC dc = ::GetDC(window_);
    for (const zembro::Rect& part : changed)
        ShowPart(dc, part);
    ::ReleaseDC(window_, dc);
}

void Win32FrameWindow::Minimize() {
    ::ShowWindow(window_, SW_MINIMIZE);
}

void Win32FrameWindow::Destroy() {
    destroying_ = true;
    if (window_ != nullptr && ::IsWindow(window_))
        ::DestroyWindow(window_);
    window_ = nullptr;
}

bool Win32FrameWindow::Exists() const {
    return window_ != nullptr && ::IsWindow(window_) && !destroying_;
}

std::optional<Point> Win32FrameWindow::PointerInClient() const {
    POINT at{};
    if (window_ == nullptr || !::GetCursorPos(&at))
        return std::nullopt;
    const Point local = ClientFromScreen(MAKELPARAM(at.x, at.y));
    if (local.x < 0 || local.y < 0 || local.x >= SCREEN_WIDTH || local.y >= SCREEN_HEIGHT)
        return std::nullopt;
    return local;
}

void Win32FrameWindow::PostCommand(int id) {
    ::PostMessageW(window_, POSTED_COMMAND, static_cast<WPARAM>(id), 0);
}

void Win32FrameWindow::ScreenReaderUpdate(bool) {
    // Windows' screen readers follow the dialogs' standard controls; the board itself is not
    // described to them.
}

} // namespace zembro::platform
