// The run folder's files as the game finds them: the settings with their picture folders under
// the run folder, the paths of the pictures, and the pieces' hotspots of "Pedine.pos".
#pragma once

#include "base/result.h"
#include "game/game_settings.h"
#include "store/options_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zembro {

// The picture names the game always uses: background, empty cell, highlight, second highlight.
void SetImageNames(GameSettings& settings);

// Turns the folder names read from the settings into folders under `runFolder`, as start-up
// does (the names are taken as they stand, even when already absolute).
void PrefixFolders(GameSettings& settings, const std::string& runFolder);

// Start-up's reading of the settings: the picture names, "Option.opt" of `dataFolder` (the
// player's files), and the picture folders under `runFolder`.
Result<OptionsRead> ReadRunFolderSettings(const std::string& runFolder,
                                          const std::string& dataFolder, GameSettings& settings);
inline Result<OptionsRead> ReadRunFolderSettings(const std::string& runFolder,
                                                 GameSettings& settings) {
    return ReadRunFolderSettings(runFolder, runFolder, settings);
}

// The folder and name joined with the platform's separator; none when the path would be longer
// than the system takes.
std::optional<std::string> JoinPath(const std::string& folder, const std::string& name);

// Where a piece's picture starts, up and left of its cell's box.
struct Hotspot {
    std::int32_t x = 0, y = 0;
};

// The hotspots of the first `count` pieces from "Pedine.pos" in `folder`: two numbers a line,
// read through a 20-character buffer, so a longer line spills into the next piece's read. Lines
// the file does not have repeat the last line read; a number that is not there is 0.
Result<std::vector<Hotspot>> ReadHotspots(const std::string& folder, std::size_t count);

} // namespace zembro
