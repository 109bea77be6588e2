// The dialogs over the in-memory framework: options, ranking, new record, the end of a game.
#include "frame_fixture.h"
#include "store/options_file.h"
#include "store/score_file.h"
#include "ui/dialog_templates.h"
#include "ui/new_record_dialog.h"
#include "ui/options_dialog.h"
#include "ui/ranking_dialog.h"

#include "board_rows.h"

namespace zembro {
namespace {

using platform::Answer;
using platform::DialogHandler;
using platform::HeadlessDialog;
using test::FrameTest;

ScoreRecord Stored(const std::string& name, int seconds, int moves, int penalty) {
    std::tm when{};
    when.tm_mday = 7;
    when.tm_mon = 2;
    when.tm_year = 101;
    when.tm_hour = 9;
    when.tm_min = 5;
    OptionValues settings;
    settings.penalty = penalty;
    settings.kindsUsed = 20;
    settings.fixedCells = 3;
    return MakeRecord(name, seconds, moves, when, settings);
}

// --- The frame's commands around the dialogs. ---

class Dialogs : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        WriteOptions("Immagini Contatori 33 1 0 0 0 1 148 30 32");
        ASSERT_TRUE(Start());
        framework_.dialogsRun.clear();
    }
    // Runs the options dialog with a script, then reads back what Option.opt holds.
    OptionValues Options(const platform::DialogScript& script) {
        framework_.dialogScripts[DIALOG_OPTIONS] = script;
        Frame().OnCommand(CMD_OPTIONS);
        OptionValues written;
        ReadOptions((folder_ / "Option.opt").string(), written);
        return written;
    }
    static void Ok(HeadlessDialog& d, DialogHandler& h) { h.OnCommand(1, d); }
};

TEST_F(Dialogs, OptionsShowTheFileAndOkWritesItBack) {
    const OptionValues written = Options([](HeadlessDialog& d, DialogHandler& h) {
        EXPECT_TRUE(d.IsChecked(ID_PENALTY_ON));
        EXPECT_TRUE(d.IsChecked(ID_PENALTY_FULL));
        EXPECT_EQ(d.Text(ID_PENALTY_SECONDS), " 20");
        EXPECT_EQ(d.Text(ID_FIXED_CELLS), " 30");
        EXPECT_TRUE(d.IsChecked(ID_CONTROLLED));
        EXPECT_TRUE(d.IsChecked(ID_PATH_TWO_COLOURS));
        EXPECT_FALSE(d.IsEnabled(ID_NEW));
        Ok(d, h);
    });
    EXPECT_EQ(written.penalty, 148);
    EXPECT_EQ(written.kindsUsed, 32);
    EXPECT_EQ(written.directory1, "Immagini") << "passed through unchanged";
}

TEST_F(Dialogs, ArrowsStepWithinTheirLimits) {
    const OptionValues written = Options([](HeadlessDialog& d, DialogHandler& h) {
        h.OnUpDown(ID_FIXED_ARROWS, -1, d); // up at 30 stays
        EXPECT_EQ(d.Text(ID_FIXED_CELLS), " 30");
        h.OnUpDown(ID_KINDS_ARROWS, -1, d); // up at NumMaxPedine - 1 stays
        EXPECT_EQ(d.Text(ID_KINDS), " 32");
        h.OnUpDown(ID_KINDS_ARROWS, 1, d);
        EXPECT_EQ(d.Text(ID_KINDS), " 31");
        for (int step = 0; step < 31; ++step) // down to 0, and no further
            h.OnUpDown(ID_FIXED_ARROWS, 1, d);
        EXPECT_EQ(d.Text(ID_FIXED_CELLS), "  0");
        h.OnUpDown(ID_FIXED_ARROWS, -1, d);
        d.SetText(ID_FIXED_CELLS, "7"); // typed text is replaced by the next step
        h.OnUpDown(ID_FIXED_ARROWS, -1, d);
        EXPECT_EQ(d.Text(ID_FIXED_CELLS), "  2");
        d.SetChecked(ID_PENALTY_ON, false);
        h.OnCommand(ID_PENALTY_ON, d);
        EXPECT_FALSE(d.IsEnabled(ID_PENALTY_SECONDS));
        h.OnUpDown(ID_PENALTY_ARROWS, -1, d); // off: nothing changes
        EXPECT_EQ(d.Text(ID_PENALTY_SECONDS), " 20");
        Ok(d, h);
    });
    EXPECT_EQ(written.kindsUsed, 31);
    EXPECT_EQ(written.fixedCells, 2);
    EXPECT_EQ(written.penalty, 0) << "the penalty box is off";
}

