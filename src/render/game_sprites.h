// Every picture of the game scene, loaded once at start-up from the two picture folders.
#pragma once

#include "base/result.h"
#include "game/game_settings.h"
#include "render/back_buffer.h"
#include "render/sprite.h"
#include "store/run_folder.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace zembro {

struct GameSprites {
    Sprite background;                // 800 x 600, under everything
    Sprite menuImage;                 // the menu strip, shown with the button bar
    Sprite cellEmpty;                 // an empty cell; its shape is also the hit test's
    Sprite cellHighlight;             // a highlighted cell: a valid path
    Sprite cellAltHighlight;          // a highlighted cell: no valid path
    Sprite cursorSprite;              // the game's own pointer
    Sprite cellFrame;                 // the keyboard's frame, made from the empty cell
    Sprite pathRing, pathCross;       // the path's end for a pair and for a move, made here
    std::vector<Sprite> pieceSprites; // code k is element k - 1; the last is the fixed cell
    Sprite secondsLabel, fpsLabel, piecesLabel, digitStrip, movesLabel, pauseImage, miniImage;

    // The picture of board code `code` (1 and up), none before the pieces are loaded. Codes
    // beyond the loaded pictures (a fixed code above the picture count) take the last one.
    const Sprite* Piece(int code) const {
        if (pieceSprites.empty())
            return nullptr;
        const std::size_t index = code < 1 ? 0 : static_cast<std::size_t>(code) - 1;
        return &pieceSprites[std::min(index, pieceSprites.size() - 1)];
    }
};

// Loads the fourteen pictures in their fixed order, creating the back buffer's surface first.
// The piece count is the settings' number of pictures, held to 1..255 (the board's codes).
// Stops at the first failure and says which file failed and why.
IoResult LoadAssets(GameSprites& sprites, BackBuffer& buffer, const GameSettings& settings);

} // namespace zembro
