// Loading the scene's pictures.
#include "render/game_sprites.h"

#include "game/picture_names.h"
#include "render/bmp_reader.h"
#include "render/opaque_runs.h"
#include "render/scene.h"
#include "store/run_folder.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

namespace zembro {
namespace {

// The board's codes are bytes: more pictures than codes could never be drawn.
constexpr std::int32_t MAX_PIECE_PICTURES = 255;
// Every picture together, in pixels: 32 MiB at 16 bits, twenty times the default pictures and
// seven times a set of 255 pieces of a cell's size, so that start-up memory stays bounded
// whatever the folders hold.
constexpr std::int64_t MAX_PIXELS_IN_ALL = std::int64_t{16} << 20;

IoResult LoadInto(Sprite& sprite, const std::string& folder, const std::string& name,
                  std::int64_t& pixelsLeft) {
    const std::optional<std::string> path = JoinPath(folder, name);
    if (!path)
        return IoResult::Fail(folder + ": the path of " + name + " is too long");
    Result<Sprite> loaded = LoadSprite(*path, pixelsLeft);
    if (!loaded)
        return IoResult::Fail(loaded.Reason());
    pixelsLeft -= std::int64_t{loaded->Width()} * loaded->Height();
    sprite.header = loaded->header;
    sprite.pixels = std::move(loaded->pixels);
    IndexOpaqueRuns(sprite);
    return IoResult::Ok();
}

} // namespace

IoResult LoadAssets(GameSprites& sprites, BackBuffer& buffer, const GameSettings& settings) {
    if (settings.NumMaxPedine < 1)
        return IoResult::Fail("the settings name no piece pictures");
    CreateSurface(buffer);
    std::int64_t pixelsLeft = MAX_PIXELS_IN_ALL;

    const std::string& d1 = settings.directory1;
    const std::string& d2 = settings.directory2;
    const struct {
        Sprite& sprite;
        const std::string& folder;
        std::string name;
    } first[] = {
        {sprites.background, d1, settings.imageNames[0]},
        {sprites.menuImage, d1, BOARD_MENU_STRIP},
        {sprites.cellEmpty, d1, settings.imageNames[1]},
        {sprites.cellHighlight, d1, settings.imageNames[2]},
        {sprites.cellAltHighlight, d1, settings.imageNames[3]},
        {sprites.cursorSprite, d1, BOARD_POINTER},
    };
    for (const auto& entry : first) {
        if (IoResult loaded = LoadInto(entry.sprite, entry.folder, entry.name, pixelsLeft); !loaded)
            return loaded;
    }
    sprites.cellFrame = MakeCellFrame(sprites.cellEmpty);
    sprites.pathRing = MakePathEndShape(true);
    sprites.pathCross = MakePathEndShape(false);
    // The background is copied over the whole surface in one block.
    if (sprites.background.Width() != SCREEN_WIDTH || sprites.background.Height() != SCREEN_HEIGHT)
        return IoResult::Fail(
            settings.imageNames[0] + " is " + std::to_string(sprites.background.Width()) + " x " +
            std::to_string(sprites.background.Height()) + " pixels instead of 800 x 600");

    const std::size_t pieceCount =
        static_cast<std::size_t>(std::min(settings.NumMaxPedine, MAX_PIECE_PICTURES));
    sprites.pieceSprites.assign(pieceCount, Sprite{});
    const Result<std::vector<Hotspot>> hotspots = ReadHotspots(d1, pieceCount);
    if (!hotspots)
        return hotspots.Status();
    for (std::size_t k = 1; k <= pieceCount; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, PIECE_PICTURE_FORMAT, static_cast<int>(k));
        Sprite& piece = sprites.pieceSprites[k - 1];
        if (IoResult loaded = LoadInto(piece, d1, name, pixelsLeft); !loaded)
            return loaded;
        piece.hotX = (*hotspots)[k - 1].x;
        piece.hotY = (*hotspots)[k - 1].y;
    }

    const struct {
        Sprite& sprite;
        const char* name;
    } second[] = {
        {sprites.secondsLabel, COUNTER_SECONDS_LABEL}, {sprites.fpsLabel, COUNTER_FPS_LABEL},
        {sprites.piecesLabel, COUNTER_PIECES_LABEL},   {sprites.digitStrip, COUNTER_DIGITS},
        {sprites.movesLabel, COUNTER_MOVES_LABEL},     {sprites.pauseImage, COUNTER_PAUSE},
        {sprites.miniImage, COUNTER_MINIMISE},
    };
    for (const auto& entry : second) {
        if (IoResult loaded = LoadInto(entry.sprite, d2, entry.name, pixelsLeft); !loaded)
            return loaded;
    }
    return IoResult::Ok();
}

} // namespace zembro
