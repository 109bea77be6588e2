// Opzioni, the ranking, the end of a game and the new record, as the game window runs them.
#include "app/frame_dialogs.h"

#include "store/cp1252.h"
#include "store/options_file.h"
#include "store/regular_file.h"
#include "store/run_folder.h"
#include "store/score_file.h"
#include "ui/dialog_templates.h"
#include "ui/file_messages.h"
#include "ui/new_record_dialog.h"
#include "ui/options_dialog.h"
#include "ui/ranking_dialog.h"

#include <cstdio>

namespace zembro {

using platform::Answer;
using platform::MessageButtons;
using platform::MessageIcon;

void RunOptions(platform::Framework& framework, const platform::FrameWindow* owner,
                GameSettings& settings, const std::string& runFolder, const std::string& path) {
    OptionsDialog dialog(framework, owner, path);
    dialog.copy = settings;
    for (std::string* folder : {&dialog.copy.directory1, &dialog.copy.directory2})
        if (folder->starts_with(runFolder + "/"))
            folder->erase(0, runFolder.size() + 1);
    OptionValues fromFile = dialog.copy;
    if (const Result<OptionsRead> read = ReadOptions(path, fromFile); !read) {
        // Settings that could not be read are not shown, so that OK cannot write them back.
        TellFileFailure(framework, owner, "Errore di caricamento",
                        "Le opzioni non sono state lette da", path, read.Status());
        return;
    }
    // The pictures in use are known to load; other words read as folders (text written over
    // the file while the game ran) would stop the next start once OK wrote them back.
    if (fromFile.directory1 == dialog.copy.directory1 &&
        fromFile.directory2 == dialog.copy.directory2)
        dialog.copy = fromFile;
    else
        framework.MessageBox(owner,
                             ShownPath(path) +
                                 " nomina cartelle di immagini diverse da quelle in uso:\nle "
                                 "opzioni mostrate sono quelle in uso.",
                             "Opzioni", MessageIcon::Information, MessageButtons::Ok);
    if (framework.RunDialog(owner, OptionsTemplate(), dialog) == Answer::Ok) {
        ReadOptions(path, settings);
        PrefixFolders(settings, runFolder);
    }
}

void ShowRanking(platform::Framework& framework, const platform::FrameWindow* owner,
                 const std::string& path) {
    Result<std::vector<ScoreRecord>> records = LoadScores(path);
    if (!records) {
        framework.MessageBox(owner, "Ci sono dei problemi\n nel caricare la classifica",
                             "Errore di caricamento", MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    RankingDialog dialog(std::move(*records));
    framework.RunDialog(owner, RankingTemplate(), dialog);
}

bool AskAtTheEnd(platform::Framework& framework, const platform::FrameWindow* owner,
                 const GameState& game) {
    char text[128];
    if (game.piecesLeft != 0) {
        std::snprintf(text, sizeof text,
                      game.piecesLeft >= 32 ? "Avevi ancora %d pedine"
                                            : "Ti rimanevano solo %d pedine",
                      game.piecesLeft);
        return framework.MessageBox(owner, text, "Peccato HAI PERSO", MessageIcon::Exclamation,
                                    MessageButtons::OkCancel) == Answer::Ok;
    }
    std::snprintf(text, sizeof text, "Hai finito il gioco in soli %d secondi\n Vuoi uscire ?",
                  game.seconds);
    return framework.MessageBox(owner, text, "!You are the WINNER !", MessageIcon::Information,
                                MessageButtons::OkCancel) == Answer::Ok;
}

void OfferRecord(platform::Framework& framework, const platform::FrameWindow* owner,
                 const std::string& path, const GameState& game, const OptionValues& settings) {
    const Result<int> place = RankFor(path, StoredSeconds(game.seconds), StoredMoves(game.moves));
    if (!place) {
        // A list that cannot be read cannot take the result either: say so at once, before a
        // name is typed in vain.
        TellFileFailure(framework, owner, "Errore di salvataggio",
                        "Il risultato non può entrare in classifica: non riesco a leggere", path,
                        place.Status());
        return;
    }
    if (*place > MAX_SCORES)
        return;
    NewRecordDialog dialog;
    dialog.position = static_cast<std::uint8_t>(*place);
    dialog.total = MAX_SCORES;
    if (framework.RunDialog(owner, NewRecordTemplate(), dialog) != Answer::Ok)
        return;
    const ScoreRecord record = MakeRecord(Utf8ToCp1252(dialog.name), game.seconds, game.moves,
                                          framework.LocalTime(), settings);
    const Result<InsertedScore> inserted = InsertScore(path, record);
    if (!inserted)
        TellFileFailure(framework, owner, "Errore di salvataggio",
                        "Il risultato non è stato salvato in", path, inserted.Status());
    else if (!inserted->keptAs.empty())
        framework.MessageBox(owner,
                             ShownPath(path) +
                                 " non era una classifica intera:\nè stato conservato com'era in " +
                                 ShownPath(inserted->keptAs) +
                                 ",\ne i suoi record interi sono passati nella nuova classifica.",
                             "Classifica", MessageIcon::Information, MessageButtons::Ok);
}

} // namespace zembro
