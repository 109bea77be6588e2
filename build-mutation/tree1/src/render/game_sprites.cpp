// Loading the scene's pictures and the pieces' hotspots.
#include "render/game_sprites.h"

#include "render/bmp_reader.h"
#include "render/opaque_runs.h"
#include "store/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

namespace zembro {
namespace {

// The system's limit on a path, terminator excluded.
constexpr std::size_t MAX_PATH_LENGTH = 4095;
// The board's codes are bytes: more pictures than codes could never be drawn.
constexpr std::int32_t MAX_PIECE_PICTURES = 255;
// Hotspots beyond this are kept at it: a picture never starts farther than that from its cell,
// and positions computed from them stay far from overflowing.
constexpr std::int32_t MAX_HOTSPOT = 65536;

// Reads like a 20-character line buffer: up to 19 characters, stopping after a line end.
// Gives false at the end of the file, leaving the buffer as it was.
bool ReadChunk(std::FILE* file, std::string& buffer) {
    std::string chunk;
    for (int c; chunk.size() < 19 && (c = std::getc(file)) != EOF;) {
        chunk.push_back(static_cast<char>(c));
        if (c == '\n')
            break;
    }
    if (chunk.empty())
        return false;
    buffer = std::move(chunk);
    return true;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// A decimal number after optional blanks, as "%d" reads it; saturated at the hotspot limit.
bool ScanNumber(const std::string& text, std::size_t& at, std::int32_t& value) {
    while (at < text.size() && IsSpace(text[at]))
        ++at;
    std::size_t i = at;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    if (i == text.size() || text[i] < '0' || text[i] > '9')
        return false;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - '0'), MAX_HOTSPOT);
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    at = i;
    return true;
}

IoResult LoadInto(Sprite& sprite, const std::string& folder, const std::string& name) {
    const std::optional<std::string> path = JoinPath(folder, name);
    if (!path)
        return IoResult::Failure(folder + ": the path of " + name + " is too long");
    Result<Sprite> loaded = LoadSprite(*path);
    if (!loaded)
        return IoResult::Failure(loaded.Reason());
    sprite.header = loaded->header;
    sprite.pixels = std::move(loaded->pixels);
    IndexOpaqueRuns(sprite);
    return IoResult::Success();
}

} // namespace

void SetImageNames(GameSettings& settings) {
    settings.imageNames = {"Sfondo2.bmp", "Pedone2.bmp", "Pedone1.bmp", "Pedone3.bmp"};
}

void PrefixFolders(GameSettings& settings, const std::string& currentDirectory) {
    settings.directory1 = currentDirectory + "/" + settings.directory1;
    settings.directory2 = currentDirectory + "/" + settings.directory2;
}

std::optional<std::string> JoinPath(const std::string& folder, const std::string& name) {
    if (folder.size() + 1 + name.size() > MAX_PATH_LENGTH)
        return std::nullopt;
    return folder + "/" + name;
}

IoResult ReadHotspots(const std::string& folder, std::vector<Sprite>& pieces, std::size_t count) {
    const std::optional<std::string> path = JoinPath(folder, "Pedine.pos");
    if (!path)
        return IoResult::Failure(folder + ": the path of Pedine.pos is too long");
    const Result<FilePtr> file = OpenForReading(*path);
    if (!file)
        return file.Status();
    std::string buffer;
    for (std::size_t i = 0; i < count && i < pieces.size(); ++i) {
        ReadChunk(file->get(), buffer);
        std::size_t at = 0;
        if (ScanNumber(buffer, at, pieces[i].hotX))
            ScanNumber(buffer, at, pieces[i].hotY);
    }
    return IoResult::Success();
}

IoResult LoadAssets(GameSprites& sprites, BackBuffer& buffer, const GameSettings& settings) {
    if (settings.NumMaxPedine < 1)
        return IoResult::Failure("the settings name no piece pictures");
    CreateSurface(buffer);

    const std::string& d1 = settings.directory1;
    const std::string& d2 = settings.directory2;
    const struct {
        Sprite& sprite;
        const std::string& folder;
        std::string name;
    } first[] = {
        {sprites.background, d1, settings.imageNames[0]},
        {sprites.menuImage, d1, "MenuImg.bmp"},
        {sprites.cellEmpty, d1, settings.imageNames[1]},
        {sprites.cellHighlight, d1, settings.imageNames[2]},
        {sprites.cellAltHighlight, d1, settings.imageNames[3]},
        {sprites.cursorSprite, d1, "Mouse1.bmp"},
        {sprites.cursorSave, d1, "Mouse1.bmp"},
    };
    for (const auto& entry : first) {
        if (IoResult loaded = LoadInto(entry.sprite, entry.folder, entry.name); !loaded)
            return loaded;
    }
    // The save buffer only takes the pixels under the pointer; it is never drawn keyed.
    sprites.cursorSave.runs.clear();
    sprites.cursorSave.rowRuns.clear();
    // The background is copied over the whole surface in one block.
    if (sprites.background.Width() != SCREEN_WIDTH || sprites.background.Height() != SCREEN_HEIGHT)
        return IoResult::Failure(
            settings.imageNames[0] + " is " + std::to_string(sprites.background.Width()) + " x " +
            std::to_string(sprites.background.Height()) + " pixels instead of 800 x 600");

    const std::size_t pieceCount =
        static_cast<std::size_t>(std::min(settings.NumMaxPedine, MAX_PIECE_PICTURES));
    sprites.pieceSprites.assign(pieceCount, Sprite{});
    if (IoResult hotspots = ReadHotspots(d1, sprites.pieceSprites, pieceCount); !hotspots)
        return hotspots;
    for (std::size_t k = 1; k <= pieceCount; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "pedina%02zu.bmp", k);
        if (IoResult loaded = LoadInto(sprites.pieceSprites[k - 1], d1, name); !loaded)
            return loaded;
    }

    const struct {
        Sprite& sprite;
        const char* name;
    } second[] = {
        {sprites.secondsLabel, "Sec.bmp"},   {sprites.fpsLabel, "FPS.bmp"},
        {sprites.piecesLabel, "Pedine.bmp"}, {sprites.digitStrip, "Numeri.bmp"},
        {sprites.movesLabel, "Mosse.bmp"},   {sprites.pauseImage, "Pausa.bmp"},
        {sprites.miniImage, "Mini.bmp"},
    };
    for (const auto& entry : second) {
        if (IoResult loaded = LoadInto(entry.sprite, d2, entry.name); !loaded)
            return loaded;
    }
    return IoResult::Success();
}

} // namespace zembro
