// The framework on Qt 6 Widgets: application, message loop with a paced idle callback, pointer,
// message boxes, dialogs, file dialogs, and the windows of the other files of this folder.
#pragma once

#include "platform/framework.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QApplication;

namespace zembro::platform {

class QtFramework : public Framework {
  public:
    QtFramework(int& argc, char** argv);
    ~QtFramework() override;

    int ScreenBitsPerPixel() const override;
    Size ScreenSize() const override;
    std::optional<BitmapInfoHeader> RecommendedFormat() const override;
    std::uint32_t TimeMs() const override;
    std::tm LocalTime() const override;
    std::string CurrentDirectory() const override;
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
    int Run(IdleHandler& idle) override;
    void Quit(int exitCode) override;

  private:
    // While a modal loop runs, the idle processing does not: the clock stands still.
    struct ModalScope {
        explicit ModalScope(int& depth) : depth_(depth) { ++depth_; }
        ~ModalScope() { --depth_; }
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;
        int& depth_;
    };
    void ApplyCursor();

    std::unique_ptr<QApplication> app_;
    int cursorCount_ = 0;
    int modalDepth_ = 0;
    QPointer<QWidget> gameWindow_;
};

} // namespace zembro::platform
