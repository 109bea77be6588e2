// The settings file's eleven values, in file order: the one description the reader, the writer,
// the tool and the default settings take them from.
#pragma once

#include "game/game_settings.h"
#include "game/picture_names.h"

#include <array>
#include <cstdint>
#include <string>

namespace zembro {

enum class SettingKind {
    Folder, // one word: a picture folder
    Flag,   // read as 0 or 1, any other number being 1
    Number, // a 32-bit whole number
};

struct SettingField {
    const char* name; // as zembro-tool prints it
    SettingKind kind;
    int line; // the line of the file it is written on, from 0
    std::string OptionValues::*folder;
    std::int32_t OptionValues::*number;
    const char* defaultFolder;  // the default settings' value, for a folder
    std::int32_t defaultNumber; // the default settings' value, for a flag or a number
};

inline constexpr std::array<SettingField, 11> SETTING_FIELDS = {{
    {"directory1", SettingKind::Folder, 0, &OptionValues::directory1, nullptr, "Immagini", 0},
    {"directory2", SettingKind::Folder, 0, &OptionValues::directory2, nullptr, "Contatori", 0},
    {"NumMaxPedine", SettingKind::Number, 0, nullptr, &OptionValues::NumMaxPedine, nullptr,
     DEFAULT_PIECE_PICTURES},
    {"controlledInsertion", SettingKind::Flag, 1, nullptr, &OptionValues::controlledInsertion,
     nullptr, 1},
    {"randomEmptyCells", SettingKind::Flag, 1, nullptr, &OptionValues::randomEmptyCells, nullptr,
     0},
    {"reselectAfterMove", SettingKind::Flag, 1, nullptr, &OptionValues::reselectAfterMove, nullptr,
     0},
    {"holdToDrag", SettingKind::Flag, 1, nullptr, &OptionValues::holdToDrag, nullptr, 0},
    {"twoColourPath", SettingKind::Flag, 1, nullptr, &OptionValues::twoColourPath, nullptr, 1},
    {"penalty", SettingKind::Number, 2, nullptr, &OptionValues::penalty, nullptr, 0},
    {"fixedCells", SettingKind::Number, 3, nullptr, &OptionValues::fixedCells, nullptr, 0},
    {"kindsUsed", SettingKind::Number, 4, nullptr, &OptionValues::kindsUsed, nullptr, 20},
}};

// A field's value as the file writes it.
inline std::string SettingText(const SettingField& field, const OptionValues& values) {
    return field.folder != nullptr ? values.*field.folder : std::to_string(values.*field.number);
}

// The settings the game ships with.
inline OptionValues DefaultSettings() {
    OptionValues values;
    for (const SettingField& field : SETTING_FIELDS) {
        if (field.folder != nullptr)
            values.*field.folder = field.defaultFolder;
        else
            values.*field.number = field.defaultNumber;
    }
    return values;
}

} // namespace zembro
