// The framework kept in memory: a test double of the window system, not of the game. Message
// boxes, dialogs and file dialogs take scripted answers; the pointer count, paints and posted
// commands are recorded; the clock and the screen are set by the test or tool.
#pragma once

#include "platform/framework.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zembro::platform {

class HeadlessFrame : public FrameWindow {
  public:
    // `scale`: each scene pixel is a block of that many device pixels a side, as on a scaled
    // screen; the window's place and frame are in scene pixels.
    HeadlessFrame(FrameHandler& handler, Rect rect, bool framed, int scale = 1)
        : handler_(handler), rect_(rect), framed_(framed), scale_(scale) {}

    void Show() override;
    void Invalidate() override { ++invalidations_; }
    void Present(const BackBuffer&) override { ++presents_; }
    void Minimize() override { minimized_ = true; }
    void Destroy() override { destroyed_ = true; }
    bool Exists() const override { return !destroyed_; }
    std::optional<Point> PointerInClient() const override { return pointer; }
    void PostCommand(int id) override { posted_.push_back(id); }
    void ScreenReaderUpdate(bool) override {}

    std::optional<Point> pointer; // where the test puts the system pointer

    // Runs the queued commands, as the message loop would once the current handler returns.
    void RunPosted();
    // One paint, as the window system makes after an invalidation.
    void Paint() { handler_.OnPaint(); }
    // The pointer at `device`, a point of the screen in its own pixels, as a window system
    // reports it: made a client point of the scene, over the drag zone a move of the frame, a
    // left press there the start of a drag that its release ends.
    void PointerAt(Point device);
    void LeftPress(Point device);
    void LeftRelease(Point device);

    Rect WindowRect() const { return rect_; }
    bool Framed() const { return framed_; }
    bool Shown() const { return shown_; }
    bool Minimized() const { return minimized_; }
    int Invalidations() const { return invalidations_; }
    int Presents() const { return presents_; }
    const std::vector<int>& Posted() const { return posted_; }

  private:
    Point ClientOf(Point device) const;

    FrameHandler& handler_;
    Rect rect_;
    bool framed_;
    int scale_;
    bool dragging_ = false;
    bool shown_ = false, minimized_ = false, destroyed_ = false;
    int invalidations_ = 0, presents_ = 0;
    std::vector<int> posted_;
};

class HeadlessButtons : public ButtonColumn {
  public:
    HeadlessButtons(Rect rect, std::vector<int> ids, ButtonClickHandler& handler)
        : rect_(rect), ids_(std::move(ids)), handler_(handler), images_(ids_.size()) {}
    void SetImages(int index, int normalId, int pressedId) override;
    void SetName(int index, const std::string& name) override {
        names_.resize(ids_.size());
        names_.at(static_cast<std::size_t>(index)) = name;
    }
    const std::vector<std::string>& Names() const { return names_; }
    void SetVisible(bool visible) override;
    void SetHighlighted(int index) override { highlighted_ = index; }

    int Highlighted() const { return highlighted_; }
    // A click on button `index`.
    void Click(int index) { handler_.OnButtonClicked(ids_.at(static_cast<std::size_t>(index))); }
    Rect Area() const { return rect_; }
    bool Visible() const { return visible_; }
    int VisibilityChanges() const { return visibilityChanges_; }
    std::pair<int, int> Images(int index) const {
        return images_.at(static_cast<std::size_t>(index));
    }

  private:
    Rect rect_;
    std::vector<int> ids_;
    ButtonClickHandler& handler_;
    std::vector<std::pair<int, int>> images_;
    std::vector<std::string> names_;
    bool visible_ = false;
    int visibilityChanges_ = 0;
    int highlighted_ = -1;
};

// The controls of a dialog built from its template, in memory.
class HeadlessDialog : public DialogControls {
  public:
    explicit HeadlessDialog(const DialogTemplate& dialog);

