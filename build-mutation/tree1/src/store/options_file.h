// The options file: eleven whitespace-separated values, and a legend for people who edit it.
#pragma once

#include "base/io_result.h"
#include "game/game_settings.h"

#include <string>

namespace zembro {

inline constexpr const char* OPTIONS_FILE_NAME = "Option.opt";
inline constexpr int OPTION_VALUE_COUNT = 11;

struct OptionsReadResult {
    bool opened = false; // the file could be opened; the values read are stored
    int valuesRead = 0;  // how many of the eleven values were read (the rest keep their value)
    std::string reason;  // why the file could not be opened, or why the reading stopped early
    int error = FILE_ERROR_NONE; // why it could not be opened, for the player's message

    explicit operator bool() const { return opened; }
};

// Reads the eleven values in file order: two folder words, then nine integers. Flags become 0 or
// 1, `kindsUsed` is held below `NumMaxPedine`, and the hold-to-drag mode forces reselection.
// Reading stops at the first missing or malformed value (a word longer than a folder name can
// be, text where a number belongs, a number outside 32 bits); that value and those after it
// keep what they held. A file that cannot be opened changes nothing.
OptionsReadResult ReadOptions(const std::string& path, OptionValues& values);

// The file's text: the values on five lines and the legend, with CR LF line ends.
std::string FormatOptions(const OptionValues& values);

// Replaces the file at `path` with the values; the old file stays whole if the write fails.
IoResult WriteOptions(const std::string& path, const OptionValues& values);

} // namespace zembro