TEST_F(Dialogs, HoldingToDragForcesReselection) {
    const OptionValues written = Options([](HeadlessDialog& d, DialogHandler& h) {
        d.SetChecked(ID_HOLD_TO_DRAG, true);
        h.OnCommand(ID_HOLD_TO_DRAG, d);
        EXPECT_FALSE(d.IsEnabled(ID_PERSISTENT));
        EXPECT_TRUE(d.IsChecked(ID_NOT_PERSISTENT));
        d.SetChecked(ID_CLICK_AND_CLICK, true);
        h.OnCommand(ID_CLICK_AND_CLICK, d);
        EXPECT_TRUE(d.IsEnabled(ID_PERSISTENT));
        EXPECT_TRUE(d.IsChecked(ID_NOT_PERSISTENT)) << "stays selected";
        d.SetChecked(ID_HOLD_TO_DRAG, true);
        h.OnCommand(ID_HOLD_TO_DRAG, d);
        Ok(d, h);
    });
    EXPECT_EQ(written.holdToDrag, 1);
    EXPECT_EQ(written.reselectAfterMove, 1);
    EXPECT_EQ(app_->Settings().holdToDrag, 1) << "the game read the file again";
}

TEST_F(Dialogs, CaricaLoadsOtherFilesAndCancelWritesNothing) {
    std::ofstream(folder_ / "none.opt") << "A B 33 0 0 0 0 0 0 5 10";
    std::ofstream(folder_ / "twenty.opt") << "A B 33 0 0 0 0 0 20 5 10";
    std::ofstream(folder_ / "garbage.opt") << "garbage here\n";
    std::ofstream(folder_ / "short.opt") << "A B 33 0 0 0 0 0 20 5";
    framework_.fileAnswers = {(folder_ / "garbage.opt").string(), (folder_ / "short.opt").string(),
                              (folder_ / "none.opt").string(), (folder_ / "twenty.opt").string(),
                              ""};
    const std::string before = [&] {
        std::ifstream in(folder_ / "Option.opt");
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }();
    Options([&](HeadlessDialog& d, DialogHandler& h) {
        // Files that are no settings files: refused with the reason, the controls unchanged.
        const std::string kinds = d.Text(ID_KINDS), pictures = d.Text(ID_FIXED_CELLS);
        for (const char* name : {"garbage.opt", "short.opt"}) {
            framework_.messages.clear();
            h.OnCommand(ID_LOAD, d);
            ASSERT_EQ(framework_.messages.size(), 1u);
            EXPECT_EQ(framework_.messages[0].text, "Le opzioni non sono state caricate da " +
                                                       (folder_ / name).string() +
                                                       ":\nil contenuto non è valido");
            EXPECT_EQ(d.Text(ID_KINDS), kinds);
            EXPECT_EQ(d.Text(ID_FIXED_CELLS), pictures);
        }
        h.OnCommand(ID_LOAD, d);
        EXPECT_FALSE(d.IsChecked(ID_PENALTY_ON));
        EXPECT_FALSE(d.IsEnabled(ID_PENALTY_SECONDS));
        EXPECT_FALSE(d.IsEnabled(ID_PENALTY_FULL));
        h.OnCommand(ID_LOAD, d);
        EXPECT_TRUE(d.IsChecked(ID_PENALTY_ON));
        EXPECT_TRUE(d.IsEnabled(ID_PENALTY_SECONDS));
        EXPECT_TRUE(d.IsEnabled(ID_PENALTY_FULL));
        EXPECT_FALSE(d.IsChecked(ID_PENALTY_FULL));
        h.OnCommand(ID_LOAD, d); // cancelled: nothing changes
        EXPECT_EQ(d.Text(ID_PENALTY_SECONDS), " 20");
        h.OnCommand(2, d);
    });
    std::ifstream in(folder_ / "Option.opt");
    std::ostringstream after;
    after << in.rdbuf();
    EXPECT_EQ(after.str(), before);
    ASSERT_EQ(framework_.fileRequests.size(), 5u);
    EXPECT_EQ(framework_.fileRequests[0].filterName, "File di Opzioni");
    EXPECT_EQ(framework_.fileRequests[0].defaultExtension, "opt");
}

