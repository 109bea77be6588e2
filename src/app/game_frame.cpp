// The game window's creation, paint, tick and commands.
#include "app/game_frame.h"

#include "game/deal.h"
#include "game/screen_zones.h"
#include "store/cp1252.h"
#include "store/options_file.h"
#include "store/run_folder.h"
#include "store/score_file.h"
#include "ui/dialog_templates.h"
#include "ui/file_messages.h"
#include "ui/new_record_dialog.h"
#include "ui/options_dialog.h"
#include "ui/ranking_dialog.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace zembro {
namespace {

constexpr int REQUIRED_BITS = 16;

// The bar's buttons, top to bottom, as BAR_BUTTONS draws them.
const std::vector<int> BAR_COMMANDS = {CMD_NEW_GAME, CMD_OPTIONS, CMD_RANKING, CMD_ABOUT,
                                       CMD_END_GAME};
static_assert(std::size(BAR_BUTTONS) == BUTTON_COUNT);

// The bar's pictures as the bar takes them: normal and pressed, button after button.
std::vector<int> BarPictures() {
    std::vector<int> pictures;
    for (const ButtonPictures& b : BAR_BUTTONS)
        pictures.insert(pictures.end(), {b.picture, b.pressedPicture});
    return pictures;
}

} // namespace

GameFrame::GameFrame(platform::Framework& framework, GameSettings& settings)
    : framework_(framework), settings_(settings), bar_(framework) {
    ResetGame(game_);
}

bool GameFrame::CreateGameWindow(const std::string& title, int iconId) {
    using platform::MessageButtons;
    using platform::MessageIcon;
    if (framework_.ScreenBitsPerPixel() != REQUIRED_BITS &&
        framework_.MessageBox(nullptr, "Il programma è studiato per 65K Colori", "Attenzione",
                              MessageIcon::Exclamation,
                              MessageButtons::OkCancel) != platform::Answer::Ok)
        return false;
    const platform::Size screen = framework_.ScreenSize();
    if (screen.width < SCREEN_WIDTH || screen.height < SCREEN_HEIGHT) {
        framework_.MessageBox(nullptr, "Il programma richiede la risoluzione di 800x600", "Errore",
                              MessageIcon::Error, MessageButtons::Ok);
        return false;
    }
    const WindowPlacement at = PlaceWindow(screen.width, screen.height);
    const platform::Rect rect{at.left, at.top, at.left + at.width, at.top + at.height};
    window_ = framework_.CreateFrame(title, iconId, rect, at.framed, *this);
    if (!window_ || !window_->Exists())
        return false;
    CreateBackBuffer(buffer_, framework_.RecommendedRowOrder());
    frame_.pathShapes = framework_.Preference(PREFERENCE_PATH_SHAPES);

    bar_.SetDefaultBitmaps(DEFAULT_BUTTON.picture, DEFAULT_BUTTON.pressedPicture, 0, 0);
    bar_.CreateBar(BUTTON_BAR_POS.x, BUTTON_BAR_POS.y, BUTTON_WIDTH, BUTTON_HEIGHT, BUTTON_COUNT,
                   *window_, BAR_COMMANDS);
    bar_.SetButtonBitmaps(BarPictures(), 2);
    std::vector<std::string> names;
    for (const ButtonPictures& b : BAR_BUTTONS)
        names.emplace_back(b.label);
    bar_.SetButtonNames(names);
    if (!bar_.HasWindow())
        return false;
    // From now on the game draws its own pointer.
    ShowSystemCursor(false);
    return true;
}

IoResult GameFrame::LoadAssets() {
    return zembro::LoadAssets(sprites_, buffer_, settings_);
}

void GameFrame::ResetAndDeal() {
    ResetGame(game_);
    clock_.ResetFrameRate();
    DealParams params = DealParamsFrom(settings_);
    // Settings read again during the run may name more pictures than start-up loaded: the deal
    // keeps to the pictures there are, the last one being the fixed cell's.
    const auto pictures = static_cast<std::int32_t>(sprites_.pieceSprites.size());
    if (pictures > 0) {
        params.numMaxPedine = std::min(params.numMaxPedine, pictures);
        params.kinds = std::min(params.kinds, params.numMaxPedine - 1);
    }
    Deal(game_, params, framework_.TimeMs());
}

