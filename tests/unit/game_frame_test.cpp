// What only the game window and the application do, on the in-memory framework: start-up and its
// failures, window points made game points, outcomes made window calls, the tick, the dialogs,
// the settings read again, the ranking and the end of a game.
#include "app/game_app.h"
#include "app/session_texts.h"
#include "board_rows.h"
#include "platform/headless/headless_framework.h"
#include "store/score_file.h"
#include "temp_folder.h"
#include "ui/dialog_templates.h"
#include "ui/new_record_dialog.h"
#include "ui/ranking_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zembro {
namespace {

using platform::Answer;
using platform::HeadlessDialog;

class Frame : public testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy(ZEMBRO_RUN_DIR, folder_.Path(),
                              std::filesystem::copy_options::recursive);
        // One kind and the corners empty: every board is the same, whatever the clock.
        folder_.Write("Option.opt", "Immagini Contatori 33 1 0 0 0 1 148 0 1");
        framework_.currentDirectory = folder_.Path().string();
        framework_.now = 100000;
    }
    // Starts the program; the about dialog closes with OK.
    bool Start() {
        app_ = std::make_unique<GameApp>(framework_);
        return app_->InitInstance();
    }
    GameFrame& Game() { return *app_->Frame(); }
    platform::HeadlessFrame& Window() { return *framework_.frame; }
    // The window reports client points, 5 pixels left of the game's.
    void Click(int col, int row) {
        const ScenePoint p = CellMiddle(col, row);
        Game().OnMouseMove({p.x - 5, p.y});
        Game().OnLButtonDown({p.x - 5, p.y});
        Game().OnLButtonUp({p.x - 5, p.y});
    }
    std::string Told() const {
        std::string told;
        for (const platform::MessageRecord& m : framework_.messages)
            told += (told.empty() ? "" : " | ") + m.caption + ": " + m.text;
        return told;
    }
    std::string Records() const { return folder_ / "Zembro.rec"; }

    test::TempFolder folder_{"frame"};
    platform::HeadlessFramework framework_;
    std::unique_ptr<GameApp> app_;
};

TEST_F(Frame, StartUpShowsThePaintedGameAndTheAboutDialogOnce) {
    ASSERT_TRUE(Start());
    EXPECT_GE(Window().Presents(), 1);
    EXPECT_EQ(Window().WindowRect(), (platform::Rect{112, 87, 918, 693}));
    EXPECT_EQ(framework_.dialogsRun, std::vector<int>{DIALOG_ABOUT});
    EXPECT_EQ(Told(), "");
    EXPECT_EQ(Game().Session().Game().piecesLeft, 62);
    // Hidden at window creation, shown around the about dialog, hidden after it.
    EXPECT_EQ(framework_.cursorCalls, (std::vector<int>{-1, 1, -1}));
    EXPECT_EQ(app_->Settings().directory1, folder_.Path().string() + "/Immagini");
    framework_.screen = {800, 600};
    ASSERT_TRUE(Start());
    EXPECT_EQ(Window().WindowRect(), (platform::Rect{0, 0, 800, 600}));
    EXPECT_FALSE(Window().Framed());
}

TEST_F(Frame, EveryStartUpFailureSaysWhatAndEnds) {
    const std::string window = "Errore: Ho problemi nel creare la finiestra di Gioco";
    const std::string resources = "Errore: Errore nel caricamento delle risorse";
    const std::pair<std::function<void()>, std::string> cases[] = {
        // 24 and 32 bits count as 16; less than 15 is refused before the game starts.
        {[&] {
             framework_.bitsPerPixel = 15;
             framework_.messageAnswers = {Answer::Cancel};
         },
         "Attenzione: Il programma è studiato per 65K Colori | " + window},
        {[&] { framework_.frameFails = true; }, window},
        {[&] { framework_.buttonsFail = true; }, window},
        {[&] { std::filesystem::remove(folder_ / "Option.opt"); }, resources},
        {[&] { std::filesystem::remove(folder_ / "Immagini/Mouse1.bmp"); }, resources},
    };
    for (const auto& [arrange, told] : cases) {
        framework_ = platform::HeadlessFramework{};
        framework_.currentDirectory = folder_.Path().string();
        folder_.Write("Option.opt", "Immagini Contatori 33 1 0 0 0 1 148 0 1");
        arrange();
        EXPECT_FALSE(Start()) << told;
        EXPECT_EQ(Told(), told);
        EXPECT_TRUE(framework_.dialogsRun.empty()) << told;
        EXPECT_EQ(framework_.messages.back().cursorCount, 0) << "answered with the system pointer";
        std::filesystem::copy(ZEMBRO_RUN_DIR, folder_.Path(),
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::skip_existing);
    }
}

