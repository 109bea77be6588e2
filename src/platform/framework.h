// The window framework the system runs on: one small interface with a real back end (Qt) and an
// in-memory one for tests and tools. The system's classes are plain classes written against it,
// with handler methods named after the messages they handle.
#pragma once

#include "platform/dialog.h"
#include "platform/dialog_template.h"
#include "platform/window_types.h"
#include "render/back_buffer.h"

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zembro::platform {

// What a screen reader reads of the game window: the 64 cells row by row, the counters, the
// cell that has the focus (-1: none), and the status line: what last happened.
struct ScreenReaderView {
    std::vector<std::string> cells;
    std::vector<std::string> counters;
    int focus = -1;
    int selected = -1; // the selected piece's cell
    std::string status;
    // Where the board and each cell's band stand, in game-screen pixels.
    Rect board;
    std::vector<Rect> cellBoxes;
};

// What happened to the game window, as the game sees it. Points are client points: scene pixels
// from the top-left corner of the client area, whatever the screen's scale; each back end makes
// them from what its window system reports.
class FrameHandler {
  public:
    virtual ~FrameHandler() = default;
    virtual void OnLButtonDown(Point client) = 0;
    virtual void OnLButtonUp(Point client) = 0;
    virtual void OnRButtonDown(Point client) = 0;
    virtual void OnMouseMove(Point client) = 0;
    // The pointer left the window (over another window, or off the screen).
    virtual void OnMouseLeave() = 0;
    virtual void OnKeyDown(Key key) = 0;
    // Whether a left press at `client` drags the window, as a title bar would.
    virtual bool IsDragZone(Point client) = 0;
    // The left button went down on the drag zone, and came up: the window is dragged meanwhile.
    virtual void OnDragStart() = 0;
    virtual void OnDragEnd() = 0;
    // The pointer moved over the window's own frame (outside the client area) or over the drag
    // zone.
    virtual void OnFrameMove(Point client, bool onDragZone) = 0;
    // The window became the active one and is shown (true), or it is inactive or minimised.
    virtual void OnActivate(bool active) = 0;
    // A paint: compose and Present().
    virtual void OnPaint() = 0;
    virtual void OnCommand(int id) = 0;
    // The window is gone: closed by another program, or by the window system.
    virtual void OnDestroy() = 0;
    virtual ScreenReaderView Describe() const = 0;
};

class FrameWindow {
  public:
    virtual ~FrameWindow() = default;
    // Shows the window and paints it at once.
    virtual void Show() = 0;
    // Asks for one paint of the whole client area.
    virtual void Invalidate() = 0;
    // Copies the 800 x 600 back buffer to the client area (during a paint).
    virtual void Present(const BackBuffer& buffer) = 0;
    virtual void Minimize() = 0;
    virtual void Destroy() = 0;
    virtual bool Exists() const = 0;
    // Where the system pointer is, in client coordinates, when it is over the client area.
    virtual std::optional<Point> PointerInClient() const = 0;
    // Queues a command for the window's handler; it runs after the current handler returns.
    virtual void PostCommand(int id) = 0;
    // The game changed: a screen reader, when one listens, follows the focus and, when
    // `announced`, reads the new status line.
    virtual void ScreenReaderUpdate(bool announced) = 0;
};

// A child window holding a column of picture buttons.
class ButtonColumn {
  public:
    virtual ~ButtonColumn() = default;
    // Gives button `index` its normal and pressed pictures (program bitmap ids; 0 = none).
    virtual void SetImages(int index, int normalId, int pressedId) = 0;
    // What a screen reader calls button `index`.
    virtual void SetName(int index, const std::string& name) = 0;
    virtual void SetVisible(bool visible) = 0;
    // Shows button `index` pressed, the keyboard's choice; -1 for none.
    virtual void SetHighlighted(int index) = 0;
};

class ButtonClickHandler {
  public:
    virtual ~ButtonClickHandler() = default;
    virtual void OnButtonClicked(int id) = 0;
};

// The application's idle processing: called when no message waits.
class IdleHandler {
  public:
    virtual ~IdleHandler() = default;
    virtual void OnIdle() = 0;
};

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::string defaultExtension;          // without the dot
    std::string filterName, filterPattern; // one filter entry
    bool askBeforeReplacing = false;
};

class Framework {
  public:
    virtual ~Framework() = default;

    // Display capabilities.
    virtual int ScreenBitsPerPixel() const = 0;
    virtual Size ScreenSize() const = 0;
    // The row order the back buffer is best kept in for this framework's presenter.
    virtual RowOrder RecommendedRowOrder() const = 0;

    // A monotonic millisecond count, 32 bits, wrapping.
    virtual std::uint32_t TimeMs() const = 0;
    // The local date and time of this moment.
    virtual std::tm LocalTime() const = 0;
    virtual std::string CurrentDirectory() const = 0;
    // Where the player's settings and scores are kept: the current directory, unless it may not
    // be written there (a game unpacked where its player may not write).
    virtual std::string DataDirectory() const { return CurrentDirectory(); }
    // What the player is told once, over the game, of where the files went; empty for nothing.
    virtual std::string DataDirectoryNotice() const { return {}; }
    // The player's own choices that the settings file has no room for, kept between runs;
    // false until set.
    virtual bool Preference(const std::string& name) const = 0;
    virtual void SetPreference(const std::string& name, bool value) = 0;

    // The system pointer's display count: raised or lowered by one; shown while not negative.
    virtual int ShowCursor(bool show) = 0;

    // Modal; owned by `owner` when given.
    virtual Answer MessageBox(const FrameWindow* owner, const std::string& text,
                              const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) = 0;
    virtual Answer RunDialog(const FrameWindow* owner, const DialogTemplate& dialog,
                             DialogHandler& handler) = 0;
    // The chosen full path, empty when cancelled.
    virtual std::string FileDialog(const FrameWindow* owner, const FileDialogRequest& request) = 0;

    // The game window: `rect` in screen coordinates; with `dialogFrame` a 3-pixel frame surrounds
    // the client area.
    virtual std::unique_ptr<FrameWindow> CreateFrame(const std::string& title, int iconId,
                                                     Rect rect, bool dialogFrame,
                                                     FrameHandler& handler) = 0;
    // A hidden child of `parent` covering `rect` (client coordinates), with one button of
    // `buttonHeight` per id, top to bottom.
    virtual std::unique_ptr<ButtonColumn> CreateButtonColumn(FrameWindow& parent, Rect rect,
                                                             const std::vector<int>& ids,
                                                             int buttonHeight,
                                                             ButtonClickHandler& handler) = 0;

    // Runs the message loop until Quit; gives the exit code.
    virtual int Run(IdleHandler& idle) = 0;
    virtual void Quit(int exitCode) = 0;
};

} // namespace zembro::platform
