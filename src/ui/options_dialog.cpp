// The options dialog's handlers: initialisation, the movement rule, the arrows, reading the
// controls back, Carica and Salva.
#include "ui/options_dialog.h"

#include "store/decimal_text.h"
#include "store/options_file.h"
#include "ui/file_messages.h"

#include <cstdio>
#include <limits>

namespace zembro {
namespace {

std::string Padded(std::int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%3d", value);
    return text;
}

void CheckPair(platform::DialogControls& c, int whenSet, int whenClear, std::int32_t flag) {
    c.SetChecked(whenSet, flag != 0);
    c.SetChecked(whenClear, flag == 0);
}

platform::FileDialogRequest OptionsFileRequest(platform::FileDialogKind kind) {
    return {.kind = kind,
            .defaultExtension = "opt",
            .filterName = "File di Opzioni",
            .filterPattern = "*.opt",
            .askBeforeReplacing = true};
}

} // namespace

std::int32_t EditValue(const std::string& text) {
    const std::string_view head = std::string_view(text).substr(0, 9);
    std::size_t i = 0;
    while (i < head.size() && (head[i] == ' ' || head[i] == '\t'))
        ++i;
    // Nine characters stay far inside 32 bits; no digits read as 0.
    const std::optional<LeadingDecimal> number = ScanDecimal(head, i, INT32_MAX);
    return number ? static_cast<std::int32_t>(number->value) : 0;
}

void OptionsDialog::OnInitDialog(platform::DialogControls& c) {
    CheckPair(c, ID_CONTROLLED, ID_RANDOM_INSERTION, copy.controlledInsertion);
    CheckPair(c, ID_RANDOM_EMPTY, ID_FIXED_EMPTY, copy.randomEmptyCells);
    CheckPair(c, ID_NOT_PERSISTENT, ID_PERSISTENT, copy.reselectAfterMove);
    CheckPair(c, ID_HOLD_TO_DRAG, ID_CLICK_AND_CLICK, copy.holdToDrag);
    CheckPair(c, ID_PATH_TWO_COLOURS, ID_PATH_COMPLETE, copy.twoColourPath);
    c.SetText(ID_FIXED_CELLS, Padded(copy.fixedCells));
    c.SetText(ID_KINDS, Padded(copy.kindsUsed));
    if (copy.penalty != 0) {
        c.SetChecked(ID_PENALTY_FULL, (copy.penalty & PENALTY_FULL) != 0);
        c.SetChecked(ID_PENALTY_ON, true);
        // From now on Full lives in its check box; the copy keeps the seconds.
        copy.penalty &= PENALTY_SECONDS_MASK;
        c.SetText(ID_PENALTY_SECONDS, Padded(copy.penalty));
        c.SetEnabled(ID_PENALTY_SECONDS, true);
        c.SetEnabled(ID_PENALTY_FULL, true);
    } else {
        c.SetEnabled(ID_PENALTY_FULL, false);
        c.SetChecked(ID_PENALTY_ON, false);
        c.SetText(ID_PENALTY_SECONDS, "0");
        c.SetEnabled(ID_PENALTY_SECONDS, false);
    }
    ApplyMovementRule(c);
}

// Holding the button to drag needs a fresh selection after each move.
void OptionsDialog::ApplyMovementRule(platform::DialogControls& c) {
    if (c.IsChecked(ID_HOLD_TO_DRAG)) {
        c.SetEnabled(ID_PERSISTENT, false);
        c.SetChecked(ID_PERSISTENT, false);
        c.SetChecked(ID_NOT_PERSISTENT, true);
    } else {
        c.SetEnabled(ID_PERSISTENT, true);
    }
}

void OptionsDialog::OnCommand(int id, platform::DialogControls& c) {
    switch (id) {
    case ID_LOAD:
        Load(c);
        break;
    case ID_SAVE:
        Save(c);
        break;
    case ID_PENALTY_ON: {
        const bool on = c.IsChecked(ID_PENALTY_ON);
        c.SetEnabled(ID_PENALTY_SECONDS, on);
        c.SetEnabled(ID_PENALTY_FULL, on);
        break;
    }
    case ID_HOLD_TO_DRAG:
    case ID_CLICK_AND_CLICK:
        ApplyMovementRule(c);
        break;
    default:
        DialogHandler::OnCommand(id, c); // OK, Cancel; "New" does nothing
        break;
    }
}

void OptionsDialog::OnOk(platform::DialogControls& c) {
    WriteOptions(optionsPath_, c);
    c.End(platform::Answer::Ok);
}

void OptionsDialog::OnUpDown(int id, int delta, platform::DialogControls& c) {
    std::int32_t* value = nullptr;
    int edit = 0;
    std::int32_t maximum = std::numeric_limits<std::int32_t>::max();
    switch (id) {
    case ID_FIXED_ARROWS:
        value = &copy.fixedCells;
        edit = ID_FIXED_CELLS;
        maximum = MAX_FIXED_CELLS_STEPPED;
        break;
    case ID_KINDS_ARROWS:
        value = &copy.kindsUsed;
        edit = ID_KINDS;
        maximum = copy.NumMaxPedine > std::numeric_limits<std::int32_t>::min()
                      ? copy.NumMaxPedine - 1
                      : copy.NumMaxPedine;
        break;
    case ID_PENALTY_ARROWS:
        if (!c.IsChecked(ID_PENALTY_ON))
            return;
        value = &copy.penalty;
        edit = ID_PENALTY_SECONDS;
        break;
    default:
        return;
    }
    // The down arrow proposes a positive step and lowers the value, never below 0.
    if (delta > 0 && *value > 0)
        --*value;
    else if (delta < 0 && *value < maximum)
        ++*value;
    c.SetText(edit, Padded(*value));
}

OptionValues OptionsDialog::ReadControls(platform::DialogControls& c) {
    copy.controlledInsertion = c.IsChecked(ID_CONTROLLED) ? 1 : 0;
    copy.randomEmptyCells = c.IsChecked(ID_RANDOM_EMPTY) ? 1 : 0;
    copy.reselectAfterMove = c.IsChecked(ID_NOT_PERSISTENT) ? 1 : 0;
    copy.holdToDrag = c.IsChecked(ID_HOLD_TO_DRAG) ? 1 : 0;
    copy.twoColourPath = c.IsChecked(ID_PATH_TWO_COLOURS) ? 1 : 0;
    copy.fixedCells = EditValue(c.Text(ID_FIXED_CELLS));
    copy.kindsUsed = EditValue(c.Text(ID_KINDS));
    copy.penalty = c.IsChecked(ID_PENALTY_ON) ? EditValue(c.Text(ID_PENALTY_SECONDS)) : 0;
    // Full lives in its check box: the copy keeps the seconds the arrows step.
    OptionValues written = copy;
    if (c.IsChecked(ID_PENALTY_ON) && c.IsChecked(ID_PENALTY_FULL))
        written.penalty |= PENALTY_FULL;
    return written;
}

bool OptionsDialog::WriteOptions(const std::string& path, platform::DialogControls& c) {
    const IoResult written = zembro::WriteOptions(path, ReadControls(c));
    if (!written)
        TellFileFailure(framework_, owner_, "Errore di salvataggio",
                        "Le opzioni non sono state salvate in", path, written);
    return static_cast<bool>(written);
}

void OptionsDialog::Load(platform::DialogControls& c) {
    const std::string path =
        framework_.FileDialog(owner_, OptionsFileRequest(platform::FileDialogKind::Open));
    if (path.empty())
        return;
    // Read aside: a file that is no settings file (its reading stops before the last value)
    // leaves the dialog as it was, so that OK cannot write its words back as folder names.
    OptionValues loaded = copy;
    const Result<OptionsRead> read = ReadOptions(path, loaded);
    if (!read || read->valuesRead < OPTION_VALUE_COUNT) {
        TellFileFailure(framework_, owner_, "Errore di caricamento",
                        "Le opzioni non sono state caricate da", path,
                        read ? IoResult::Fail(path + ": " + read->stoppedBecause) : read.Status());
        return;
    }
    copy = loaded;
    OnInitDialog(c);
}

void OptionsDialog::Save(platform::DialogControls& c) {
    const std::string path =
        framework_.FileDialog(owner_, OptionsFileRequest(platform::FileDialogKind::Save));
    if (!path.empty())
        WriteOptions(path, c);
}

} // namespace zembro