// What the window system reports reaches the session as game points at every scale: a click
// selects the cell where it is drawn, a press on the grip drags and one beside it does not; the
// session's outcomes become window calls: the bar and its posted commands, minimising, the kept
// choice of shapes.
TEST_F(Frame, TheWindowsEventsAndTheSessionsOutcomes) {
    for (const int scale : {2, 1}) {
        framework_.scale = scale;
        ASSERT_TRUE(Start());
        // A game point's last device pixel: the framed window at (112, 87), its client area 3
        // pixels in, the game 5 pixels right of the client.
        const auto device = [scale](ScenePoint p) {
            return platform::Point{(115 + p.x - 5) * scale + scale - 1, (90 + p.y) * scale};
        };
        const ScenePoint cell = CellMiddle(2, 1);
        Window().PointerAt(device(cell));
        Window().LeftPress(device(cell));
        Window().LeftRelease(device(cell));
        EXPECT_EQ(Game().Session().Pointer().selected, (Cell{2, 1})) << "scale " << scale;
        const FrameState& frame = Game().Session().Frame();
        Window().PointerAt(device({772, 22}));
        EXPECT_EQ(frame.mouseX, 772) << "over the grip";
        Window().LeftPress(device({772, 22}));
        EXPECT_NE(frame.stateBits & STATE_CAPTION_PRESSED, 0u) << "the grip drags";
        Window().LeftRelease(device({772, 22}));
        EXPECT_EQ(frame.stateBits & STATE_CAPTION_PRESSED, 0u);
        Window().LeftPress(device({771, 22}));
        EXPECT_EQ(frame.stateBits & STATE_CAPTION_PRESSED, 0u) << "left of the grip";
    }
    framework_.preferences["pathShapes"] = true;
    ASSERT_TRUE(Start());
    Game().OnLButtonDown({747 - 5, 11}); // MENU
    ASSERT_TRUE(Game().Bar().Visible());
    EXPECT_TRUE(Game().Session().Frame().systemPointer);
    const int invalidations = Window().Invalidations();
    framework_.buttons->Click(0); // Resetta
    EXPECT_FALSE(Game().Bar().Visible());
    EXPECT_FALSE(Game().Session().Frame().barShown) << "the session knows the bar hid itself";
    EXPECT_EQ(Window().Invalidations(), invalidations + 1);
    EXPECT_EQ(Window().Posted(), std::vector<int>{CMD_NEW_GAME}) << "queued, not run yet";
    Window().RunPosted();
    EXPECT_TRUE(Game().Session().Scene().fullRedraw);
    EXPECT_FALSE(Game().Session().Frame().systemPointer);
    EXPECT_EQ(framework_.buttons->Images(2), (std::pair<int, int>{126, 127}));

    Game().OnKeyDown(platform::Key::Shapes);
    EXPECT_FALSE(framework_.preferences["pathShapes"]) << "read at start, turned off";
    Game().OnActivate(false);
    EXPECT_NE(Game().Session().Frame().stateBits & STATE_INACTIVE, 0u);
    Game().OnActivate(true);
    EXPECT_EQ(Game().Session().Frame().stateBits & STATE_INACTIVE, 0u);
    Game().OnCommand(CMD_MINIMIZE);
    EXPECT_TRUE(Window().Minimized());
}