    void SetText(int id, const std::string& text) override { controls_[id].text = text; }
    std::string Text(int id) const override;
    void SetChecked(int id, bool checked) override;
    bool IsChecked(int id) const override;
    void SetEnabled(int id, bool enabled) override { controls_[id].enabled = enabled; }
    bool IsEnabled(int id) const override;
    void ClearList(int id) override { controls_[id].lines.clear(); }
    void AddListLine(int id, const std::string& line) override {
        controls_[id].lines.push_back(line);
    }
    void SelectListLine(int id, int index) override { controls_[id].selected = index; }
    int SelectedListLine(int id) const override;
    void End(Answer answer) override { ended_ = answer; }

    bool Has(int id) const { return controls_.contains(id); }
    std::vector<std::string> Lines(int id) const;
    const std::optional<Answer>& Ended() const { return ended_; }

  private:
    struct State {
        std::string text;
        bool checked = false, enabled = true;
        std::vector<std::string> lines;
        int selected = -1;
        int group = -1; // radio buttons of one group uncheck each other
    };
    std::map<int, State> controls_;
    std::optional<Answer> ended_;
};

// What a test does while a dialog runs: click, type, step; then end it or let the script end.
using DialogScript = std::function<void(HeadlessDialog&, DialogHandler&)>;

struct MessageRecord {
    std::string text, caption;
    MessageIcon icon;
    MessageButtons buttons;
    bool owned;
    int cursorCount; // the pointer's display count while it was shown
};

// 09:05 on 7 March 2001, the headless clock's local time until a test sets another.
inline std::tm MorningOf7March2001() {
    std::tm t{};
    t.tm_min = 5;
    t.tm_hour = 9;
    t.tm_mday = 7;
    t.tm_mon = 2;
    t.tm_year = 101;
    return t;
}

class HeadlessFramework : public Framework {
  public:
    // The machine the test describes.
    int bitsPerPixel = 16;
    Size screen{1024, 768}; // in scene pixels
    int scale = 1;          // device pixels a side per scene pixel
    std::uint32_t now = 0;
    std::tm localTime = MorningOf7March2001();
    std::string currentDirectory = ".";
    bool frameFails = false, buttonsFail = false;

    // Scripted answers, taken in order; when they run out: OK, the dialog's own script or
    // Cancel, and an empty path.
    std::deque<Answer> messageAnswers;
    std::map<int, DialogScript> dialogScripts;
    std::deque<std::string> fileAnswers;

    // What happened.
    std::vector<int> cursorCalls; // +1 show, -1 hide
    int cursorCount = 0;
    std::vector<MessageRecord> messages;
    std::vector<int> dialogsRun;
    std::vector<FileDialogRequest> fileRequests;
    std::map<std::string, bool> preferences;
    bool quitRequested = false;
    int exitCode = 0;
    HeadlessFrame* frame = nullptr;
    HeadlessButtons* buttons = nullptr;

    int ScreenBitsPerPixel() const override { return bitsPerPixel; }
    Size ScreenSize() const override { return screen; }
    RowOrder RecommendedRowOrder() const override { return RowOrder::BottomUp; }
    std::uint32_t TimeMs() const override { return now; }
    std::tm LocalTime() const override { return localTime; }
    std::string CurrentDirectory() const override { return currentDirectory; }
    bool Preference(const std::string& name) const override {
        return preferences.contains(name) && preferences.at(name);
    }
    void SetPreference(const std::string& name, bool value) override { preferences[name] = value; }
    int ShowCursor(bool show) override;
    Answer MessageBox(const FrameWindow* owner, const std::string& text, const std::string& caption,
                      MessageIcon icon, MessageButtons buttons) override;
    Answer RunDialog(const FrameWindow* owner, const DialogTemplate& dialog,
                     DialogHandler& handler) override;
    std::string FileDialog(const FrameWindow* owner, const FileDialogRequest& request) override;
    std::unique_ptr<FrameWindow> CreateFrame(const std::string& title, int iconId, Rect rect,
                                             bool dialogFrame, FrameHandler& handler) override;
    std::unique_ptr<ButtonColumn> CreateButtonColumn(FrameWindow& parent, Rect rect,
                                                     const std::vector<int>& ids, int buttonHeight,
                                                     ButtonClickHandler& handler) override;
    // Calls the idle handler once: the headless loop runs only when the test turns it.
    int Run(IdleHandler& idle) override;
    void Quit(int code) override {
        quitRequested = true;
        exitCode = code;
    }
};

} // namespace zembro::platform
