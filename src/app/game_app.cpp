// Start-up in its fixed order, and the idle hook.
#include "app/game_app.h"

#include "store/run_folder.h"
#include "ui/dialog_templates.h"

#include <cstdio>

namespace zembro {

bool GameApp::InitInstance() {
    using platform::MessageButtons;
    using platform::MessageIcon;
    // Taken whole, whatever its length: the picture folders are found under it.
    currentDirectory_ = framework_.CurrentDirectory();
    const std::string data = framework_.DataDirectory();
    frame_ = std::make_unique<GameFrame>(framework_, settings_);
    frame_->SetRunFolder(currentDirectory_, data);
    if (!frame_->CreateGameWindow("Zembro", ICON_GAME)) {
        framework_.MessageBox(nullptr, "Ho problemi nel creare la finiestra di Gioco", "Errore",
                              MessageIcon::Error, MessageButtons::Ok);
        return false;
    }
    // A missing file leaves the settings empty; the picture loading then says so.
    const Result<OptionsRead> read = ReadRunFolderSettings(currentDirectory_, data, settings_);
    if (const std::string& why = read ? read->stoppedBecause : read.Reason(); !why.empty())
        std::fprintf(stderr, "zembro: %s\n", why.c_str());
    if (const IoResult loaded = frame_->LoadAssets(); !loaded) {
        std::fprintf(stderr, "zembro: %s\n", loaded.Reason().c_str());
        frame_->ShowSystemCursor(true);
        framework_.MessageBox(nullptr, "Errore nel caricamento delle risorse", "Errore",
                              MessageIcon::Error, MessageButtons::Ok);
        return false;
    }
    frame_->ResetAndDeal();
    frame_->Show();
    if (const std::string notice = framework_.DataDirectoryNotice(); !notice.empty())
        frame_->Tell(notice);
    frame_->OnAbout();
    return true;
}

void GameApp::OnIdle() {
    if (frame_)
        frame_->Tick();
}

} // namespace zembro