// After OK the settings are read again; a deal keeps to the pictures loaded at start.
TEST_F(Frame, TheOptionsAreReadAgainAndTheDealKeepsToThePictures) {
    ASSERT_TRUE(Start());
    folder_.Write("Option.opt", "Immagini Contatori 200 1 0 0 1 1 0 30 150");
    framework_.dialogScripts[DIALOG_OPTIONS] = [](HeadlessDialog& d, platform::DialogHandler& h) {
        h.OnCommand(1, d);
    };
    Game().OnCommand(CMD_OPTIONS);
    ASSERT_EQ(app_->Settings().NumMaxPedine, 200);
    EXPECT_EQ(app_->Settings().holdToDrag, 1);
    Game().OnCommand(CMD_NEW_GAME);
    const GameState& g = Game().Session().Game();
    EXPECT_EQ(g.fixedCode, 33);
    const int highest = *std::max_element(g.board.begin(), g.board.end());
    EXPECT_LE(highest, 33) << "no code without a picture";
    EXPECT_GE(highest, 20) << "yet every picture is used";
    // A file that stops early (a folder name too long, a word for a number): OK fills what it
    // does not give from the settings in force, so the next start takes what it writes. Text
    // written over the file names other folders: the settings in force are shown, and said.
    OptionValues inForce, written;
    ASSERT_TRUE(ReadOptions(folder_.Write("force.opt", "Immagini Contatori 200 1 0 0 1 1 0 30 150"),
                            inForce));
    for (const std::string& text :
         {std::string(300, 'x'), std::string("Immagini Contatori 200 1 0 0 1 1 0 x"),
          std::string("garbage here")}) {
        folder_.Write("Option.opt", text);
        framework_.messages.clear();
        Game().OnCommand(CMD_OPTIONS);
        const Result<OptionsRead> read = ReadOptions(folder_ / "Option.opt", written);
        EXPECT_TRUE(read && read->valuesRead == 11 && written == inForce) << text;
        EXPECT_EQ(framework_.messages.size(), text.starts_with("garbage") ? 1u : 0u);
    }
    // Settings that cannot be read are told, and never shown for OK to write back.
    framework_.messages.clear();
    std::filesystem::remove(folder_ / "Option.opt");
    std::filesystem::create_directory(folder_ / "Option.opt");
    framework_.dialogsRun.clear();
    Game().OnCommand(CMD_OPTIONS);
    EXPECT_TRUE(framework_.dialogsRun.empty());
    EXPECT_EQ(Told(), "Errore di caricamento: Le opzioni non sono state lette da " +
                          folder_ / "Option.opt" +
                          ":\nnon è un file normale (è una cartella, una FIFO o un dispositivo)");
}

TEST_F(Frame, TheRankingShowsTheListOrSaysItCannot) {
    ASSERT_TRUE(Start());
    Game().OnCommand(CMD_RANKING);
    EXPECT_EQ(Told(), "Errore di caricamento: Ci sono dei problemi\n nel caricare la classifica");
    OptionValues settings;
    for (const int penalty : {5, 0, 148}) {
        settings.penalty = penalty;
        ASSERT_TRUE(InsertScore(Records(), MakeRecord("p", 90 + penalty, 1, std::tm{}, settings)));
    }
    framework_.dialogsRun.clear();
    framework_.dialogScripts[DIALOG_RANKING] = [](HeadlessDialog& d, platform::DialogHandler& h) {
        EXPECT_EQ(d.Lines(ID_RANKING_LIST).size(), 3u);
        EXPECT_EQ(d.Text(ID_RANKING_PENALTY), "00 Sec. ");
        d.SelectListLine(ID_RANKING_LIST, 2);
        h.OnSelectionChange(ID_RANKING_LIST, d);
        EXPECT_EQ(d.Text(ID_RANKING_PENALTY), "148 Sec. ");
        h.OnCommand(1, d);
    };
    Game().OnCommand(CMD_RANKING);
    EXPECT_EQ(framework_.dialogsRun, std::vector<int>{DIALOG_RANKING});
}

