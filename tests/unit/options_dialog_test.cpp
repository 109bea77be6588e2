// The options dialog's handlers as a table of scripts: what the player reads, is told, and finds
// written.
#include "game/settings_schema.h"
#include "platform/headless/headless_framework.h"
#include "store/options_file.h"
#include "store/score_file.h"
#include "temp_folder.h"
#include "ui/dialog_templates.h"
#include "ui/options_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <sstream>

namespace zembro {
namespace {

using platform::HeadlessDialog;

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
            // Windows shows its paths with backslashes: one table for both.
            std::replace(text.begin(), text.end(), '\\', '/');
            std::string shortened = folder;
            std::replace(shortened.begin(), shortened.end(), '\\', '/');
            for (std::size_t at; (at = text.find(shortened)) != std::string::npos;)
                text.replace(at, shortened.size(), "~");
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
        {"tick hold, tick click, ok", "controlled reselect two penalty full -new [ 20| 30| 32] closed", "", "Option.opt",
         "Immagini Contatori 33 1 0 1 0 1 148 30 32"},
        {"tick hold, tick click, tick hold, ok", "controlled hold reselect two penalty full -persistent -new [ 20| 30| 32] closed",
         "", "Option.opt", "Immagini Contatori 33 1 0 1 1 1 148 30 32"},
        // Carica: a file that is no settings file changes nothing; the dialog shows a good one.
        {"load garbage.opt, load short.opt", shown,
         notLoaded + "garbage.opt:\nil contenuto non è valido | " + notLoaded + "short.opt:\nil contenuto non è valido",
         "Option.opt", start},
        {"load none.opt", "reselect full -seconds -full -new [0|  5| 10]", "", "Option.opt", start},
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
        if (!run.framework.fileRequests.empty()) {
            const platform::FileDialogRequest& r = run.framework.fileRequests.front();
            EXPECT_EQ(r.filterName + " " + r.filterPattern + " " + r.defaultExtension,
                      "File di Opzioni *.opt opt");
        }
    }
}

} // namespace
} // namespace zembro