TEST_F(Dialogs, SalvaWritesTheControlsToAnotherFile) {
    framework_.fileAnswers = {(folder_ / "saved.opt").string()};
    Options([](HeadlessDialog& d, DialogHandler& h) {
        d.SetText(ID_KINDS, "12");
        h.OnCommand(ID_SAVE, d);
        EXPECT_TRUE(d.IsChecked(ID_PENALTY_FULL)) << "Salva leaves the controls as they are";
        EXPECT_EQ(d.Text(ID_KINDS), "12");
        h.OnCommand(2, d);
    });
    OptionValues saved;
    ASSERT_TRUE(ReadOptions((folder_ / "saved.opt").string(), saved));
    EXPECT_EQ(saved.kindsUsed, 12);
    EXPECT_EQ(saved.penalty, 148);
}

TEST_F(Dialogs, SettingsThatCannotBeReadOrWrittenAreToldAndNeverShown) {
    // A missing file or a folder in its place: the dialog is not shown, the player is told.
    for (const bool folder : {false, true}) {
        framework_.messages.clear();
        std::filesystem::remove_all(folder_ / "Option.opt");
        if (folder)
            std::filesystem::create_directory(folder_ / "Option.opt");
        Frame().OnCommand(CMD_OPTIONS);
        EXPECT_TRUE(framework_.dialogsRun.empty());
        ASSERT_EQ(framework_.messages.size(), 1u);
        EXPECT_EQ(framework_.messages[0].caption, "Errore di caricamento");
        EXPECT_EQ(framework_.messages[0].text,
                  std::string("Le opzioni non sono state lette da Option.opt:\n") +
                      (folder ? "non è un file normale (è una cartella, una FIFO o un dispositivo)"
                              : "il file non esiste"));
    }
    // Carica, Salva and OK on files that cannot be read or written: each says so, and the
    // dialog goes on.
    std::filesystem::remove_all(folder_ / "Option.opt");
    WriteOptions("Immagini Contatori 33 1 0 0 0 1 148 30 32");
    framework_.messages.clear();
    const std::string nowhere = (folder_ / "no-such-folder" / "x.opt").string();
    framework_.fileAnswers = {nowhere, nowhere};
    OptionsDialog dialog(framework_, nullptr, nowhere);
    ASSERT_TRUE(ReadOptions((folder_ / "Option.opt").string(), dialog.copy));
    HeadlessDialog controls(OptionsTemplate());
    dialog.OnInitDialog(controls);
    dialog.OnCommand(ID_LOAD, controls);
    dialog.OnCommand(ID_SAVE, controls);
    dialog.OnCommand(1, controls);
    EXPECT_EQ(controls.Ended(), Answer::Ok) << "OK still closes the dialog";
    ASSERT_EQ(framework_.messages.size(), 3u);
    EXPECT_EQ(framework_.messages[0].caption, "Errore di caricamento");
    EXPECT_EQ(framework_.messages[0].text.rfind(
                  "Le opzioni non sono state caricate da " + nowhere + ":\n", 0),
              0u);
    for (const int i : {1, 2}) {
        EXPECT_EQ(framework_.messages[static_cast<std::size_t>(i)].caption,
                  "Errore di salvataggio");
        EXPECT_EQ(framework_.messages[static_cast<std::size_t>(i)].text,
                  "Le opzioni non sono state salvate in " + nowhere + ":\nil file non esiste");
    }
}

