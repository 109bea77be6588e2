// zembro-tool bmp, hit and render: the picture loader, the cell hit test and the scene
// composition of a session in the state the event language sets, on the files of the current
// run folder.
#include "app/window_script.h"
#include "game/deal.h"
#include "game/path_trace.h"
#include "game/screen_layout.h"
#include "png_file.h"
#include "render/bmp_reader.h"
#include "render/hit_test.h"
#include "render/scene.h"
#include "run_folder_pictures.h"
#include "store/options_file.h"
#include "tool_args.h"
#include "tool_commands.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>

namespace zembro::tool {
namespace {

// The CRC-32 of zip and PNG (reflected polynomial 0xEDB88320), bit by bit: pictures are small.
std::uint32_t Crc32(std::uint32_t crc, const std::uint8_t* bytes, std::size_t count) {
    crc = ~crc;
    for (std::size_t i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

} // namespace

int RunBmp(const Args& args) {
    if (args.size() != 1)
        return Fail("usage: zembro-tool bmp FILE", EXIT_USAGE);
    const Result<Sprite> sprite = LoadSprite(args[0]);
    if (!sprite)
        return Fail(sprite.Reason());
    const int width = sprite->Width(), height = sprite->Height();
    std::uint32_t crc = 0;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 2);
    for (int y = 0; y < height; ++y) {
        const Pixel* from = sprite->View().StoredRow(y);
        for (int x = 0; x < width; ++x) {
            row[2 * static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(from[x]);
            row[2 * static_cast<std::size_t>(x) + 1] = static_cast<std::uint8_t>(from[x] >> 8);
        }
        crc = Crc32(crc, row.data(), row.size());
    }
    char text[16];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(crc));
    std::cout << width << ' ' << height << ' ' << text << '\n';
    return EXIT_OK;
}

int RunHit(const Args& args) {
    if (args.size() != 2)
        return Fail("usage: zembro-tool hit X Y", EXIT_USAGE);
    const std::optional<std::int64_t> x = ParseDecimal(args[0], -100000, 100000);
    const std::optional<std::int64_t> y = ParseDecimal(args[1], -100000, 100000);
    if (!x || !y)
        return Fail("X and Y must be whole numbers");
    const std::optional<RunFolderShape> folder = LoadRunFolderShape();
    if (!folder)
        return EXIT_BAD_INPUT;
    const CellHit hit = HitTestCell(folder->cell, static_cast<int>(*x), static_cast<int>(*y));
    switch (hit.result) {
    case HitResult::Cell:
        std::cout << hit.col << ' ' << hit.row << '\n';
        break;
    case HitResult::NoCell:
        std::cout << "none\n";
        break;
    case HitResult::Outside:
        std::cout << "outside\n";
        break;
    }
    return EXIT_OK;
}

int RunCell(const Args& args) {
    if (args.size() != 2)
        return Fail("usage: zembro-tool cell C R", EXIT_USAGE);
    const std::optional<int> col = ParseCoordinate(args[0], "C");
    const std::optional<int> row = col ? ParseCoordinate(args[1], "R") : std::nullopt;
    if (!row)
        return EXIT_BAD_INPUT;
    const ScenePoint middle = CellMiddle(*col, *row);
    std::cout << middle.x << ' ' << middle.y << '\n';
    return EXIT_OK;
}

int RunRender(const Args& args) {
    if (args.empty() || args.size() > 2)
        return Fail("usage: zembro-tool render OUT.png [STATE]", EXIT_USAGE);
    const std::optional<GameSettings> settings = RunFolderSettings();
    if (!settings)
        return EXIT_BAD_INPUT;
    std::string text;
    if (args.size() == 2) {
        const std::optional<std::string> file = ReadSmallFile(args[1]);
        if (!file)
            return EXIT_BAD_INPUT;
        text = *file;
    }
    const Result<std::vector<ScriptItem>> items = ParseScript(text);
    if (!items)
        return Fail(args[1] + ": " + items.Reason());
    BackBuffer buffer;
    CreateBackBuffer(buffer, RowOrder::BottomUp);
    GameSprites sprites;
    if (const IoResult loaded = LoadAssets(sprites, buffer, *settings); !loaded)
        return Fail(loaded.Reason());

    // Dealt from the state's seed, given a board of its own if it has one, then the rest in order.
    const auto named = [](const ScriptItem& item, std::string_view name) {
        const auto* word = std::get_if<StateWord>(&item);
        return word != nullptr && word->name == name;
    };
    std::uint32_t seed = 12345;
    for (const ScriptItem& item : *items)
        if (named(item, "seed"))
            seed = static_cast<std::uint32_t>(std::get<StateWord>(item).values[0]);
    ScriptedWindow window(*settings, sprites.cellEmpty, seed);
    window.Session().Frame().mouseX = SCREEN_WIDTH / 2;
    window.Session().Frame().mouseY = SCREEN_HEIGHT / 2;
    for (const bool boards : {true, false})
        for (const ScriptItem& item : *items)
            if (named(item, "board") == boards && !named(item, "seed"))
                if (const IoResult applied = window.Apply(item); !applied)
                    return Fail(args[1] + ": " + applied.Reason());

    // The whole scene as it stands, frozen or not.
    SceneState scene;
    scene.fullRedraw = false;
    FrameView view = window.Session().View();
    view.frozen = view.barVisible = false;
    PaintFrame(buffer, sprites, scene, view);
    if (const IoResult written = WritePng(args[0], buffer.View()); !written)
        return Fail(written.Reason());
    return EXIT_OK;
}

std::optional<GameSettings> RunFolderSettings() {
    GameSettings settings;
    // Relative to the working directory, whatever its path's length or bytes.
    if (const Result<OptionsRead> read = ReadRunFolderSettings(".", settings); !read) {
        Fail(read.Reason());
        return std::nullopt;
    }
    return settings;
}

std::optional<RunFolderShape> LoadRunFolderShape() {
    std::optional<GameSettings> settings = RunFolderSettings();
    if (!settings)
        return std::nullopt;
    const std::optional<std::string> path = JoinPath(settings->directory1, settings->imageNames[1]);
    Result<Sprite> cell =
        path ? LoadSprite(*path) : Result<Sprite>::Fail("the empty cell's path is too long");
    if (!cell) {
        Fail(cell.Reason());
        return std::nullopt;
    }
    return RunFolderShape{std::move(*settings), std::move(*cell)};
}

} // namespace zembro::tool
