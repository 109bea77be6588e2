// zembro-tool window: a game dealt with this folder's settings, driven by window events in
// game-screen pixels through the game window's own step.
#include "app/window_step.h"
#include "board_text.h"
#include "game/deal.h"
#include "game/screen_zones.h"
#include "run_folder_pictures.h"
#include "tool_args.h"
#include "tool_commands.h"

#include <iostream>
#include <sstream>

namespace zembro::tool {
namespace {

using Kind = WindowEvent::Kind;

// A script line as a window event, or why it is not one.
Result<WindowEvent> ParseEvent(const std::string& line) {
    static const std::pair<const char*, Kind> POINTED[] = {{"press", Kind::Press},
                                                           {"release", Kind::Release},
                                                           {"right", Kind::RightPress},
                                                           {"move", Kind::Move},
                                                           {"frame", Kind::NonClientMove}};
    static const std::pair<const char*, Kind> BARE[] = {
        {"leave", Kind::Leave}, {"grip", Kind::CaptionPress}, {"grip-up", Kind::CaptionRelease}};
    std::istringstream words(line);
    std::string name, first, second, extra;
    words >> name >> first >> second >> extra;
    if (!extra.empty())
        return Result<WindowEvent>::Fail("too many words");
    for (const auto& [text, kind] : BARE)
        if (name == text && first.empty())
            return Result<WindowEvent>::Ok({.kind = kind});
    static const std::pair<const char*, Key> KEYS[] = {
        {"up", Key::Up},     {"down", Key::Down},  {"left", Key::Left},     {"right", Key::Right},
        {"space", Key::Act}, {"return", Key::Act}, {"escape", Key::Cancel}, {"p", Key::Pause},
        {"m", Key::Menu},    {"c", Key::Shapes}};
    if (name == "key" && second.empty())
        for (const auto& [text, key] : KEYS)
            if (first == text)
                return Result<WindowEvent>::Ok({.kind = Kind::KeyPress, .key = key});
    if (name == "active" && (first == "0" || first == "1") && second.empty())
        return Result<WindowEvent>::Ok({.kind = Kind::Activate, .active = first == "1"});
    for (const auto& [text, kind] : POINTED) {
        if (name != text)
            continue;
        const std::optional<std::int64_t> x = ParseDecimal(first, -100000, 100000);
        const std::optional<std::int64_t> y = ParseDecimal(second, -100000, 100000);
        if (!x || !y)
            return Result<WindowEvent>::Fail(name + " needs a point X Y in game-screen pixels");
        WindowEvent event{.kind = kind, .x = static_cast<int>(*x), .y = static_cast<int>(*y)};
        event.onCaption = kind == Kind::NonClientMove && InDragZone(event.x, event.y);
        return Result<WindowEvent>::Ok(event);
    }
    return Result<WindowEvent>::Fail("unknown event '" + line + "'");
}

} // namespace

int RunWindow(const Args& args) {
    if (args.size() != 1)
        return Fail("usage: zembro-tool window SEED", EXIT_USAGE);
    const std::optional<std::int64_t> seed = ParseDecimal(args[0], 0, 0xFFFFFFFFll);
    if (!seed)
        return Fail("SEED must be an unsigned 32-bit decimal number, not '" + args[0] + "'");
    const std::optional<RunFolderShape> folder = LoadRunFolderShape();
    if (!folder)
        return EXIT_BAD_INPUT;

    GameState game;
    ResetGame(game);
    Deal(game, DealParamsFrom(folder->settings), static_cast<std::uint32_t>(*seed));
    FrameState frame;
    InputState input;
    SceneState scene;
    bool bar = false, systemPointer = true, minimised = false, won = false;
    const int status = RunScript([&](const std::string& line) {
        const Result<WindowEvent> event = ParseEvent(line);
        if (!event)
            return Result<bool>::Fail(event.Reason());
        const StepOutcome out =
            Step(*event, {frame, input, game, scene, folder->settings, folder->cell, bar});
        bar = out.bar.value_or(bar);
        systemPointer = out.systemPointer.value_or(systemPointer);
        minimised = minimised || out.minimise;
        won = out.move == MoveResult::Won;
        return Result<bool>::Ok(won);
    });
    if (status != EXIT_OK)
        return status;

    const auto bit = [&](std::uint32_t mask) { return (frame.stateBits & mask) != 0 ? 1 : 0; };
    std::cout << FormatBoard(game.board) << "moves " << game.moves << '\n'
              << "pieces_left " << game.piecesLeft << '\n'
              << "selected " << game.sourceCol << ' ' << game.sourceRow << '\n'
              << "hover " << game.hoverCol << ' ' << game.hoverRow << '\n'
              << "paused " << bit(STATE_PAUSED) << '\n'
              << "inactive " << bit(STATE_INACTIVE) << '\n'
              << "dragging " << bit(STATE_CAPTION_PRESSED) << '\n'
              << "bar " << (bar ? 1 : 0) << '\n'
              << "system_pointer " << (systemPointer ? 1 : 0) << '\n'
              << "minimised " << (minimised ? 1 : 0) << '\n'
              << "pointer " << frame.mouseX << ' ' << frame.mouseY << '\n'
              << "cursor " << (frame.cursorShown ? frame.cursorCol : 0) << ' '
              << (frame.cursorShown ? frame.cursorRow : 0) << '\n'
              << "won " << (won ? 1 : 0) << '\n';
    return EXIT_OK;
}

} // namespace zembro::tool

namespace zembro::tool {
namespace {

void PrintMiddle(const char* name, const ScreenRect& r) {
    std::cout << name << ' ' << (r.left + r.right) / 2 << ' ' << (r.top + r.bottom) / 2 << '\n';
}

} // namespace

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
