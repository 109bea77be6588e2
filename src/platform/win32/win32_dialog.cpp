// The dialogs on Win32: the template in memory, the controls by id, the handlers called.
#include "platform/win32/win32_dialog.h"
#include "store/windows/windows_api.h"

#include "platform/dialog_order.h"
#include "platform/win32/win32_bitmaps.h"
#include "store/windows/wide_text.h"

#include <commctrl.h>
#include <memory>
#include <optional>
#include <string>

namespace zembro::platform {
namespace {

void Put(std::vector<std::uint16_t>& out, const std::wstring& text) {
    for (const wchar_t c : text)
        out.push_back(static_cast<std::uint16_t>(c));
    out.push_back(0);
}
void Put32(std::vector<std::uint16_t>& out, DWORD value) {
    out.push_back(static_cast<std::uint16_t>(value & 0xFFFF));
    out.push_back(static_cast<std::uint16_t>(value >> 16));
}
void AlignToDword(std::vector<std::uint16_t>& out) {
    if (out.size() % 2 != 0)
        out.push_back(0);
}

// The control's window class (an atom of the predefined ones, or a name) and its styles.
struct ItemClass {
    std::uint16_t atom = 0; // 0: by name
    const wchar_t* name = nullptr;
    DWORD style = 0;
};

ItemClass ClassOf(const ControlTemplate& c, bool startsGroup) {
    constexpr std::uint16_t BUTTON = 0x80, EDIT = 0x81, STATIC = 0x82, LISTBOX = 0x83;
    const DWORD group = startsGroup ? WS_GROUP : 0;
    const DWORD align = c.align == TextAlign::Centre  ? SS_CENTER
                        : c.align == TextAlign::Right ? SS_RIGHT
                                                      : SS_LEFT;
    switch (c.kind) {
    case ControlKind::PushButton:
        return {BUTTON, nullptr, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP};
    case ControlKind::DefaultPushButton:
        return {BUTTON, nullptr, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP};
    case ControlKind::RadioButton:
        return {BUTTON, nullptr, BS_AUTORADIOBUTTON | group | (startsGroup ? WS_TABSTOP : 0u)};
    case ControlKind::CheckBox:
        return {BUTTON, nullptr, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP};
    case ControlKind::Edit:
        return {EDIT, nullptr,
                WS_TABSTOP | WS_GROUP | (c.scrollsAcross ? ES_AUTOHSCROLL : 0u) |
                    (c.digitsOnly ? ES_NUMBER : 0u) | (c.border ? WS_BORDER : 0u)};
    case ControlKind::UpDown:
        return {0, UPDOWN_CLASSW, WS_GROUP};
    case ControlKind::ListBox:
        return {LISTBOX, nullptr,
                LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_GROUP |
                    (c.border ? WS_BORDER : 0u)};
    case ControlKind::GroupBox:
        return {BUTTON, nullptr, BS_GROUPBOX | WS_GROUP};
    case ControlKind::Picture:
        return {STATIC, nullptr, SS_BITMAP | SS_CENTERIMAGE | WS_GROUP};
    case ControlKind::Static:
        break;
    }
    return {STATIC, nullptr, align | WS_GROUP | (c.centreVertically ? SS_CENTERIMAGE : 0u)};
}

// The running dialog's controls, by id; the handlers' requests to end it.
class Controls : public DialogControls {
  public:
    explicit Controls(HWND dialog) : dialog_(dialog) {}