class EndOfGame : public Frame {
  protected:
    void SetUp() override {
        Frame::SetUp();
        ASSERT_TRUE(Start());
        framework_.dialogsRun.clear();
    }
    // One pair left, side by side: clicking both wins, and the end of the game follows the
    // click, once it has been handled.
    void Win() {
        GameState& g = Game().Session().Game();
        g.board = test::BoardWith(0, {{3, 4, 1}, {4, 4, 1}, {8, 8, 33}});
        g.piecesLeft = 2;
        g.seconds = 77;
        g.moves = 300;
        Click(3, 4);
        Click(4, 4);
        EXPECT_TRUE(framework_.messages.empty());
        Window().RunPosted();
    }
};

TEST_F(EndOfGame, WinningThenOkStoresTheNameAndQuits) {
    framework_.messageAnswers = {Answer::Ok};
    framework_.dialogScripts[DIALOG_NEW_RECORD] = [](HeadlessDialog& d,
                                                     platform::DialogHandler& h) {
        EXPECT_EQ(d.Text(ID_RECORD_RANK), "Posizione Num. : 1 / 15");
        d.SetText(ID_RECORD_NAME, "Anna");
        h.OnCommand(1, d);
    };
    Win();
    EXPECT_EQ(Told(),
              "!You are the WINNER !: Hai finito il gioco in soli 77 secondi\n Vuoi uscire ?");
    EXPECT_EQ(framework_.messages[0].icon, platform::MessageIcon::Information);
    EXPECT_EQ(framework_.messages[0].cursorCount, 0) << "answered with the system pointer";
    const Result<std::vector<ScoreRecord>> stored = LoadScores(Records());
    ASSERT_TRUE(stored && !stored->empty());
    const ScoreRecord& r = stored->front();
    EXPECT_EQ(r.Name() + " " + std::to_string(r.seconds) + " " + std::to_string(r.moves) + " " +
                  std::to_string(r.penalty),
              "Anna 77 45 148")
        << "301 moves keep their low 8 bits";
    EXPECT_TRUE(framework_.quitRequested);
    EXPECT_FALSE(Window().Exists());
}

TEST_F(EndOfGame, AResultThatCannotBeStoredIsTold) {
    // A list that cannot be read: said at once, no name asked for; Cancel deals anew.
    std::filesystem::create_directory(Records());
    framework_.messageAnswers = {Answer::Cancel};
    Win();
    EXPECT_TRUE(framework_.dialogsRun.empty());
    ASSERT_EQ(framework_.messages.size(), 2u);
    EXPECT_EQ(framework_.messages[1].text.rfind("Il risultato non può entrare in classifica", 0),
              0u);
    EXPECT_EQ(Game().Session().Game().piecesLeft, 62);
#ifndef _WIN32 // symbolic links need rights a Windows player seldom has
    // Reached through a link: the message names the file the link leads to.
    std::filesystem::rename(Records(), folder_ / "scores.rec");
    std::filesystem::create_symlink("scores.rec", Records());
    framework_.messages.clear();
    framework_.messageAnswers = {Answer::Cancel};
    Win();
    EXPECT_EQ(framework_.messages.at(1).text,
              "Il risultato non può entrare in classifica: non riesco a leggere " +
                  folder_ / "scores.rec" +
                  ":\nnon è un file normale (è una cartella, una FIFO o un dispositivo)");
#endif
    // A list that goes while the name is typed.
    std::filesystem::remove(Records());
    framework_.messages.clear();
    framework_.messageAnswers = {Answer::Cancel};
    framework_.dialogScripts[DIALOG_NEW_RECORD] = [&](HeadlessDialog& d,
                                                      platform::DialogHandler& h) {
        std::filesystem::create_directory(Records());
        d.SetText(ID_RECORD_NAME, "Anna");
        h.OnCommand(1, d);
    };
    Win();
    EXPECT_EQ(framework_.messages.at(1).text,
              "Il risultato non è stato salvato in " + Records() +
                  ":\nnon è un file normale (è una cartella, una FIFO o un dispositivo)");
    EXPECT_FALSE(framework_.quitRequested);
    // A list that is not whole: the result is saved, and the kept copy named.
    std::filesystem::remove(Records());
    folder_.Write("Zembro.rec", "tail");
    framework_.messages.clear();
    framework_.messageAnswers = {Answer::Cancel};
    framework_.dialogScripts[DIALOG_NEW_RECORD] =
        [](HeadlessDialog& d, platform::DialogHandler& h) { h.OnCommand(1, d); };
    Win();
    EXPECT_EQ(framework_.messages.at(1).text,
              Records() + " non era una classifica intera:\nè stato conservato com'era in " +
                  Records() + "~,\ne i suoi record interi sono passati nella nuova classifica.");
}

