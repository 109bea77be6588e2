// The window framework on Win32: USER and GDI as the game was made for them.
#pragma once

#include "platform/framework.h"

#include "store/windows/windows_api.h"
#include <optional>
#include <string>

namespace zembro::platform {

// The player's own folder for the game, %APPDATA%\Zembro; empty where there is none.
std::wstring PlayersFolder();

class Win32Framework : public Framework {
  public:
    explicit Win32Framework(HINSTANCE instance);
    ~Win32Framework() override;

    // Why the game cannot be shown here, when it cannot.
    std::optional<std::string> DisplayProblem() const;

    int ScreenBitsPerPixel() const override;
    Size ScreenSize() const override;
    RowOrder RecommendedRowOrder() const override;
    std::uint32_t TimeMs() const override;
    std::tm LocalTime() const override;
    std::string CurrentDirectory() const override;
    std::string DataDirectory() const override {
        return dataDirectory_.empty() ? CurrentDirectory() : dataDirectory_;
    }
    std::string DataDirectoryNotice() const override { return dataNotice_; }
    // Where the player's files are kept, chosen once at start, and what to tell of it.
    void SetDataDirectory(std::string folder, std::string notice) {
        dataDirectory_ = std::move(folder);
        dataNotice_ = std::move(notice);
    }
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

  private:
    // While a modal loop runs, the idle processing does not: the clock stands still. When it
    // ends, the game window gets the keys back.
    class ModalScope {
      public:
        explicit ModalScope(Win32Framework& framework) : framework_(framework) {
            ++framework_.modalDepth_;
        }
        ~ModalScope();
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;

      private:
        Win32Framework& framework_;
    };

    HINSTANCE instance_;
    HWND gameWindow_ = nullptr;
    int modalDepth_ = 0;
    std::optional<int> quitCode_;
    int scale_ = 1; // each scene pixel as a block of this many device pixels a side
    std::string dataDirectory_, dataNotice_;
};

} // namespace zembro::platform