// Settings read again during the run may name more pictures than start-up loaded: the next
// deal keeps to the pictures there are.
TEST_F(Dialogs, ADealKeepsToThePicturesLoadedWhateverTheSettingsSayLater) {
    WriteOptions("Immagini Contatori 200 1 0 0 0 1 0 30 150");
    Options(Ok);
    ASSERT_EQ(app_->Settings().NumMaxPedine, 200) << "read again after OK";
    Frame().OnCommand(CMD_NEW_GAME);
    const GameState& g = Frame().Game();
    EXPECT_LE(g.fixedCode, 33);
    int highest = 0;
    for (int row = 1; row <= 8; ++row)
        for (int col = 1; col <= 8; ++col)
            highest = std::max<int>(highest, g.At(col, row));
    EXPECT_LE(highest, 33) << "no code without a picture";
    EXPECT_GE(highest, 20) << "yet every picture is used";
}

TEST_F(Dialogs, RankingShowsTheListOrSaysItCannot) {
    Frame().OnCommand(CMD_RANKING);
    ASSERT_EQ(framework_.messages.size(), 1u);
    EXPECT_EQ(framework_.messages[0].text, "Ci sono dei problemi\n nel caricare la classifica");
    EXPECT_EQ(framework_.messages[0].caption, "Errore di caricamento");
    EXPECT_TRUE(framework_.dialogsRun.empty());

    const std::string path = (folder_ / "Zembro.rec").string();
    for (const ScoreRecord& r :
         {Stored("Anna", 95, 40, 5), Stored("Bea", 99, 1, 0), Stored("Ciro", 120, 9, 148)})
        ASSERT_TRUE(InsertScore(path, r));
    framework_.dialogScripts[DIALOG_RANKING] = [](HeadlessDialog& d, DialogHandler& h) {
        EXPECT_EQ(d.Lines(ID_RANKING_LIST).size(), 3u);
        EXPECT_EQ(d.SelectedListLine(ID_RANKING_LIST), 0);
        EXPECT_EQ(d.Text(ID_RANKING_PENALTY), "05 Sec. ");
        d.SelectListLine(ID_RANKING_LIST, 2);
        h.OnSelectionChange(ID_RANKING_LIST, d);
        EXPECT_EQ(d.Text(ID_RANKING_PENALTY), "148 Sec. ");
        h.OnCommand(1, d);
    };
    Frame().OnCommand(CMD_RANKING);
    EXPECT_EQ(framework_.dialogsRun, std::vector<int>{DIALOG_RANKING});
}

// --- The end of a game. ---

class EndOfGame : public Dialogs {
  protected:
    // One pair left, side by side; removing it wins.
    void OnePairLeft() {
        GameState& g = Frame().Game();
        g.board = test::BoardWith(0, {{3, 4, 1}, {4, 4, 1}, {8, 8, 33}});
        g.fixedCode = 33;
        g.piecesLeft = 2;
        g.seconds = 77;
        g.moves = 300;
    }
    void WinByClicking() {
        for (const auto& [col, row] : {std::pair{3, 4}, {4, 4}}) {
            const ScenePoint at = CellMiddle(col, row);
            Move(at.x, at.y);
            Press(at.x, at.y);
            Release(at.x, at.y);
        }
    }
    std::string recordPath() const { return (folder_ / "Zembro.rec").string(); }
};

TEST_F(EndOfGame, WinningThenOkStoresTheNameAndQuits) {
    OnePairLeft();
    framework_.messageAnswers = {Answer::Ok};
    framework_.dialogScripts[DIALOG_NEW_RECORD] = [](HeadlessDialog& d, DialogHandler& h) {
        EXPECT_EQ(d.Text(ID_RECORD_RANK), "Posizione Num. : 1 / 15");
        d.SetText(ID_RECORD_NAME, "Anna");
        h.OnCommand(1, d);
    };
    WinByClicking();
    ASSERT_EQ(framework_.messages.size(), 1u);
    EXPECT_EQ(framework_.messages[0].text,
              "Hai finito il gioco in soli 77 secondi\n Vuoi uscire ?");
    EXPECT_EQ(framework_.messages[0].caption, "!You are the WINNER !");
    EXPECT_EQ(framework_.messages[0].icon, platform::MessageIcon::Information);
    EXPECT_EQ(framework_.messages[0].cursorCount, 0) << "answered with the system pointer";
    const Result<std::vector<ScoreRecord>> stored = LoadScores(recordPath());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->front().Name(), "Anna");
    EXPECT_EQ(stored->front().seconds, 77);
    EXPECT_EQ(stored->front().moves, 45) << "301 moves keep their low 8 bits";
    EXPECT_EQ(stored->front().penalty, 148);
    EXPECT_EQ(stored->front().day, 7);
    EXPECT_TRUE(framework_.quitRequested);
    EXPECT_FALSE(Window().Exists());
}