// Giving up says how many pieces were left and goes back to the same game on Cancel; a board of
// fixed cells only is a win.
TEST_F(EndOfGame, GivingUpSaysHowManyPiecesWereLeft) {
    const std::pair<int, const char*> cases[] = {
        {32, "Peccato HAI PERSO: Avevi ancora 32 pedine"},
        {30, "Peccato HAI PERSO: Ti rimanevano solo 30 pedine"},
        {0, "!You are the WINNER !: Hai finito il gioco in soli 0 secondi\n Vuoi uscire ?"}};
    for (const auto& [pieces, told] : cases) {
        framework_.messages.clear();
        framework_.dialogsRun.clear();
        Game().Session().Game().piecesLeft = pieces;
        const Board board = Game().Session().Game().board;
        framework_.messageAnswers = {Answer::Cancel};
        Game().OnCommand(CMD_END_GAME);
        EXPECT_EQ(Told(), told);
        EXPECT_EQ(framework_.dialogsRun.size(), pieces == 0 ? 1u : 0u) << "a name only for a win";
        if (pieces > 0) {
            EXPECT_EQ(Game().Session().Game().board, board);
        }
    }
    framework_.messageAnswers = {Answer::Ok};
    Game().OnCommand(CMD_END_GAME);
    EXPECT_TRUE(framework_.quitRequested);
}

// What the session asks the window to tell: the keys, the first hint, a lost game (after an idle
// tick, once), and a hinted win, which is not ranked. The choice of winnable deals is kept.
TEST_F(EndOfGame, TheKeysAHintALostGameAndAHintedWinAreTold) {
    Game().OnKeyDown(platform::Key::KeysList);
    Game().OnKeyDown(platform::Key::Hint);
    Game().OnKeyDown(platform::Key::Hint); // the second hint says nothing more
    Window().RunPosted();
    GameSession& session = Game().Session();
    session.Game().board = test::BoardWith(0, {{1, 1, 1}, {2, 1, 33}, {1, 2, 33}, {5, 5, 1}});
    session.BoardChanged();
    session.Pointer().pressed = true;
    Game().Tick();
    EXPECT_TRUE(Window().Posted().empty()) << "not while a piece is held";
    session.Pointer().pressed = false;
    Game().Tick();
    Game().Tick(); // once
    Window().RunPosted();
    const std::string told = Told();
    framework_.messages.clear();
    framework_.messageAnswers = {Answer::Cancel};
    Win();
    EXPECT_EQ(told + " | " + Told(),
              std::string("Zembro: ") + KEYS_TEXT + " | Zembro: " + HINTED_TEXT +
                  " | Zembro: " + LOST_TEXT +
                  " | !You are the WINNER !: Hai finito il gioco in soli 77 secondi\n "
                  "Vuoi uscire ? | Zembro: " +
                  HINTED_WIN_TEXT);
    EXPECT_TRUE(framework_.dialogsRun.empty()) << "no name asked for";
    EXPECT_FALSE(std::filesystem::exists(Records()));
    Game().OnKeyDown(platform::Key::Winnable);
    EXPECT_TRUE(framework_.preferences["winnableDeals"]);
}

} // namespace
} // namespace zembro
