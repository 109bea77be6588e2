// The ranking dialog: template 129, its list and detail texts.
#include "ui/ranking_dialog.h"

#include "store/cp1252.h"
#include "ui/dialog_templates.h"

#include <cstdio>

namespace zembro {

std::string RankingLine(int index, const ScoreRecord& r) {
    char text[96];
    std::snprintf(text, sizeof text, "Pos. %02d:   Sec: %3d  Mosse: %3d     ", index + 1, r.seconds,
                  r.moves);
    return text + Cp1252ToUtf8(r.Name());
}

RankingDetails DetailsOf(const ScoreRecord& r) {
    char date[32], time[16], penalty[24], kinds[16], fixed[16];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d ", r.day, r.month, r.year + 1900);
    std::snprintf(time, sizeof time, "%02d:%02d", r.hour, r.minute);
    std::snprintf(penalty, sizeof penalty, "%02d Sec. ", r.penalty);
    std::snprintf(kinds, sizeof kinds, "%02d ", r.kindsUsed);
    std::snprintf(fixed, sizeof fixed, "%02d ", r.fixedCells);
    return {date, time, penalty, kinds, fixed};
}

const platform::DialogTemplate& RankingTemplate() {
    using namespace platform;
    // The details: right-aligned in boxes taller than their text, centred vertically on the
    // middle of the label beside them (a label at `labelY`, 10 units tall).
    auto detail = [](int id, const char* text, int x, int labelY, int width) {
        return Identified(
            id, CentredVertically(Label(text, {x, labelY - 4, width, 18}, TextAlign::Right)));
    };
    static const DialogTemplate ranking{
        .id = DIALOG_RANKING,
        .title = "Classifica",
        .width = 269,
        .height = 197,
        .controls = {
            DefaultButton(1, "OK", {110, 176, 50, 14}),
            Named("Risultati", List(ID_RANKING_LIST, {7, 7, 255, 89})),
            Group("Dati:", {7, 106, 246, 58}),
            Label("Data Record :", {17, 124, 47, 10}),
            detail(ID_RANKING_DATE, "01/12/2000 ", 69, 124, 53),
            Label("Ora Record :", {17, 145, 41, 10}),
            detail(ID_RANKING_TIME, "01:23 ", 69, 145, 53),
            Label("Penalità :", {157, 124, 33, 10}),
            detail(ID_RANKING_PENALTY, "20 Sec. ", 191, 124, 40),
            Label("Pedine / Fisse :", {138, 145, 50, 10}),
            detail(ID_RANKING_FIXED, "20 ", 214, 145, 18),
            detail(ID_RANKING_KINDS, "32 ", 191, 145, 18),
        }};
    return ranking;
}

void RankingDialog::ShowDetails(const ScoreRecord& record, platform::DialogControls& controls) {
    const RankingDetails d = DetailsOf(record);
    controls.SetText(ID_RANKING_DATE, d.date);
    controls.SetText(ID_RANKING_TIME, d.time);
    controls.SetText(ID_RANKING_PENALTY, d.penalty);
    controls.SetText(ID_RANKING_KINDS, d.kinds);
    controls.SetText(ID_RANKING_FIXED, d.fixed);
}

void RankingDialog::OnInitDialog(platform::DialogControls& controls) {
    controls.ClearList(ID_RANKING_LIST);
    for (std::size_t i = 0; i < records_.size(); ++i) {
        const int line = static_cast<int>(i);
        const RankingDetails d = DetailsOf(records_[i]);
        controls.AddListLine(ID_RANKING_LIST, RankingLine(line, records_[i]));
        const auto trim = [](std::string text) {
            return text.substr(0, text.find_last_not_of(' ') + 1);
        };
        controls.SpeakListLine(ID_RANKING_LIST, line,
                               trim(RankingLine(line, records_[i])) + ", data " + trim(d.date) +
                                   ", ora " + trim(d.time) + ", penalità " + trim(d.penalty) +
                                   ", pedine " + trim(d.kinds) + ", fisse " + trim(d.fixed));
    }
    if (!records_.empty())
        ShowDetails(records_.front(), controls);
    controls.SelectListLine(ID_RANKING_LIST, 0);
}

void RankingDialog::OnSelectionChange(int id, platform::DialogControls& controls) {
    if (id != ID_RANKING_LIST)
        return;
    const int index = controls.SelectedListLine(ID_RANKING_LIST);
    if (index >= 0 && static_cast<std::size_t>(index) < records_.size())
        ShowDetails(records_[static_cast<std::size_t>(index)], controls);
}

} // namespace zembro
