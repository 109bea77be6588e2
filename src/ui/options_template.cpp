// Template 121: the options dialog's controls, ids, texts and groups.
#include "ui/dialog_templates.h"
#include "ui/options_dialog.h"

namespace zembro {

using namespace platform;

const DialogTemplate& OptionsTemplate() {
    static const DialogTemplate options{
        .id = DIALOG_OPTIONS,
        .title = "Opzioni :",
        .width = 327,
        .height = 153,
        .controls = {
            DefaultButton(1, "OK", {211, 132, 50, 14}),
            Button(2, "Cancel", {269, 132, 50, 14}),
            Group("Spostamento :", {7, 50, 87, 38}),
            StartsGroup(Radio(ID_HOLD_TO_DRAG, "Premi - Rilascia", {17, 61, 68, 10})),
            Radio(ID_CLICK_AND_CLICK, "Premi - Premi", {17, 74, 61, 10}),
            Group("Inserimento :", {107, 6, 87, 38}),
            StartsGroup(Radio(ID_CONTROLLED, "Controllato", {119, 16, 53, 10})),
            Radio(ID_RANDOM_INSERTION, "Random", {119, 29, 67, 10}),
            Group("Celle vuote :", {7, 98, 87, 38}),
            StartsGroup(Radio(ID_FIXED_EMPTY, "Fisse", {17, 109, 68, 10})),
            Radio(ID_RANDOM_EMPTY, "Random", {17, 122, 61, 10}),
            Group("Selezione :", {8, 5, 87, 38}),
            StartsGroup(Radio(ID_PERSISTENT, "Persistente", {19, 15, 53, 10})),
            Radio(ID_NOT_PERSISTENT, "Non Persistente", {19, 28, 67, 10}),
            Group("Percorso :", {107, 50, 87, 38}),
            StartsGroup(Radio(ID_PATH_COMPLETE, "Completo", {116, 61, 53, 10})),
            Radio(ID_PATH_TWO_COLOURS, "Completo / Parziale", {116, 73, 74, 10}),
            Group("Penalitá :", {106, 98, 86, 38}),
            Check(ID_PENALTY_ON, "Abilita /", {111, 108, 38, 10}),
            Named("Pedine fisse", DigitsOnly(Edit(ID_FIXED_CELLS, {229, 55, 20, 12}))),
            Label("Sec. :", {135, 123, 21, 9}),
            Group("Pedine :", {204, 5, 110, 68}),
            Label("Numero Pedine :", {211, 18, 53, 12}),
            Named("Numero pedine", Edit(ID_KINDS, {267, 15, 16, 12})),
            Disabled(Button(ID_NEW, "New", {286, 50, 23, 20})),
            Label("Pedine Fisse :", {210, 40, 49, 9}),
            Button(ID_LOAD, "Carica", {210, 98, 41, 20}),
            Button(ID_SAVE, "Salva", {257, 98, 50, 20}),
            Group("Personalizza :", {204, 81, 110, 43}),
            Named("Pedine fisse", Arrows(ID_FIXED_ARROWS, ID_FIXED_CELLS, 252, 52)),
            Group("", {204, 29, 64, 44}),
            Named("Secondi di penalità", DigitsOnly(Edit(ID_PENALTY_SECONDS, {156, 121, 20, 12}))),
            Named("Secondi di penalità", Arrows(ID_PENALTY_ARROWS, ID_PENALTY_SECONDS, 179, 118)),
            Named("Numero pedine", Arrows(ID_KINDS_ARROWS, ID_KINDS, 285, 15)),
            Label("Gruppo :", {271, 40, 31, 9}),
            Check(ID_PENALTY_FULL, "Full", {151, 108, 23, 9}),
        }};
    return options;
}

} // namespace zembro
