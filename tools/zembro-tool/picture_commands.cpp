// zembro-tool bmp, hit and render: the picture loader, the cell hit test and the scene
// composition, on the files of the current run folder.
#include "board_text.h"
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

// A render state: the board (or a deal), the selection, the hover and the counters.
struct RenderState {
    GameState game;
    std::int32_t fps = 0;
    bool cellPressed = false, paused = false;
    int mouseX = 400, mouseY = 300;
    std::int32_t cursorCol = 0, cursorRow = 0; // the keyboard's cell, framed
    bool shapes = false;                       // the path's end drawn as a ring or a cross
};

// One "key values..." line of a state file; false when it is not one.
bool ApplyStateLine(const std::string& key, const std::vector<std::int64_t>& values,
                    RenderState& state, std::uint32_t& seed) {
    auto cell = [&](std::int32_t& col, std::int32_t& row) {
        if (values.size() != 2 || !IsCellCoordinate(static_cast<int>(values[0])) ||
            !IsCellCoordinate(static_cast<int>(values[1])))
            return false;
        col = static_cast<std::int32_t>(values[0]);
        row = static_cast<std::int32_t>(values[1]);
        return true;
    };
    if (key == "selected")
        return cell(state.game.sourceCol, state.game.sourceRow);
    if (key == "shapes" && values.size() == 1 && (values[0] == 0 || values[0] == 1)) {
        state.shapes = values[0] == 1;
        return true;
    }
    if (key == "cursor")
        return cell(state.cursorCol, state.cursorRow);
    if (key == "hover")
        return cell(state.game.hoverCol, state.game.hoverRow);
    if (key == "mouse" && values.size() == 2) {
        state.mouseX = static_cast<int>(values[0]);
        state.mouseY = static_cast<int>(values[1]);
        return true;
    }
    if (values.size() != 1)
        return false;
    const std::int64_t value = values[0];
    if (key == "seed")
        seed = static_cast<std::uint32_t>(value);
    else if (key == "seconds")
        state.game.seconds = static_cast<std::int32_t>(value);
    else if (key == "moves")
        state.game.moves = static_cast<std::int32_t>(value);
    else if (key == "fps")
        state.fps = static_cast<std::int32_t>(value);
    else if (key == "pressed")
        state.cellPressed = value != 0;
    else if (key == "paused")
        state.paused = value != 0;
    else
        return false;
    return true;
}

// The board dealt from the seed where the file gave none, the pieces counted, the selection
// checked and the hovered path traced.
IoResult CompleteRenderState(const GameSettings& settings, bool hasBoard, std::uint32_t seed,
                             RenderState& state) {
    GameState& game = state.game;
    GameState dealt;
    ResetGame(dealt);
    Deal(dealt, DealParamsFrom(settings), seed);
    game.fixedCode = dealt.fixedCode;
    if (!hasBoard)
        game.board = dealt.board;
    game.piecesLeft = 0;
    for (const std::uint8_t code : game.board)
        game.piecesLeft += code != EMPTY_CELL && code != game.fixedCode ? 1 : 0;
    if (game.HasSelection()) {
        const std::uint8_t code = game.At(game.sourceCol, game.sourceRow);
        if (code == EMPTY_CELL || code == game.fixedCode) {
            return IoResult::Fail("the selected cell holds no movable piece");
        }
    }
    if (game.HasHover())
        TracePath(game, settings);
    return IoResult::Ok();
}

IoResult ReadRenderState(const std::string& text, const GameSettings& settings,
                         RenderState& state) {
    std::istringstream lines(text);
    std::string line;
    bool hasBoard = false;
    std::uint32_t seed = 12345;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string key;
        if (!(words >> key) || key[0] == '#')
            continue;
        if (key == "board") {
            std::string rows, row;
            for (int i = 0; i < BOARD_SIDE && std::getline(lines, row); ++i)
                rows += row + "\n";
            const Result<Board> board = ParseBoard(rows);
            if (!board)
                return IoResult::Fail(board.Reason());
            state.game.board = *board;
            hasBoard = true;
            continue;
        }
        std::vector<std::int64_t> values;
        for (std::string word; words >> word;) {
            const std::optional<std::int64_t> v = ParseDecimal(word, -99999, 4294967295ll);
            if (!v)
                return IoResult::Fail("'" + word + "' is not a number in: " + line);
            values.push_back(*v);
        }
        if (!ApplyStateLine(key, values, state, seed))
            return IoResult::Fail("not a state line: " + line);
    }
    return CompleteRenderState(settings, hasBoard, seed, state);
}

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
    RenderState state;
    if (args.size() == 2) {
        const std::optional<std::string> text = ReadSmallFile(args[1]);
        if (!text)
            return EXIT_BAD_INPUT;
        if (const IoResult read = ReadRenderState(*text, *settings, state); !read)
            return Fail(args[1] + ": " + read.Reason());
    } else {
        ReadRenderState("", *settings, state);
    }

    BackBuffer buffer;
    CreateBackBuffer(buffer, RowOrder::BottomUp);
    GameSprites sprites;
    if (const IoResult loaded = LoadAssets(sprites, buffer, *settings); !loaded)
        return Fail(loaded.Reason());
    SceneState scene;
    scene.fullRedraw = false;
    const FrameView view{.game = state.game,
                         .settings = *settings,
                         .fps = state.fps,
                         .cellPressed = state.cellPressed,
                         .mouseX = state.mouseX,
                         .mouseY = state.mouseY,
                         .frozen = false,
                         .paused = state.paused,
                         .barVisible = false,
                         .cursorCol = state.cursorCol,
                         .cursorRow = state.cursorRow,
                         .pathShapes = state.shapes};
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
