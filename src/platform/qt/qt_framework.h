// The framework on Qt 6 Widgets: application, message loop with a paced idle callback, pointer,
// message boxes, dialogs, file dialogs, and the windows of the other files of this folder.
#pragma once

#include "platform/framework.h"

#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>

class QApplication;
class QTranslator;

namespace zembro::platform {

// Loads the toolkit's own texts in Italian (file dialogs, standard buttons, questions) into
// `translator`; false when they are not installed.
bool LoadToolkitItalian(QTranslator& translator);

class QtFramework : public Framework {
  public:
    QtFramework(int& argc, char** argv);
    ~QtFramework() override;

    int ScreenBitsPerPixel() const override;
    Size ScreenSize() const override;
    RowOrder RecommendedRowOrder() const override;
    std::uint32_t TimeMs() const override;
    std::tm LocalTime() const override;
    std::string CurrentDirectory() const override;
    bool Preference(const std::string& name) const override;
    void SetPreference(const std::string& name, bool value) override;
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

    // Why the game cannot show itself on this display, or nothing when it can.
    std::optional<std::string> DisplayProblem() const;

  private:
    // While a modal loop runs, the idle processing does not: the clock stands still. When it
    // ends, the activation goes back to the window under it, which a window system without a
    // window manager would otherwise leave to the root window.
    class ModalScope {
      public:
        explicit ModalScope(QtFramework& framework) : framework_(framework) {
            ++framework_.modalDepth_;
        }
        ~ModalScope();
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;

      private:
        QtFramework& framework_;
    };
    void ApplyCursor();

    std::unique_ptr<QApplication> app_;
    std::unique_ptr<QTranslator> translator_;
    int cursorCount_ = 0;
    int modalDepth_ = 0;
    std::optional<int> quitCode_;
    QPointer<QWidget> gameWindow_;
};

} // namespace zembro::platform
