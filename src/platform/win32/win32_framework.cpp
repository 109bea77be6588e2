// Application-level services on Win32.
#include "platform/win32/win32_framework.h"
#include "store/windows/windows_api.h"

#include "game/screen_layout.h"
#include "platform/win32/win32_button_column.h"
#include "platform/win32/win32_dialog.h"
#include "platform/win32/win32_frame_window.h"
#include "store/windows/wide_text.h"

#include <algorithm>
#include <chrono>
#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

namespace zembro::platform {
namespace {

HWND HandleOf(const FrameWindow* owner) {
    const auto* window = dynamic_cast<const Win32FrameWindow*>(owner);
    return window != nullptr && window->Exists() ? window->Handle() : nullptr;
}

// What a box or dialog opened over the game is owned by: the game's dialog that is active, when
// it is opened from one. Closed, it gives the activation back to its owner, and a game window
// disabled under a dialog would take the keys from that dialog.
HWND OwnerFor(const FrameWindow* owner) {
    const HWND frame = HandleOf(owner);
    const HWND active = ::GetActiveWindow();
    return frame != nullptr && active != nullptr && active != frame &&
                   ::GetAncestor(active, GA_ROOTOWNER) == frame
               ? active
               : frame;
}

// The player's choices, in the application-data folder: %APPDATA%\Zembro\zembro.ini. The folder
// is made only when a choice is written there.
std::wstring ChoicesFile(bool make) {
    const std::wstring ours = PlayersFolder();
    if (ours.empty())
        return {};
    if (make)
        ::CreateDirectoryW(ours.c_str(), nullptr);
    return ours + L"\\zembro.ini";
}

// The screen's pixels per scene pixel: its scale rounded to a whole number, down below three
// quarters (as on Linux), then the largest whole scale, down to 1, at which the scene fits the
// work area: a laptop of 1920 x 1080 at 175 or 200 % shows it at 1 (1600 x 1200 would not fit).
int FittingScale() {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    RECT work{};
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        work = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    int scale = std::max(1, (dpi * 4 / 96 + 1) / 4);
    while (scale > 1 && (SCREEN_WIDTH * scale > work.right - work.left ||
                         SCREEN_HEIGHT * scale > work.bottom - work.top))
        --scale;
    return scale;
}

} // namespace

std::wstring PlayersFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
        return {};
    return std::wstring(folder) + L"\\Zembro";
}

Win32Framework::Win32Framework(HINSTANCE instance) : instance_(instance), scale_(FittingScale()) {
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&classes);
}

Win32Framework::~Win32Framework() = default;

Win32Framework::ModalScope::~ModalScope() {
    --framework_.modalDepth_;
    if (framework_.modalDepth_ == 0 && framework_.gameWindow_ != nullptr &&
        ::IsWindow(framework_.gameWindow_) && !::IsIconic(framework_.gameWindow_)) {
        ::SetForegroundWindow(framework_.gameWindow_);
        ::SetFocus(framework_.gameWindow_);
    }
}

std::optional<std::string> Win32Framework::DisplayProblem() const {
    const HDC screen = ::GetDC(nullptr);
    if (screen == nullptr)
        return "no screen to show the game on";
    ::ReleaseDC(nullptr, screen);
    return std::nullopt;
}

int Win32Framework::ScreenBitsPerPixel() const {
    // SetDIBitsToDevice converts the 16-bit scene for any screen: 65K colours or more is enough.
    const HDC screen = ::GetDC(nullptr);
    const int depth = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES);
    ::ReleaseDC(nullptr, screen);
    return depth >= 16 ? 16 : depth;
}

Size Win32Framework::ScreenSize() const {
    return {::GetSystemMetrics(SM_CXSCREEN) / scale_, ::GetSystemMetrics(SM_CYSCREEN) / scale_};
}

RowOrder Win32Framework::RecommendedRowOrder() const {
    return RowOrder::BottomUp; // a DIB's own order: one block copy from the background
}

std::uint32_t Win32Framework::TimeMs() const {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

std::tm Win32Framework::LocalTime() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_s(&local, &now);
    return local;
}

std::string Win32Framework::CurrentDirectory() const {
    return "."; // the game's files are opened relative to it
}

bool Win32Framework::Preference(const std::string& name) const {
    const std::wstring file = ChoicesFile(false);
    return !file.empty() &&
           ::GetPrivateProfileIntW(L"choices", Wide(name).c_str(), 0, file.c_str()) != 0;
}

void Win32Framework::SetPreference(const std::string& name, bool value) {
    const std::wstring file = ChoicesFile(true);
    if (file.empty() || !::WritePrivateProfileStringW(L"choices", Wide(name).c_str(),
                                                      value ? L"1" : L"0", file.c_str()))
        std::fprintf(stderr, "zembro: the choice could not be kept in %s\n", Narrow(file).c_str());
}

