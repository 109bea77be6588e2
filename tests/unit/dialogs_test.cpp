// The dialogs: the options dialog's handlers as a table of scripts, then what the game window
// makes of the options, the ranking and the end of a game over the in-memory framework.
#include "frame_fixture.h"
#include "game/settings_schema.h"
#include "store/options_file.h"
#include "store/score_file.h"
#include "temp_folder.h"
#include "ui/dialog_templates.h"
#include "ui/new_record_dialog.h"
#include "ui/options_dialog.h"
#include "ui/ranking_dialog.h"

#include "board_rows.h"

#include <sstream>

namespace zembro {
namespace {

using platform::Answer;
using platform::DialogHandler;
using platform::HeadlessDialog;
using test::FrameTest;

// The file's first eleven words, as written (a flag of 2 is not read back as 1), or "unreadable".
std::string FileWords(const std::string& path) {
    if (!std::filesystem::is_regular_file(path))
        return "unreadable";
    std::istringstream in(test::TempFolder::Contents(path));
    std::string words, word;
    for (std::size_t n = 0; n < SETTING_FIELDS.size() && in >> word; ++n)
        words += (words.empty() ? "" : " ") + word;
    return words;
}

// What the player reads in the dialog: the ticked boxes, the greyed controls (with "-"), the three
// edits [seconds|fixed|kinds], and "closed" once it ended.
std::string Shown(const HeadlessDialog& d) {
    std::string words;
    const auto add = [&](const std::string& word) { words += (words.empty() ? "" : " ") + word; };
    const std::pair<int, const char*> boxes[] = {
        {ID_CONTROLLED, "controlled"}, {ID_RANDOM_EMPTY, "random-empty"},
        {ID_HOLD_TO_DRAG, "hold"},     {ID_NOT_PERSISTENT, "reselect"},
        {ID_PATH_TWO_COLOURS, "two"},  {ID_PENALTY_ON, "penalty"},
        {ID_PENALTY_FULL, "full"}};
    for (const auto& [id, name] : boxes)
        if (d.IsChecked(id))
            add(name);
    const std::pair<int, const char*> greyed[] = {{ID_PERSISTENT, "-persistent"},
                                                  {ID_PENALTY_SECONDS, "-seconds"},
                                                  {ID_PENALTY_FULL, "-full"},
                                                  {ID_NEW, "-new"}};
    for (const auto& [id, name] : greyed)
        if (!d.IsEnabled(id))
            add(name);
    add("[" + d.Text(ID_PENALTY_SECONDS) + "|" + d.Text(ID_FIXED_CELLS) + "|" + d.Text(ID_KINDS) +
        "]");
    return d.Ended() ? words + " closed" : words;
}

// Runs the options dialog on Option.opt with a comma-separated script: "tick NAME", "untick
// NAME" (the box, then its command), "up NAME [N]", "down NAME [N]" (its arrows), "type NAME
// TEXT", "load FILE", "save FILE" (answering the file dialog; "-" cancels), "block FILE" (a
// folder in its place), "ok", "cancel".
// NAME: hold, click, random (insertion), penalty, fixed, kinds, seconds.
struct OptionsRun {
    platform::HeadlessFramework framework;
    HeadlessDialog controls{OptionsTemplate()};