void GameFrame::Show() {
    window_->Show();
}

void GameFrame::ShowSystemCursor(bool show) {
    if (show == systemCursorShown_)
        return;
    systemCursorShown_ = show;
    framework_.ShowCursor(show);
}

void GameFrame::Tick() {
    const bool paused = (frame_.stateBits & STATE_PAUSED) != 0;
    const bool inactive = (frame_.stateBits & STATE_INACTIVE) != 0;
    if (zembro::Tick(clock_, framework_.TimeMs(), paused, inactive, game_, scene_) && window_)
        window_->Invalidate();
}

void GameFrame::OnPaint() {
    const FrameView view{.game = game_,
                         .settings = settings_,
                         .fps = clock_.fps,
                         .cellPressed = input_.cellPressed,
                         .mouseX = frame_.mouseX,
                         .mouseY = frame_.mouseY,
                         .frozen = (frame_.stateBits & STATE_FREEZING_BITS) != 0,
                         .paused = (frame_.stateBits & STATE_PAUSED) != 0,
                         .barVisible = bar_.Visible(),
                         .cursorCol = frame_.cursorShown ? frame_.cursorCol : 0,
                         .cursorRow = frame_.cursorRow,
                         .pathShapes = frame_.pathShapes};
    PaintFrame(buffer_, sprites_, scene_, view);
    if (window_)
        window_->Present(buffer_);
    buffer_.damage.Clear();
}

void GameFrame::OnCommand(int id) {
    switch (id) {
    case CMD_NEW_GAME:
        OnNewGame();
        break;
    case CMD_MINIMIZE:
        OnMinimize();
        break;
    case CMD_ABOUT:
        OnAbout();
        break;
    case CMD_END_GAME:
        OnEndGame();
        break;
    case CMD_OPTIONS:
        OnOptions();
        break;
    case CMD_RANKING:
        OnRanking();
        break;
    default:
        break;
    }
}

void GameFrame::OnNewGame() {
    ResetAndDeal();
    Run({.kind = WindowEvent::Kind::NewGame});
}

void GameFrame::OnDestroy() {
    // Closed from outside: the game ends as Uscita's OK ends it.
    framework_.Quit(0);
}

void GameFrame::OnAbout() {
    PrepareForDialog();
    platform::DialogHandler standard;
    framework_.RunDialog(window_.get(), AboutTemplate(), standard);
    ReturnFromDialog();
}

void GameFrame::PrepareForDialog() {
    Run({.kind = WindowEvent::Kind::DialogOpens});
    // Handed to the window now, before the dialog shows over it.
    if (window_)
        OnPaint();
}

void GameFrame::ReturnFromDialog() {
    WindowEvent closed{.kind = WindowEvent::Kind::DialogClosed};
    if (const std::optional<platform::Point> at = window_->PointerInClient()) {
        closed.x = at->x + POINTER_OFFSET_X;
        closed.y = at->y + POINTER_OFFSET_Y;
        closed.inside = true;
    }
    Run(closed);
}

void GameFrame::Tell(const std::string& text) {
    PrepareForDialog();
    framework_.MessageBox(window_.get(), text, "Zembro", platform::MessageIcon::Information,
                          platform::MessageButtons::Ok);
    ReturnFromDialog();
}

void GameFrame::OnMinimize() {
    Run({.kind = WindowEvent::Kind::Minimise});
}

