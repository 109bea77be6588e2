// The in-memory framework.
#include "platform/headless/headless_framework.h"

#include <utility>

namespace zembro::platform {

void HeadlessFrame::Show() {
    shown_ = true;
    Paint();
}

namespace {

int Floored(int value, int by) {
    return value >= 0 ? value / by : (value - by + 1) / by;
}

} // namespace

Point HeadlessFrame::ClientOf(Point device) const {
    const int border = framed_ ? FRAME_BORDER : 0;
    return {Floored(device.x - (rect_.left + border) * scale_, scale_),
            Floored(device.y - (rect_.top + border) * scale_, scale_)};
}

void HeadlessFrame::PointerAt(Point device) {
    const Point client = ClientOf(device);
    if (handler_.IsDragZone(client))
        handler_.OnFrameMove(client, true);
    else
        handler_.OnMouseMove(client);
}

void HeadlessFrame::LeftPress(Point device) {
    const Point client = ClientOf(device);
    dragging_ = handler_.IsDragZone(client);
    if (dragging_)
        handler_.OnDragStart();
    else
        handler_.OnLButtonDown(client);
}

void HeadlessFrame::LeftRelease(Point device) {
    if (std::exchange(dragging_, false))
        handler_.OnDragEnd();
    else
        handler_.OnLButtonUp(ClientOf(device));
}

void HeadlessFrame::RunPosted() {
    while (!posted_.empty()) {
        const int id = posted_.front();
        posted_.erase(posted_.begin());
        handler_.OnCommand(id);
    }
}

void HeadlessButtons::SetImages(int index, int normalId, int pressedId) {
    if (index >= 0 && static_cast<std::size_t>(index) < images_.size())
        images_[static_cast<std::size_t>(index)] = {normalId, pressedId};
}

void HeadlessButtons::SetVisible(bool visible) {
    visible_ = visible;
    ++visibilityChanges_;
}

HeadlessDialog::HeadlessDialog(const DialogTemplate& dialog) {
    int group = -1;
    for (const ControlTemplate& c : dialog.controls) {
        if (c.kind == ControlKind::RadioButton && (c.groupStart || group < 0))
            group = c.id;
        if (c.id < 0)
            continue;
        State& state = controls_[c.id];
        state.text = c.text;
        state.enabled = !c.disabled;
        state.group = c.kind == ControlKind::RadioButton ? group : -1;
    }
}

std::string HeadlessDialog::Text(int id) const {
    const auto found = controls_.find(id);
    return found != controls_.end() ? found->second.text : std::string{};
}

void HeadlessDialog::SetChecked(int id, bool checked) {
    State& state = controls_[id];
    if (checked && state.group >= 0) {
        for (auto& [other, s] : controls_)
            if (s.group == state.group)
                s.checked = false;
    }
    state.checked = checked;
}

bool HeadlessDialog::IsChecked(int id) const {
    const auto found = controls_.find(id);
    return found != controls_.end() && found->second.checked;
}

bool HeadlessDialog::IsEnabled(int id) const {
    const auto found = controls_.find(id);
    return found != controls_.end() && found->second.enabled;
}

int HeadlessDialog::SelectedListLine(int id) const {
    const auto found = controls_.find(id);
    return found != controls_.end() ? found->second.selected : -1;
}

std::vector<std::string> HeadlessDialog::Lines(int id) const {
    const auto found = controls_.find(id);
    return found != controls_.end() ? found->second.lines : std::vector<std::string>{};
}

int HeadlessFramework::ShowCursor(bool show) {
    cursorCalls.push_back(show ? 1 : -1);
    cursorCount += show ? 1 : -1;
    return cursorCount;
}

Answer HeadlessFramework::MessageBox(const FrameWindow* owner, const std::string& text,
                                     const std::string& caption, MessageIcon icon,
                                     MessageButtons buttonsKind) {
    messages.push_back({text, caption, icon, buttonsKind, owner != nullptr, cursorCount});
    if (messageAnswers.empty())
        return Answer::Ok;
    const Answer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return buttonsKind == MessageButtons::Ok ? Answer::Ok : answer;
}

Answer HeadlessFramework::RunDialog(const FrameWindow*, const DialogTemplate& dialog,
                                    DialogHandler& handler) {
    dialogsRun.push_back(dialog.id);
    HeadlessDialog controls(dialog);
    handler.OnInitDialog(controls);
    const auto script = dialogScripts.find(dialog.id);
    if (script != dialogScripts.end())
        script->second(controls, handler);
    if (!controls.Ended())
        handler.OnCommand(2, controls); // the dialog closed with its close box
    return controls.Ended().value_or(Answer::Cancel);
}

std::string HeadlessFramework::FileDialog(const FrameWindow*, const FileDialogRequest& request) {
    fileRequests.push_back(request);
    if (fileAnswers.empty())
        return {};
    std::string path = fileAnswers.front();
    fileAnswers.pop_front();
    return path;
}

std::unique_ptr<FrameWindow> HeadlessFramework::CreateFrame(const std::string&, int, Rect rect,
                                                            bool dialogFrame,
                                                            FrameHandler& handler) {
    if (frameFails)
        return nullptr;
    auto created = std::make_unique<HeadlessFrame>(handler, rect, dialogFrame, scale);
    frame = created.get();
    return created;
}

std::unique_ptr<ButtonColumn> HeadlessFramework::CreateButtonColumn(FrameWindow&, Rect rect,
                                                                    const std::vector<int>& ids,
                                                                    int,
                                                                    ButtonClickHandler& handler) {
    if (buttonsFail)
        return nullptr;
    auto created = std::make_unique<HeadlessButtons>(rect, ids, handler);
    buttons = created.get();
    return created;
}

int HeadlessFramework::Run(IdleHandler& idle) {
    idle.OnIdle();
    return exitCode;
}

} // namespace zembro::platform
