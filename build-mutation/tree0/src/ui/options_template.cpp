// Template 121: the options dialog's controls, ids, texts and groups.
#include "ui/dialog_templates.h"
#include "ui/options_dialog.h"

namespace zembro {

using platform::ControlKind;
using platform::ControlTemplate;

namespace {

ControlTemplate Radio(int id, const char* text, int x, int y, int w, bool groupStart) {
    return {.id = id,
            .kind = ControlKind::RadioButton,
            .text = text,
            .x = x,
            .y = y,
            .width = w,
            .height = 10,
            .groupStart = groupStart};
}
ControlTemplate Group(const char* text, int x, int y, int w, int h) {
    return {.kind = ControlKind::GroupBox, .text = text, .x = x, .y = y, .width = w, .height = h};
}
ControlTemplate Label(const char* text, int x, int y, int w, int h) {
    return {.kind = ControlKind::Static, .text = text, .x = x, .y = y, .width = w, .height = h};
}
ControlTemplate Arrows(int id, int x, int y) {
    return {.id = id, .kind = ControlKind::UpDown, .x = x, .y = y, .width = 11, .height = 16};
}

} // namespace

const platform::DialogTemplate& OptionsTemplate() {
    static const platform::DialogTemplate options{
        .id = DIALOG_OPTIONS,
        .title = "Opzioni :",
        .width = 327,
        .height = 153,
        .controls = {
            {.id = 1,
             .kind = ControlKind::DefaultPushButton,
             .text = "OK",
             .x = 211,
             .y = 132,
             .width = 50,
             .height = 14},
            {.id = 2,
             .kind = ControlKind::PushButton,
             .text = "Cancel",
             .x = 269,
             .y = 132,
             .width = 50,
             .height = 14},
            Group("Spostamento :", 7, 50, 87, 38),
            Radio(ID_HOLD_TO_DRAG, "Premi - Rilascia", 17, 61, 68, true),
            Radio(ID_CLICK_AND_CLICK, "Premi - Premi", 17, 74, 61, false),
            Group("Inserimento :", 107, 6, 87, 38),
            Radio(ID_CONTROLLED, "Controllato", 119, 16, 53, true),
            Radio(ID_RANDOM_INSERTION, "Random", 119, 29, 67, false),
            Group("Celle vuote :", 7, 98, 87, 38),
            Radio(ID_FIXED_EMPTY, "Fisse", 17, 109, 68, true),
            Radio(ID_RANDOM_EMPTY, "Random", 17, 122, 61, false),
            Group("Selezione :", 8, 5, 87, 38),
            Radio(ID_PERSISTENT, "Persistente", 19, 15, 53, true),
            Radio(ID_NOT_PERSISTENT, "Non Persistente", 19, 28, 67, false),
            Group("Percorso :", 107, 50, 87, 38),
            Radio(ID_PATH_COMPLETE, "Completo", 116, 61, 53, true),
            Radio(ID_PATH_TWO_COLOURS, "Completo / Parziale", 116, 73, 74, false),
            Group("Penalitá :", 106, 98, 86, 38),
            {.id = ID_PENALTY_ON,
             .kind = ControlKind::CheckBox,
             .text = "Abilita /",
             .x = 111,
             .y = 108,
             .width = 38,
             .height = 10},
            {.id = ID_FIXED_CELLS,
             .kind = ControlKind::Edit,
             .x = 229,
             .y = 55,
             .width = 20,
             .height = 12,
             .digitsOnly = true,
             .border = true},
            Label("Sec. :", 135, 123, 21, 9),
            Group("Pedine :", 204, 5, 110, 68),
            Label("Numero Pedine :", 211, 18, 53, 12),
            {.id = ID_KINDS,
             .kind = ControlKind::Edit,
             .x = 267,
             .y = 15,
             .width = 16,
             .height = 12,
             .border = true},
            {.id = ID_NEW,
             .kind = ControlKind::PushButton,
             .text = "New",
             .x = 286,
             .y = 50,
             .width = 23,
             .height = 20,
             .disabled = true},
            Label("Pedine Fisse :", 210, 40, 49, 9),
            {.id = ID_LOAD,
             .kind = ControlKind::PushButton,
             .text = "Carica",
             .x = 214,
             .y = 98,
             .width = 41,
             .height = 20},
            {.id = ID_SAVE,
             .kind = ControlKind::PushButton,
             .text = "Salva",
             .x = 255,
             .y = 98,
             .width = 50,
             .height = 20},
            Group("Personalizza :", 204, 81, 110, 43),
            Arrows(ID_FIXED_ARROWS, 252, 52),
            Group("", 204, 29, 64, 44),
            {.id = ID_PENALTY_SECONDS,
             .kind = ControlKind::Edit,
             .x = 156,
             .y = 121,
             .width = 20,
             .height = 12,
             .digitsOnly = true,
             .border = true},
            Arrows(ID_PENALTY_ARROWS, 179, 118),
            Arrows(ID_KINDS_ARROWS, 285, 15),
            Label("Gruppo :", 271, 40, 31, 9),
            {.id = ID_PENALTY_FULL,
             .kind = ControlKind::CheckBox,
             .text = "Full",
             .x = 151,
             .y = 108,
             .width = 23,
             .height = 9},
        }};
    return options;
}

} // namespace zembro
