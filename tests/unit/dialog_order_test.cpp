// The dialogs' reading order: column by column, top to bottom, a frame's contents after it row
// by row, a label before what it names.
#include "platform/dialog_order.h"
#include "ui/dialog_templates.h"
#include "ui/new_record_dialog.h"
#include "ui/options_dialog.h"
#include "ui/ranking_dialog.h"

#include <gtest/gtest.h>

namespace zembro::platform {
namespace {

// The controls in reading order, each as its text, else its id.
std::string Read(const DialogTemplate& dialog) {
    std::string read;
    for (const std::size_t i : ReadingOrder(dialog)) {
        const ControlTemplate& c = dialog.controls[i];
        read += (read.empty() ? "" : "|") + (c.text.empty() ? std::to_string(c.id) : c.text);
    }
    return read;
}

TEST(DialogOrder, ColumnsTopToBottomFramesThenTheirContents) {
    EXPECT_EQ(Read(NewRecordTemplate()), "Posizione in classifica :|Posizione Num. : 1 / 15|"
                                         "Inserire il Nome :|1020|OK|Cancel");
    EXPECT_EQ(Read(AboutTemplate()), "Zembro|un gioco di Marta Zembrini|-1|Version 1.00|"
                                     "e-mail :|zembro@example.org|OK");
    EXPECT_EQ(Read(RankingTemplate()),
              "1022|Dati:|Data Record :|01/12/2000 |Penalità :|20 Sec. |Ora Record :|01:23 |"
              "Pedine / Fisse :|32 |20 |OK");
    const DialogTemplate& options = OptionsTemplate();
    const std::vector<std::size_t> order = ReadingOrder(options);
    EXPECT_EQ(Read(options),
              "Selezione :|Persistente|Non Persistente|Spostamento :|Premi - Rilascia|"
              "Premi - Premi|Celle vuote :|Fisse|Random|Inserimento :|Controllato|Random|"
              "Percorso :|Completo|Completo / Parziale|Penalitá :|Abilita /|Full|Sec. :|1016|"
              "1017|Pedine :|Numero Pedine :|1012|1018|-1|Pedine Fisse :|1011|1015|Gruppo :|"
              "New|Personalizza :|Carica|Salva|OK|Cancel");
    // The labels name the edits they stand before.
    std::vector<int> named;
    for (const std::size_t i : order)
        if (const std::optional<std::size_t> target = LabelTarget(options, order, i))
            named.push_back(options.controls[*target].id);
    EXPECT_EQ(named, (std::vector<int>{1016, 1012, 1011}));
}

} // namespace
} // namespace zembro::platform
