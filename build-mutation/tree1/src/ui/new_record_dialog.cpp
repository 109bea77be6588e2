// The new-record dialog: template 128 and its handlers.
#include "ui/new_record_dialog.h"

#include "ui/dialog_templates.h"

#include <cstdio>

namespace zembro {

using platform::ControlKind;

const platform::DialogTemplate& NewRecordTemplate() {
    static const platform::DialogTemplate record{
        .id = DIALOG_NEW_RECORD,
        .title = "Nuovo Record... Vuoi inserirti in classifica ?",
        .width = 189,
        .height = 82,
        .controls = {
            {.id = 1,
             .kind = ControlKind::DefaultPushButton,
             .text = "OK",
             .x = 132,
             .y = 44,
             .width = 50,
             .height = 14},
            {.id = 2,
             .kind = ControlKind::PushButton,
             .text = "Cancel",
             .x = 132,
             .y = 62,
             .width = 50,
             .height = 14},
            {.kind = ControlKind::GroupBox,
             .text = "Inserire il Nome :",
             .x = 7,
             .y = 44,
             .width = 115,
             .height = 30},
            {.id = ID_RECORD_NAME,
             .kind = ControlKind::Edit,
             .x = 17,
             .y = 57,
             .width = 97,
             .height = 12,
             .scrollsAcross = true,
             .border = true},
            {.kind = ControlKind::GroupBox,
             .text = "Posizione in classifica :",
             .x = 7,
             .y = 7,
             .width = 175,
             .height = 30},
            {.id = ID_RECORD_RANK,
             .kind = ControlKind::Static,
             .text = "Posizione Num. : 1 / 15",
             .x = 19,
             .y = 19,
             .width = 104,
             .height = 10},
        }};
    return record;
}

void NewRecordDialog::OnInitDialog(platform::DialogControls& controls) {
    char rank[64];
    std::snprintf(rank, sizeof rank, "%s %d / %d", "Posizione Num. :", position, total);
    name.clear();
    controls.SetText(ID_RECORD_RANK, rank);
    controls.SetText(ID_RECORD_NAME, name);
}

void NewRecordDialog::OnOk(platform::DialogControls& controls) {
    name = controls.Text(ID_RECORD_NAME);
    controls.End(platform::Answer::Ok);
}

} // namespace zembro
