// Owner-drawn picture buttons from the program's bitmaps; a click tells the bar.
#include "platform/win32/win32_button_column.h"
#include "store/windows/windows_api.h"

#include "platform/win32/win32_bitmaps.h"
#include "store/windows/wide_text.h"

namespace zembro::platform {
namespace {

constexpr wchar_t CLASS_NAME[] = L"ZembroButtons";

} // namespace

Win32ButtonColumn::Win32ButtonColumn(HINSTANCE instance, HWND parent, int scale, Rect rect,
                                     const std::vector<int>& ids, int buttonHeight,
                                     ButtonClickHandler& handler)
    : handler_(handler), scale_(scale), pictures_(ids.size()) {
    WNDCLASSEXW type{};
    if (!::GetClassInfoExW(instance, CLASS_NAME, &type)) {
        type.cbSize = sizeof type;
        type.lpfnWndProc = &Procedure;
        type.hInstance = instance;
        type.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        type.lpszClassName = CLASS_NAME;
        ::RegisterClassExW(&type);
    }
    // In device pixels, like everything the game window shows.
    column_ = ::CreateWindowExW(0, CLASS_NAME, L"", WS_CHILD | WS_CLIPSIBLINGS, rect.left * scale,
                                rect.top * scale, rect.Width() * scale, rect.Height() * scale,
                                parent, nullptr, instance, nullptr);
    ::SetWindowLongPtrW(column_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    for (std::size_t i = 0; i < ids.size(); ++i)
        buttons_.push_back(::CreateWindowExW(
            0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0,
            static_cast<int>(i) * buttonHeight * scale, rect.Width() * scale, buttonHeight * scale,
            column_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids[i])), instance, nullptr));
}

Win32ButtonColumn::~Win32ButtonColumn() {
    if (::IsWindow(column_))
        ::DestroyWindow(column_);
}

LRESULT CALLBACK Win32ButtonColumn::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<Win32ButtonColumn*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_DRAWITEM) {
        self->Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
        return TRUE;
    }
    if (self != nullptr && message == WM_COMMAND && HIWORD(w) == BN_CLICKED) {
        ::SetFocus(::GetParent(window)); // the keys stay with the game window
        self->handler_.OnButtonClicked(LOWORD(w));
        return 0;
    }
    return ::DefWindowProcW(window, message, w, l);
}

void Win32ButtonColumn::Draw(const DRAWITEMSTRUCT& item) const {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i] != item.hwndItem)
            continue;
        const bool down =
            (item.itemState & ODS_SELECTED) != 0 || static_cast<int>(i) == highlighted_;
        const Pictures& p = pictures_[i];
        const int id = down && p.pressed != 0 ? p.pressed : p.normal;
        if (id == 0 || !DrawProgramBitmap(item.hDC, id, 0, 0, scale_))
            ::FillRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
}

void Win32ButtonColumn::SetImages(int index, int normalId, int pressedId) {
    if (index < 0 || static_cast<std::size_t>(index) >= buttons_.size())
        return;
    pictures_[static_cast<std::size_t>(index)] = {normalId, pressedId};
    ::InvalidateRect(buttons_[static_cast<std::size_t>(index)], nullptr, FALSE);
}

// The window text is what a screen reader calls the button; owner drawing never shows it.
void Win32ButtonColumn::SetName(int index, const std::string& name) {
    if (index >= 0 && static_cast<std::size_t>(index) < buttons_.size())
        ::SetWindowTextW(buttons_[static_cast<std::size_t>(index)], Wide(name).c_str());
}

void Win32ButtonColumn::SetVisible(bool visible) {
    ::ShowWindow(column_, visible ? SW_SHOWNA : SW_HIDE);
    if (visible)
        ::SetWindowPos(column_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32ButtonColumn::SetHighlighted(int index) {
    highlighted_ = index;
    for (const HWND button : buttons_)
        ::InvalidateRect(button, nullptr, FALSE);
}

} // namespace zembro::platform