    void Run(const std::string& folder, const std::string& script) {
        const std::map<std::string, std::pair<int, int>> names = {
            {"hold", {ID_HOLD_TO_DRAG, 0}},
            {"random", {ID_RANDOM_INSERTION, 0}},
            {"click", {ID_CLICK_AND_CLICK, 0}},
            {"penalty", {ID_PENALTY_ON, 0}},
            {"fixed", {ID_FIXED_CELLS, ID_FIXED_ARROWS}},
            {"kinds", {ID_KINDS, ID_KINDS_ARROWS}},
            {"seconds", {ID_PENALTY_SECONDS, ID_PENALTY_ARROWS}}};
        OptionsDialog dialog(framework, nullptr, folder + "/Option.opt");
        ReadOptions(folder + "/Option.opt", dialog.copy);
        dialog.OnInitDialog(controls);
        std::istringstream items(script);
        for (std::string item; std::getline(items, item, ',');) {
            std::istringstream words(item);
            std::string verb, name, arg;
            words >> verb >> name >> arg;
            const auto [id, arrows] = names.contains(name) ? names.at(name) : std::pair{0, 0};
            if (verb == "tick" || verb == "untick") {
                controls.SetChecked(id, verb == "tick");
                dialog.OnCommand(id, controls);
            } else if (verb == "up" || verb == "down") {
                for (int n = arg.empty() ? 1 : std::stoi(arg); n > 0; --n)
                    dialog.OnUpDown(arrows, verb == "up" ? -1 : 1, controls);
            } else if (verb == "block") { // a folder where the file was
                std::filesystem::remove(folder + "/" + name);
                std::filesystem::create_directory(folder + "/" + name);
            } else if (verb == "type") {
                controls.SetText(id, arg);
            } else if (verb == "load" || verb == "save") {
                framework.fileAnswers = {name == "-" ? "" : folder + "/" + name};
                dialog.OnCommand(verb == "load" ? ID_LOAD : ID_SAVE, controls);
            } else {
                dialog.OnCommand(verb == "ok" ? 1 : 2, controls);
            }
        }
    }
    // The messages' texts, the folder's path shown as "~".
    std::string Told(const std::string& folder) const {
        std::string told;
        for (const platform::MessageRecord& m : framework.messages) {
            std::string text = m.caption + ": " + m.text;
            for (std::size_t at; (at = text.find(folder)) != std::string::npos;)
                text.replace(at, folder.size(), "~");
            told += (told.empty() ? "" : " | ") + text;
        }
        return told;
    }
};

TEST(OptionsDialog, ScriptsAsAPlayerSeesThem) {
    const std::string start = "Immagini Contatori 33 1 0 0 0 1 148 30 32";
    const std::string shown = "controlled two penalty full -new [ 20| 30| 32]";
    const std::string notLoaded = "Errore di caricamento: Le opzioni non sono state caricate da ~/";
    struct Case {
        const char* script;
        std::string shown, told;
        const char* file; // read after the script
        std::string words;
    };
    // clang-format off
    const Case cases[] = {
        {"ok", shown + " closed", "", "Option.opt", start},
        {"cancel", shown + " closed", "", "Option.opt", start},
        // The arrows stop at 30 fixed cells and at one kind fewer than the pictures, and at 0.
        {"up fixed, up kinds, down kinds, ok", "controlled two penalty full -new [ 20| 30| 31] closed", "", "Option.opt",
         "Immagini Contatori 33 1 0 0 0 1 148 30 31"},
        {"down fixed 31, up fixed, type fixed 7, up fixed, ok", "controlled two penalty full -new [ 20|  2| 32] closed", "",
         "Option.opt", "Immagini Contatori 33 1 0 0 0 1 148 2 32"},
        {"untick penalty, up seconds, ok", "controlled two full -seconds -full -new [ 20| 30| 32] closed", "", "Option.opt",
         "Immagini Contatori 33 1 0 0 0 1 0 30 32"},
        {"down seconds 25, up seconds, ok", "controlled two penalty full -new [  1| 30| 32] closed", "", "Option.opt",
         "Immagini Contatori 33 1 0 0 0 1 129 30 32"},
        // Holding to drag forces reselection, and click and click leaves it chosen.
        {"tick hold", "controlled hold reselect two penalty full -persistent -new [ 20| 30| 32]", "", "Option.opt", start},
        {"tick hold, tick click, ok", "controlled reselect two penalty full -new [ 20| 30| 32] closed", "", "Option.opt",
         "Immagini Contatori 33 1 0 1 0 1 148 30 32"},
        {"tick hold, tick click, tick hold, ok", "controlled hold reselect two penalty full -persistent -new [ 20| 30| 32] closed",
         "", "Option.opt", "Immagini Contatori 33 1 0 1 1 1 148 30 32"},
        // Carica: a file that is no settings file changes nothing; the dialog shows a good one.
        {"load garbage.opt, load short.opt", shown,
         notLoaded + "garbage.opt:\nil contenuto non è valido | " + notLoaded + "short.opt:\nil contenuto non è valido",
         "Option.opt", start},
        {"load none.opt", "reselect full -seconds -full -new [0|  5| 10]", "", "Option.opt", start},
        {"load twenty.opt, load -", "random-empty hold reselect penalty -persistent -new [ 20|  5| 10]", "", "Option.opt", start},
        {"load twenty.opt, ok", "random-empty hold reselect penalty -persistent -new [ 20|  5| 10] closed", "", "Option.opt", "Immagini Contatori 33 0 1 1 1 0 20 5 10"},
        {"tick random, ok", "two penalty full -new [ 20| 30| 32] closed", "", "Option.opt", "Immagini Contatori 33 0 0 0 0 1 148 30 32"},
        // Salva writes the controls elsewhere and leaves them as they are.
        {"type kinds 12, save saved.opt", "controlled two penalty full -new [ 20| 30|12]", "", "saved.opt",
         "Immagini Contatori 33 1 0 0 0 1 148 30 12"},
        {"save -, cancel", shown + " closed", "", "saved.opt", "unreadable"},
        // Files that cannot be read or written are told; OK still closes the dialog.
        {"load gone/x.opt, save gone/x.opt", shown,
         notLoaded + "gone/x.opt:\nil file non esiste | Errore di salvataggio: Le opzioni non sono state salvate in "
         "~/gone/x.opt:\nil file non esiste", "Option.opt", start},
        {"block Option.opt, ok", shown + " closed", "Errore di salvataggio: Le opzioni non sono state salvate in ~/Option.opt:\nnon è un file normale (è una cartella, una FIFO o un dispositivo)",
         "Option.opt", "unreadable"},
    };
    // clang-format on
    for (const Case& c : cases) {
        const test::TempFolder folder("options-dialog");
        folder.Write("Option.opt", start);
        folder.Write("none.opt", "A B 33 0 0 1 0 0 0 5 10");
        folder.Write("twenty.opt", "Immagini Contatori 33 0 1 0 1 0 20 5 10");
        folder.Write("garbage.opt", "garbage here\n");
        folder.Write("short.opt", "A B 33 0 0 0 0 0 20 5");
        OptionsRun run;
        run.Run(folder.Path().string(), c.script);
        EXPECT_EQ(Shown(run.controls), c.shown) << c.script;
        EXPECT_EQ(run.Told(folder.Path().string()), c.told) << c.script;
        EXPECT_EQ(FileWords(folder / c.file), c.words) << c.script;
        for (const platform::FileDialogRequest& r : run.framework.fileRequests)
            EXPECT_EQ(r.filterName + " " + r.defaultExtension, "File di Opzioni opt");
    }
}

// --- What the game window makes of them. ---

class Dialogs : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        WriteOptions("Immagini Contatori 33 1 0 0 0 1 148 30 32");
        ASSERT_TRUE(Start());
        framework_.dialogsRun.clear();
    }
    static void Ok(HeadlessDialog& d, DialogHandler& h) { h.OnCommand(1, d); }
};