void GameFrame::OnOptions() {
    PrepareForDialog();
    const std::string path = RunFile(OPTIONS_FILE_NAME);
    OptionsDialog dialog(framework_, window_.get(), path);
    // What the file does not give (it stops early, or has changed since the start) is shown as
    // the game plays it, so that OK never writes values nobody chose.
    dialog.copy = settings_;
    for (std::string* folder : {&dialog.copy.directory1, &dialog.copy.directory2})
        if (folder->starts_with(runFolder_ + "/"))
            folder->erase(0, runFolder_.size() + 1);
    if (const Result<OptionsRead> read = ReadOptions(path, dialog.copy); !read) {
        // Settings that could not be read are not shown, so that OK cannot write them back.
        TellFileFailure(framework_, window_.get(), "Errore di caricamento",
                        "Le opzioni non sono state lette da", path, read.Status());
        ReturnFromDialog();
        return;
    }
    if (framework_.RunDialog(window_.get(), OptionsTemplate(), dialog) == platform::Answer::Ok) {
        ReadOptions(path, settings_);
        PrefixFolders(settings_, runFolder_);
    }
    ReturnFromDialog();
}

void GameFrame::OnRanking() {
    PrepareForDialog();
    Result<std::vector<ScoreRecord>> records = LoadScores(RunFile(SCORE_FILE_NAME));
    if (!records) {
        framework_.MessageBox(window_.get(), "Ci sono dei problemi\n nel caricare la classifica",
                              "Errore di caricamento", platform::MessageIcon::Exclamation,
                              platform::MessageButtons::Ok);
    } else {
        RankingDialog dialog(std::move(*records));
        framework_.RunDialog(window_.get(), RankingTemplate(), dialog);
    }
    ReturnFromDialog();
}

void GameFrame::OnEndGame() {
    using platform::Answer;
    PrepareForDialog();
    const bool won = game_.piecesLeft == 0;
    char text[128];
    Answer answer;
    if (!won) {
        std::snprintf(text, sizeof text,
                      game_.piecesLeft >= 32 ? "Avevi ancora %d pedine"
                                             : "Ti rimanevano solo %d pedine",
                      game_.piecesLeft);
        answer = framework_.MessageBox(window_.get(), text, "Peccato HAI PERSO",
                                       platform::MessageIcon::Exclamation,
                                       platform::MessageButtons::OkCancel);
    } else {
        std::snprintf(text, sizeof text, "Hai finito il gioco in soli %d secondi\n Vuoi uscire ?",
                      game_.seconds);
        answer = framework_.MessageBox(window_.get(), text, "!You are the WINNER !",
                                       platform::MessageIcon::Information,
                                       platform::MessageButtons::OkCancel);
        OfferRecord();
    }
    ReturnFromDialog();
    if (answer == Answer::Ok) {
        // The player leaves: nothing of the game is touched any more.
        window_->Destroy();
        framework_.Quit(0);
        return;
    }
    if (won)
        OnNewGame();
}

void GameFrame::OfferRecord() {
    const std::string path = RunFile(SCORE_FILE_NAME);
    const Result<int> place = RankFor(path, StoredSeconds(game_.seconds), StoredMoves(game_.moves));
    if (!place) {
        // A list that cannot be read cannot take the result either: say so at once, before a
        // name is typed in vain.
        TellFileFailure(framework_, window_.get(), "Errore di salvataggio",
                        "Il risultato non può entrare in classifica: non riesco a leggere", path,
                        place.Status());
        return;
    }
    if (*place > MAX_SCORES)
        return;
    NewRecordDialog dialog;
    dialog.position = static_cast<std::uint8_t>(*place);
    dialog.total = MAX_SCORES;
    if (framework_.RunDialog(window_.get(), NewRecordTemplate(), dialog) != platform::Answer::Ok)
        return;
    const ScoreRecord record = MakeRecord(Utf8ToCp1252(dialog.name), game_.seconds, game_.moves,
                                          framework_.LocalTime(), settings_);
    const Result<InsertedScore> inserted = InsertScore(path, record);
    if (!inserted)
        TellFileFailure(framework_, window_.get(), "Errore di salvataggio",
                        "Il risultato non è stato salvato in", path, inserted.Status());
    else if (inserted->keptOld)
        framework_.MessageBox(window_.get(),
                              std::string(SCORE_FILE_NAME) +
                                  " non era una classifica intera: è stato conservato come " +
                                  SCORE_FILE_KEPT + " e ne è stata iniziata una nuova.",
                              "Classifica", platform::MessageIcon::Information,
                              platform::MessageButtons::Ok);
}

} // namespace zembro
