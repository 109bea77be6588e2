// The options file: eleven whitespace-separated values, and a legend for people who edit it.
#pragma once

#include "base/result.h"
#include "game/game_settings.h"

#include <string>

namespace zembro {

inline constexpr const char* OPTIONS_FILE_NAME = "Option.opt";
inline constexpr int OPTION_VALUE_COUNT = 11;

// How far a file that could be opened was read.
struct OptionsRead {
    int valuesRead = 0;         // how many of the eleven values were read (the rest keep theirs)
    std::string stoppedBecause; // why the reading stopped before the eleventh, or nothing
};

// Reads the eleven values in file order: two folder words, then nine integers. Flags become 0 or
// 1, `kindsUsed` is held below `NumMaxPedine`, and the hold-to-drag mode forces reselection.
// Reading stops at the first missing or malformed value (a word longer than a folder name can
// be, text where a number belongs, a number outside 32 bits); that value and those after it
// keep what they held. A file that cannot be opened changes nothing and fails.
Result<OptionsRead> ReadOptions(const std::string& path, OptionValues& values);

// The file's text: the values on five lines and the legend, with CR LF line ends.
std::string FormatOptions(const OptionValues& values);

// Replaces the file at `path` with the values; the old file stays whole if the write fails.
IoResult WriteOptions(const std::string& path, const OptionValues& values);

} // namespace zembro