// After OK the game reads the settings again; they may name more pictures than start-up
// loaded, and the next deal keeps to the pictures there are.
TEST_F(Dialogs, OkIsReadAgainAndADealKeepsToThePicturesLoaded) {
    WriteOptions("Immagini Contatori 200 1 0 0 1 1 0 30 150");
    framework_.dialogScripts[DIALOG_OPTIONS] = Ok;
    Frame().OnCommand(CMD_OPTIONS);
    ASSERT_EQ(app_->Settings().NumMaxPedine, 200);
    EXPECT_EQ(app_->Settings().holdToDrag, 1);
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

TEST_F(Dialogs, SettingsThatCannotBeReadAreToldAndNeverShown) {
    for (const bool folder : {false, true}) {
        framework_.messages.clear();
        std::filesystem::remove_all(folder_ / "Option.opt");
        if (folder)
            std::filesystem::create_directory(folder_ / "Option.opt");
        Frame().OnCommand(CMD_OPTIONS);
        EXPECT_TRUE(framework_.dialogsRun.empty());
        ASSERT_EQ(framework_.messages.size(), 1u);
        EXPECT_EQ(framework_.messages[0].caption + ": " + framework_.messages[0].text,
                  std::string("Errore di caricamento: Le opzioni non sono state lette da "
                              "Option.opt:\n") +
                      (folder ? "non è un file normale (è una cartella, una FIFO o un dispositivo)"
                              : "il file non esiste"));
    }
}

TEST_F(Dialogs, RankingShowsTheListOrSaysItCannot) {
    Frame().OnCommand(CMD_RANKING);
    ASSERT_EQ(framework_.messages.size(), 1u);
    EXPECT_EQ(framework_.messages[0].caption + ": " + framework_.messages[0].text,
              "Errore di caricamento: Ci sono dei problemi\n nel caricare la classifica");
    EXPECT_TRUE(framework_.dialogsRun.empty());

    std::tm when{};
    when.tm_mday = 7;
    OptionValues settings;
    for (const int penalty : {5, 0, 148}) {
        settings.penalty = penalty;
        ASSERT_TRUE(InsertScore((folder_ / "Zembro.rec").string(),
                                MakeRecord("p", 90 + penalty, 1, when, settings)));
    }
    framework_.dialogScripts[DIALOG_RANKING] = [](HeadlessDialog& d, DialogHandler& h) {
        EXPECT_EQ(d.Lines(ID_RANKING_LIST).size(), 3u);
        EXPECT_EQ(d.SelectedListLine(ID_RANKING_LIST), 0);
        EXPECT_EQ(d.Text(ID_RANKING_PENALTY), "00 Sec. ");
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
    // One pair left, side by side; clicking both wins.
    void WinByClicking() {
        GameState& g = Frame().Game();
        g.board = test::BoardWith(0, {{3, 4, 1}, {4, 4, 1}, {8, 8, 33}});
        g.fixedCode = 33;
        g.piecesLeft = 2;
        g.seconds = 77;
        g.moves = 300;
        for (const auto& [col, row] : {std::pair{3, 4}, {4, 4}}) {
            const ScenePoint at = CellMiddle(col, row);
            Move(at.x, at.y);
            Press(at.x, at.y);
            Release(at.x, at.y);
        }
    }
    std::string Told() const {
        std::string told;
        for (const platform::MessageRecord& m : framework_.messages)
            told += (told.empty() ? "" : " | ") + m.caption + ": " + m.text;
        return told;
    }
    std::string recordPath() const { return (folder_ / "Zembro.rec").string(); }
};

TEST_F(EndOfGame, WinningThenOkStoresTheNameAndQuits) {
    framework_.messageAnswers = {Answer::Ok};
    framework_.dialogScripts[DIALOG_NEW_RECORD] = [](HeadlessDialog& d, DialogHandler& h) {
        EXPECT_EQ(d.Text(ID_RECORD_RANK), "Posizione Num. : 1 / 15");
        d.SetText(ID_RECORD_NAME, "Anna");
        h.OnCommand(1, d);
    };
    WinByClicking();
    EXPECT_EQ(Told(),
              "!You are the WINNER !: Hai finito il gioco in soli 77 secondi\n Vuoi uscire ?");
    EXPECT_EQ(framework_.messages[0].icon, platform::MessageIcon::Information);
    EXPECT_EQ(framework_.messages[0].cursorCount, 0) << "answered with the system pointer";
    const Result<std::vector<ScoreRecord>> stored = LoadScores(recordPath());
    ASSERT_TRUE(stored);
    const ScoreRecord& r = stored->front();
    EXPECT_EQ(r.Name() + " " + std::to_string(r.seconds) + " " + std::to_string(r.moves) + " " +
                  std::to_string(r.penalty),
              "Anna 77 45 148")
        << "301 moves keep their low 8 bits";
    EXPECT_TRUE(framework_.quitRequested);
    EXPECT_FALSE(Window().Exists());
}

TEST_F(EndOfGame, AResultThatCannotBeStoredIsTold) {
    // A list that cannot be read: said at once, no name asked for.
    std::filesystem::create_directory(recordPath());
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

// Giving up says how many pieces were left; a board of fixed cells only is a win.
TEST_F(EndOfGame, GivingUpSaysHowManyPiecesWereLeft) {
    const std::pair<int, const char*> cases[] = {
        {40, "Peccato HAI PERSO: Avevi ancora 40 pedine"},
        {32, "Peccato HAI PERSO: Avevi ancora 32 pedine"},
        {30, "Peccato HAI PERSO: Ti rimanevano solo 30 pedine"},
        {2, "Peccato HAI PERSO: Ti rimanevano solo 2 pedine"},
        {0, "!You are the WINNER !: Hai finito il gioco in soli 0 secondi\n Vuoi uscire ?"}};
    framework_.dialogScripts[DIALOG_NEW_RECORD] = [](HeadlessDialog& d, DialogHandler& h) {
        h.OnCommand(2, d);
    };
    for (const auto& [pieces, told] : cases) {
        framework_.messages.clear();
        framework_.dialogsRun.clear();
        Frame().Game().piecesLeft = pieces;
        const Board board = Frame().Game().board;
        framework_.messageAnswers = {Answer::Cancel};
        Frame().OnCommand(CMD_END_GAME);
        EXPECT_EQ(Told(), told);
        EXPECT_EQ(framework_.dialogsRun.size(), pieces == 0 ? 1u : 0u) << "a name only for a win";
        if (pieces > 0) {
            EXPECT_EQ(Frame().Game().board, board) << "Cancel goes back to the same game";
        }
    }
    framework_.messageAnswers = {Answer::Ok};
    Frame().OnCommand(CMD_END_GAME);
    EXPECT_TRUE(framework_.quitRequested);
}

} // namespace
} // namespace zembro