int Win32Framework::ShowCursor(bool show) {
    return ::ShowCursor(show ? TRUE : FALSE);
}

Answer Win32Framework::MessageBox(const FrameWindow* owner, const std::string& text,
                                  const std::string& caption, MessageIcon icon,
                                  MessageButtons buttons) {
    const UINT style = (icon == MessageIcon::Error         ? MB_ICONERROR
                        : icon == MessageIcon::Exclamation ? MB_ICONEXCLAMATION
                                                           : MB_ICONINFORMATION) |
                       (buttons == MessageButtons::Ok ? MB_OK : MB_OKCANCEL);
    const ModalScope modal(*this);
    const int answer = ::MessageBoxW(OwnerFor(owner), Wide(text).c_str(), Wide(caption).c_str(),
                                     style | (owner == nullptr ? MB_TASKMODAL : 0u));
    return answer == IDOK ? Answer::Ok : Answer::Cancel;
}

Answer Win32Framework::RunDialog(const FrameWindow* owner, const DialogTemplate& dialog,
                                 DialogHandler& handler) {
    const ModalScope modal(*this);
    return RunWin32Dialog(instance_, OwnerFor(owner), dialog, handler, scale_);
}

std::string Win32Framework::FileDialog(const FrameWindow* owner, const FileDialogRequest& request) {
    std::wstring filter = Wide(request.filterName) + L'\0' + Wide(request.filterPattern) + L'\0';
    filter.push_back(L'\0');
    const std::wstring extension = Wide(request.defaultExtension);
    std::wstring chosen(MAX_PATH * 4, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = OwnerFor(owner);
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = chosen.data();
    dialog.nMaxFile = static_cast<DWORD>(chosen.size());
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    // The game's files live in the current folder: the dialog must not move it.
    dialog.Flags = OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   (request.kind == FileDialogKind::Open ? OFN_FILEMUSTEXIST : 0u) |
                   (request.askBeforeReplacing ? OFN_OVERWRITEPROMPT : 0u);
    const ModalScope modal(*this);
    const BOOL picked = request.kind == FileDialogKind::Open ? ::GetOpenFileNameW(&dialog)
                                                             : ::GetSaveFileNameW(&dialog);
    if (!picked)
        return {};
    chosen.resize(chosen.find(L'\0'));
    return Narrow(chosen);
}

std::unique_ptr<FrameWindow> Win32Framework::CreateFrame(const std::string& title, int iconId,
                                                         Rect rect, bool dialogFrame,
                                                         FrameHandler& handler) {
    auto window = std::make_unique<Win32FrameWindow>(instance_, title, iconId, rect, dialogFrame,
                                                     scale_, handler);
    gameWindow_ = window->Handle();
    return window;
}

std::unique_ptr<ButtonColumn> Win32Framework::CreateButtonColumn(FrameWindow& parent, Rect rect,
                                                                 const std::vector<int>& ids,
                                                                 int buttonHeight,
                                                                 ButtonClickHandler& handler) {
    auto* frame = dynamic_cast<Win32FrameWindow*>(&parent);
    if (frame == nullptr)
        return nullptr;
    return std::make_unique<Win32ButtonColumn>(instance_, frame->Handle(), frame->Scale(), rect,
                                               ids, buttonHeight, handler);
}

int Win32Framework::Run(IdleHandler& idle) {
    if (quitCode_)
        return *quitCode_;
    // The idle processing runs once per display refresh and never inside a modal loop; in
    // between the thread sleeps until a message or the next refresh, whichever comes first.
    const HDC screen = ::GetDC(nullptr);
    const int refresh = ::GetDeviceCaps(screen, VREFRESH);
    ::ReleaseDC(nullptr, screen);
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::microseconds(1000000 / (refresh >= 20 ? refresh : 60));
    auto next = Clock::now() + period;
    for (;;) {
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return quitCode_.value_or(static_cast<int>(message.wParam));
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        const auto now = Clock::now();
        if (now >= next) {
            if (modalDepth_ == 0)
                idle.OnIdle();
            next = std::max(next + period, now);
            continue;
        }
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(next - now);
        ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(wait.count()), QS_ALLINPUT,
                                      MWMO_INPUTAVAILABLE);
    }
}

void Win32Framework::Quit(int exitCode) {
    // Asked for before the loop runs (the window closed under the about box at start-up), the
    // loop is never entered.
    quitCode_ = exitCode;
    ::PostQuitMessage(exitCode);
}

} // namespace zembro::platform