TEST_F(EndOfGame, AResultThatCannotBeStoredIsTold) {
    // A list that cannot be read: said at once, no name asked for.
    std::filesystem::create_directory(recordPath());
    OnePairLeft();
    framework_.messageAnswers = {Answer::Cancel};
    WinByClicking();
    EXPECT_TRUE(framework_.dialogsRun.empty());
    ASSERT_EQ(framework_.messages.size(), 2u);
    EXPECT_EQ(framework_.messages[1].caption, "Errore di salvataggio");
    EXPECT_EQ(framework_.messages[1].text.rfind("Il risultato non può entrare in classifica", 0),
              0u);

    // A list that goes while the name is typed: the record cannot be written, and is told.
    std::filesystem::remove(recordPath());
    framework_.messages.clear();
    OnePairLeft();
    framework_.messageAnswers = {Answer::Cancel};
    framework_.dialogScripts[DIALOG_NEW_RECORD] = [&](HeadlessDialog& d, DialogHandler& h) {
        std::filesystem::create_symlink("gone/Zembro.rec", recordPath());
        d.SetText(ID_RECORD_NAME, "Anna");
        h.OnCommand(1, d);
    };
    WinByClicking();
    ASSERT_EQ(framework_.messages.size(), 2u);
    EXPECT_EQ(framework_.messages[1].text,
              "Il risultato non è stato salvato in Zembro.rec:\nil file non esiste");
    EXPECT_FALSE(framework_.quitRequested) << "the game goes on";
    EXPECT_EQ(Frame().Game().moves, 0) << "Cancel then deals anew";
}

TEST_F(EndOfGame, GivingUpSaysHowManyPiecesWereLeft) {
    struct Case {
        int pieces;
        const char* text;
    };
    for (const Case c :
         {Case{40, "Avevi ancora 40 pedine"}, Case{32, "Avevi ancora 32 pedine"},
          Case{30, "Ti rimanevano solo 30 pedine"}, Case{2, "Ti rimanevano solo 2 pedine"}}) {
        framework_.messages.clear();
        Frame().Game().piecesLeft = c.pieces;
        const Board board = Frame().Game().board;
        framework_.messageAnswers = {Answer::Cancel};
        Frame().OnCommand(CMD_END_GAME);
        ASSERT_EQ(framework_.messages.size(), 1u);
        EXPECT_EQ(framework_.messages[0].text, c.text);
        EXPECT_EQ(framework_.messages[0].caption, "Peccato HAI PERSO");
        EXPECT_EQ(Frame().Game().board, board) << "Cancel goes back to the same game";
        EXPECT_TRUE(framework_.dialogsRun.empty());
    }
    framework_.messageAnswers = {Answer::Ok};
    Frame().OnCommand(CMD_END_GAME);
    EXPECT_TRUE(framework_.quitRequested);
}

TEST_F(EndOfGame, ABoardOfFixedCellsOnlyIsAWin) {
    Frame().Game().piecesLeft = 0;
    framework_.messageAnswers = {Answer::Cancel};
    framework_.dialogScripts[DIALOG_NEW_RECORD] = [](HeadlessDialog& d, DialogHandler& h) {
        h.OnCommand(2, d);
    };
    Frame().OnCommand(CMD_END_GAME);
    ASSERT_FALSE(framework_.messages.empty());
    EXPECT_EQ(framework_.messages[0].caption, "!You are the WINNER !");
}

} // namespace
} // namespace zembro
