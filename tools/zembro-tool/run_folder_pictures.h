// The current folder as the game finds it at start-up: its settings, and the empty cell's
// picture whose shape the hit test uses.
#pragma once

#include "base/result.h"
#include "game/game_settings.h"
#include "render/sprite.h"

#include <optional>

namespace zembro::tool {

// The settings, with the picture folders under the current folder; nothing after printing why.
std::optional<GameSettings> RunFolderSettings();

struct RunFolderShape {
    GameSettings settings;
    Sprite cell; // the empty cell
};

// The settings and the empty cell's picture; nothing after printing why.
std::optional<RunFolderShape> LoadRunFolderShape();

} // namespace zembro::tool
