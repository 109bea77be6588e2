// The new-record dialog: template 128 and its handlers.
#include "ui/new_record_dialog.h"

#include "ui/dialog_templates.h"

#include <cstdio>

namespace zembro {

using namespace platform;

const DialogTemplate& NewRecordTemplate() {
    static const DialogTemplate record{
        .id = DIALOG_NEW_RECORD,
        .title = "Nuovo Record... Vuoi inserirti in classifica ?",
        .width = 189,
        .height = 82,
        .controls = {
            DefaultButton(1, "OK", {132, 44, 50, 14}),
            Button(2, "Cancel", {132, 62, 50, 14}),
            Group("Inserire il Nome :", {7, 44, 115, 30}),
            Named("Nome", ScrollsAcross(Edit(ID_RECORD_NAME, {17, 57, 97, 12}))),
            Group("Posizione in classifica :", {7, 7, 175, 30}),
            Identified(ID_RECORD_RANK, Label("Posizione Num. : 1 / 15", {19, 19, 104, 10})),
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