    void SetText(int id, const std::string& text) override {
        ::SetDlgItemTextW(dialog_, id, Wide(text).c_str());
    }
    std::string Text(int id) const override {
        const HWND item = ::GetDlgItem(dialog_, id);
        std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(item)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            ::GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
        return Narrow(text);
    }
    void SetChecked(int id, bool checked) override {
        ::CheckDlgButton(dialog_, id, checked ? BST_CHECKED : BST_UNCHECKED);
        KeepTabStopOnChecked(::GetDlgItem(dialog_, id));
    }
    // Tab enters a group of radio buttons at its checked one, wherever the check was put.
    void KeepTabStopOnChecked(HWND radio) const {
        if (radio == nullptr ||
            (::GetWindowLongW(radio, GWL_STYLE) & BS_TYPEMASK) != BS_AUTORADIOBUTTON)
            return;
        HWND first = radio;
        while (!(::GetWindowLongW(first, GWL_STYLE) & WS_GROUP) && ::GetWindow(first, GW_HWNDPREV))
            first = ::GetWindow(first, GW_HWNDPREV);
        bool anyChecked = false;
        for (HWND b = first; b != nullptr; b = ::GetWindow(b, GW_HWNDNEXT)) {
            if (b != first && (::GetWindowLongW(b, GWL_STYLE) & WS_GROUP))
                break;
            anyChecked = anyChecked || ::SendMessageW(b, BM_GETCHECK, 0, 0) == BST_CHECKED;
        }
        for (HWND b = first; b != nullptr; b = ::GetWindow(b, GW_HWNDNEXT)) {
            if (b != first && (::GetWindowLongW(b, GWL_STYLE) & WS_GROUP))
                break;
            const bool stop =
                anyChecked ? ::SendMessageW(b, BM_GETCHECK, 0, 0) == BST_CHECKED : b == first;
            const LONG style = ::GetWindowLongW(b, GWL_STYLE);
            ::SetWindowLongW(b, GWL_STYLE, stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
        }
    }
    bool IsChecked(int id) const override {
        return ::IsDlgButtonChecked(dialog_, id) == BST_CHECKED;
    }
    void SetEnabled(int id, bool enabled) override {
        ::EnableWindow(::GetDlgItem(dialog_, id), enabled ? TRUE : FALSE);
    }
    bool IsEnabled(int id) const override {
        return ::IsWindowEnabled(::GetDlgItem(dialog_, id)) != 0;
    }
    void ClearList(int id) override { ::SendDlgItemMessageW(dialog_, id, LB_RESETCONTENT, 0, 0); }
    void AddListLine(int id, const std::string& line) override {
        ::SendDlgItemMessageW(dialog_, id, LB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(Wide(line).c_str()));
    }
    void SelectListLine(int id, int index) override {
        ::SendDlgItemMessageW(dialog_, id, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    int SelectedListLine(int id) const override {
        const LRESULT selected = ::SendDlgItemMessageW(dialog_, id, LB_GETCURSEL, 0, 0);
        return selected == LB_ERR ? -1 : static_cast<int>(selected);
    }
    void End(Answer answer) override { ended_ = answer; }

    // Ends the dialog when a handler asked for it.
    void EndIfAsked() {
        if (ended_)
            ::EndDialog(dialog_, *ended_ == Answer::Ok ? IDOK : IDCANCEL);
    }

  private:
    HWND dialog_;
    std::optional<Answer> ended_;
};

struct Running {
    const DialogTemplate& dialog;
    DialogHandler& handler;
    HWND owner;
    int scale;
    std::unique_ptr<Controls> controls{};
    std::vector<HBITMAP> pictures{};
};

void CentreOn(HWND dialog, HWND owner) {
    RECT outer{}, own{};
    ::GetWindowRect(dialog, &outer);
    if (owner == nullptr || !::GetWindowRect(owner, &own))
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &own, 0);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    ::SetWindowPos(dialog, nullptr, own.left + (own.right - own.left - width) / 2,
                   own.top + (own.bottom - own.top - height) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// An edit whose Up and Down keys propose the steps of its arrows (`arrowsId`), as they do.
LRESULT CALLBACK SteppedEdit(HWND edit, UINT message, WPARAM w, LPARAM l, UINT_PTR arrowsId,
                             DWORD_PTR data) {
    const bool alone = ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0;
    if (message == WM_KEYDOWN && (w == VK_UP || w == VK_DOWN) && alone) {
        auto* running = reinterpret_cast<Running*>(data);
        running->handler.OnUpDown(static_cast<int>(arrowsId), w == VK_UP ? -1 : 1,
                                  *running->controls);
        running->controls->EndIfAsked();
        return 0;
    }
    if (message == WM_NCDESTROY)
        ::RemoveWindowSubclass(edit, &SteppedEdit, arrowsId);
    return ::DefSubclassProc(edit, message, w, l);
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM w, LPARAM l) {
    auto* running = reinterpret_cast<Running*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        running = reinterpret_cast<Running*>(l);
        ::SetWindowLongPtrW(dialog, DWLP_USER, l);
        running->controls = std::make_unique<Controls>(dialog);
        for (std::size_t i = 0; i < running->dialog.controls.size(); ++i) {
            const ControlTemplate& c = running->dialog.controls[i];
            if (c.kind != ControlKind::Picture)
                continue;
            const HBITMAP picture = CreateProgramBitmap(c.bitmapId, running->scale);
            running->pictures.push_back(picture);
            ::SendDlgItemMessageW(dialog, static_cast<int>(0x7000 + i), STM_SETIMAGE, IMAGE_BITMAP,
                                  reinterpret_cast<LPARAM>(picture));
        }
        CentreOn(dialog, running->owner);
        running->handler.OnInitDialog(*running->controls);
        running->controls->EndIfAsked();
        // The Up and Down keys of an edit step it as its arrows do.
        for (const ControlTemplate& c : running->dialog.controls)
            if (c.kind == ControlKind::UpDown && c.steps >= 0)
                ::SetWindowSubclass(::GetDlgItem(dialog, c.steps), &SteppedEdit,
                                    static_cast<UINT_PTR>(c.id),
                                    reinterpret_cast<DWORD_PTR>(running));
        // The keys start on the first control of the reading order that takes them (a radio
        // group at its checked button): typing goes straight into the record's name.
        for (const std::size_t i : ReadingOrder(running->dialog)) {
            const HWND item = ::GetDlgItem(dialog, running->dialog.controls[i].id);
            if (item != nullptr && running->dialog.controls[i].id > 0 && ::IsWindowEnabled(item) &&
                (::GetWindowLongW(item, GWL_STYLE) & WS_TABSTOP)) {
                ::SetFocus(item);
                return FALSE;
            }
        }
        return TRUE;
    }
    if (running == nullptr)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(w) == BN_CLICKED || LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL) {
            running->controls->KeepTabStopOnChecked(reinterpret_cast<HWND>(l));
            running->handler.OnCommand(LOWORD(w), *running->controls);
        } else if (HIWORD(w) == LBN_SELCHANGE) {
            running->handler.OnSelectionChange(LOWORD(w), *running->controls);
        } else {
            return FALSE;
        }
        running->controls->EndIfAsked();
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(l);
        if (header->code != UDN_DELTAPOS)
            return FALSE;
        // The arrows only propose: the handler steps the edit, and the control keeps still.
        const auto* step = reinterpret_cast<const NMUPDOWN*>(l);
        running->handler.OnUpDown(static_cast<int>(header->idFrom), step->iDelta,
                                  *running->controls);
        running->controls->EndIfAsked();
        ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_DESTROY:
        for (const HBITMAP picture : running->pictures)
            if (picture != nullptr)
                ::DeleteObject(picture);
        running->pictures.clear();
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

std::vector<std::uint16_t> BuildDialogTemplate(const DialogTemplate& dialog) {
    std::vector<std::uint16_t> out;
    const DWORD style = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_VISIBLE |
                        (dialog.caption ? WS_CAPTION | WS_SYSMENU : WS_DLGFRAME);
    Put32(out, style);
    Put32(out, 0); // extended style
    out.push_back(static_cast<std::uint16_t>(dialog.controls.size()));
    for (const int value : {0, 0, dialog.width, dialog.height})
        out.push_back(static_cast<std::uint16_t>(value));
    out.push_back(0); // no menu
    out.push_back(0); // the standard dialog class
    Put(out, Wide(dialog.title));
    out.push_back(static_cast<std::uint16_t>(dialog.fontPoints));
    Put(out, Wide(dialog.fontName));
    // In reading order: the tab order, and the label just before the control it names, as a
    // screen reader takes it.
    bool previousRadio = false;
    for (const std::size_t i : ReadingOrder(dialog)) {
        const ControlTemplate& c = dialog.controls[i];
        const bool radio = c.kind == ControlKind::RadioButton;
        const ItemClass type = ClassOf(c, !radio || c.groupStart || !previousRadio);
        previousRadio = radio;
        AlignToDword(out);
        Put32(out, WS_CHILD | WS_VISIBLE | type.style | (c.disabled ? WS_DISABLED : 0u));
        Put32(out, 0);
        for (const int value : {c.x, c.y, c.width, c.height})
            out.push_back(static_cast<std::uint16_t>(value));
        // Pictures nobody addresses get ids of their own, to be given their bitmaps.
        const int id =
            c.kind == ControlKind::Picture && c.id < 0 ? 0x7000 + static_cast<int>(i) : c.id;
        out.push_back(static_cast<std::uint16_t>(id < 0 ? 0xFFFF : id));
        if (type.atom != 0) {
            out.push_back(0xFFFF);
            out.push_back(type.atom);
        } else {
            Put(out, type.name);
        }
        Put(out, c.kind == ControlKind::Picture ? std::wstring() : Wide(c.text));
        out.push_back(0); // no creation data
    }
    return out;
}

Answer RunWin32Dialog(HINSTANCE instance, HWND owner, const DialogTemplate& dialog,
                      DialogHandler& handler, int scale) {
    const std::vector<std::uint16_t> bytes = BuildDialogTemplate(dialog);
    Running running{dialog, handler, owner, scale};
    const INT_PTR ended =
        ::DialogBoxIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(bytes.data()),
                                  owner, &DialogProcedure, reinterpret_cast<LPARAM>(&running));
    return ended == IDOK ? Answer::Ok : Answer::Cancel;
}

} // namespace zembro::platform
