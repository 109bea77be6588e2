// The game window's creation, paint, tick, commands and dialogs.
#include "app/game_frame.h"

#include "app/frame_dialogs.h"
#include "app/session_texts.h"
#include "game/screen_zones.h"
#include "store/options_file.h"
#include "store/score_file.h"
#include "ui/dialog_templates.h"

#include <array>

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
    : framework_(framework), settings_(settings), bar_(framework),
      session_(settings, sprites_.cellEmpty) {}

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
    session_.Frame().pathShapes = framework_.Preference(PREFERENCE_PATH_SHAPES);
    session_.Frame().winnableDeals = framework_.Preference(PREFERENCE_WINNABLE_DEALS);

    bar_.SetDefaultBitmaps(DEFAULT_BUTTON.picture, DEFAULT_BUTTON.pressedPicture, 0, 0);
    bar_.CreateBar(BUTTON_BAR_POS.x, BUTTON_BAR_POS.y, BUTTON_WIDTH, BUTTON_HEIGHT, BUTTON_COUNT,
                   *window_, BAR_COMMANDS);
    bar_.SetButtonBitmaps(BarPictures(), 2);
    std::vector<std::string> names;
    for (const ButtonPictures& b : BAR_BUTTONS)
        names.emplace_back(b.label);
    bar_.SetButtonNames(names);
    // A click on the bar hides it before its command comes.
    bar_.OnClicked([this] { Run({.kind = WindowEvent::Kind::BarClicked}); });
    if (!bar_.HasWindow())
        return false;
    // From now on the game draws its own pointer.
    ShowSystemCursor(false);
    return true;
}

IoResult GameFrame::LoadAssets() {
    const IoResult loaded = zembro::LoadAssets(sprites_, buffer_, settings_);
    session_.KeepToPictures(static_cast<int>(sprites_.pieceSprites.size()));
    return loaded;
}

void GameFrame::ResetAndDeal() {
    session_.Deal(framework_.TimeMs());
}

void GameFrame::Show() {
    window_->Show();
}

void GameFrame::ShowSystemCursor(bool show) {
    session_.Frame().systemPointer = show;
    if (show == systemCursorShown_)
        return;
    systemCursorShown_ = show;
    framework_.ShowCursor(show);
}

void GameFrame::Tick() {
    const std::uint32_t now = framework_.TimeMs();
    if (session_.Tick(now) && window_)
        window_->Invalidate();
    // The watch over the game, in slices, for a few milliseconds of each display refresh.
    while (session_.Think() && framework_.TimeMs() - now < WATCH_MS_PER_TICK) {
    }
    if (window_ && session_.TakeLoss())
        window_->PostCommand(CMD_LOST);
}

void GameFrame::OnPaint() {
    PaintFrame(buffer_, sprites_, session_.Scene(), session_.View());
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
    case CMD_KEYS:
        Tell(KEYS_TEXT);
        break;
    case CMD_HINTED:
        Tell(HINTED_TEXT);
        break;
    case CMD_LOST:
        Tell(LOST_TEXT);
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

void GameFrame::OnMinimize() {
    Run({.kind = WindowEvent::Kind::Minimise});
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

void GameFrame::OnAbout() {
    PrepareForDialog();
    platform::DialogHandler standard;
    framework_.RunDialog(window_.get(), AboutTemplate(), standard);
    ReturnFromDialog();
}

void GameFrame::Tell(const std::string& text) {
    PrepareForDialog();
    framework_.MessageBox(window_.get(), text, "Zembro", platform::MessageIcon::Information,
                          platform::MessageButtons::Ok);
    ReturnFromDialog();
}

void GameFrame::OnOptions() {
    PrepareForDialog();
    RunOptions(framework_, window_.get(), settings_, runFolder_, RunFile(OPTIONS_FILE_NAME));
    ReturnFromDialog();
}

void GameFrame::OnRanking() {
    PrepareForDialog();
    ShowRanking(framework_, window_.get(), RunFile(SCORE_FILE_NAME));
    ReturnFromDialog();
}

void GameFrame::OnEndGame() {
    PrepareForDialog();
    const GameState& game = session_.Game();
    const bool won = game.piecesLeft == 0;
    const bool leave = AskAtTheEnd(framework_, window_.get(), game);
    if (won && session_.Hinted())
        framework_.MessageBox(window_.get(), HINTED_WIN_TEXT, "Zembro",
                              platform::MessageIcon::Information, platform::MessageButtons::Ok);
    else if (won)
        OfferRecord(framework_, window_.get(), RunFile(SCORE_FILE_NAME), game, settings_);
    ReturnFromDialog();
    if (leave) {
        // The player leaves: nothing of the game is touched any more.
        window_->Destroy();
        framework_.Quit(0);
        return;
    }
    if (won)
        OnNewGame();
}

} // namespace zembro
