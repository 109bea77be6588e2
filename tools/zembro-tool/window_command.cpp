// zembro-tool window and keys: a game dealt with this folder's settings, driven by the event
// language through the game's own session; the key table the scripts press keys by.
#include "app/board_text.h"
#include "app/window_script.h"
#include "game/screen_zones.h"
#include "platform/key_names.h"
#include "run_folder_pictures.h"
#include "tool_args.h"
#include "tool_commands.h"

#include <iostream>
#include <sstream>

namespace zembro::tool {

int RunWindow(const Args& args) {
    if (args.size() != 1)
        return Fail("usage: zembro-tool window SEED", EXIT_USAGE);
    const std::optional<std::int64_t> seed = ParseDecimal(args[0], 0, 0xFFFFFFFFll);
    if (!seed)
        return Fail("SEED must be an unsigned 32-bit decimal number, not '" + args[0] + "'");
    const std::optional<RunFolderShape> folder = LoadRunFolderShape();
    if (!folder)
        return EXIT_BAD_INPUT;

    ScriptedWindow window(folder->settings, folder->cell, static_cast<std::uint32_t>(*seed));
    const int status = RunScript([&](const std::string& line) {
        if (const IoResult ran = window.RunScript(line); !ran)
            return Result<bool>::Fail(ran.Reason());
        return Result<bool>::Ok(window.Won());
    });
    if (status != EXIT_OK)
        return status;

    const GameSession& session = window.Session();
    const GameState& game = session.Game();
    const PointerState& pointer = session.Pointer();
    const FrameState& frame = session.Frame();
    const auto bit = [&](std::uint32_t mask) { return (frame.stateBits & mask) != 0 ? 1 : 0; };
    const Cell selected = pointer.selected.value_or(Cell{0, 0});
    const Cell hover = pointer.hover.value_or(Cell{255, 255});
    const Cell cursor = frame.Framed().value_or(Cell{0, 0});
    std::cout << FormatBoard(game.board) << "moves " << game.moves << '\n'
              << "pieces_left " << game.piecesLeft << '\n'
              << "selected " << selected.col << ' ' << selected.row << '\n'
              << "hover " << hover.col << ' ' << hover.row << '\n'
              << "paused " << bit(STATE_PAUSED) << '\n'
              << "inactive " << bit(STATE_INACTIVE) << '\n'
              << "dragging " << bit(STATE_CAPTION_PRESSED) << '\n'
              << "bar " << frame.barShown << '\n'
              << "system_pointer " << frame.systemPointer << '\n'
              << "minimised " << window.Minimised() << '\n'
              << "pointer " << frame.mouseX << ' ' << frame.mouseY << '\n'
              << "cursor " << cursor.col << ' ' << cursor.row << '\n'
              << "won " << window.Won() << '\n'
              << "sees " << window.Seen() << '\n';
    return EXIT_OK;
}

} // namespace zembro::tool

namespace zembro::tool {
namespace {

void PrintMiddle(const char* name, const ScreenRect& r) {
    std::cout << name << ' ' << r.Middle().x << ' ' << r.Middle().y << '\n';
}

} // namespace

int RunKeys(const Args& args) {
    if (!args.empty())
        return Fail("usage: zembro-tool keys", EXIT_USAGE);
    for (const platform::KeyBinding& b : platform::KeyBindings())
        std::cout << (b.control ? "ctrl+" : "") << b.name << ' ' << (b.control ? "ctrl+" : "")
                  << b.keysym << '\n';
    return EXIT_OK;
}

int RunZones(const Args& args) {
    int width = 1024, height = 768;
    char times = 0;
    if (args.size() > 1 ||
        (args.size() == 1 && (std::istringstream(args[0]) >> width >> times >> height).fail()))
        return Fail("usage: zembro-tool zones [WIDTHxHEIGHT]", EXIT_USAGE);
    if (times != 0 && times != 'x')
        return Fail("usage: zembro-tool zones [WIDTHxHEIGHT]", EXIT_USAGE);
    if (width < SCREEN_WIDTH || height < SCREEN_HEIGHT)
        return Fail("the game needs a screen of at least 800 x 600", EXIT_BAD_INPUT);
    const WindowPlacement at = PlaceWindow(width, height);
    std::cout << "window " << at.left << ' ' << at.top << '\n'
              << "client " << at.left + at.Border() << ' ' << at.top + at.Border() << '\n'
              << "offset " << POINTER_OFFSET_X << ' ' << POINTER_OFFSET_Y << '\n';
    PrintMiddle("menu", MENU_ZONE);
    PrintMiddle("minimise", MINIMISE_ZONE);
    PrintMiddle("pause", PAUSE_ZONE);
    PrintMiddle("grip", DRAG_ZONE);
    for (int b = 0; b < BUTTON_COUNT; ++b) {
        // The bar stands in client pixels.
        const int y = BUTTON_BAR_POS.y + b * BUTTON_HEIGHT, x = BUTTON_BAR_POS.x + POINTER_OFFSET_X;
        const ScreenRect button{x, y, x + BUTTON_WIDTH - 1, y + BUTTON_HEIGHT - 1};
        PrintMiddle(("button" + std::to_string(b + 1)).c_str(), button);
    }
    return EXIT_OK;
}

} // namespace zembro::tool
