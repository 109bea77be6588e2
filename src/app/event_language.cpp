// Reading the event language.
#include "app/event_language.h"

#include "app/board_text.h"
#include "game/screen_zones.h"
#include "platform/key_names.h"
#include "store/decimal_text.h"

#include <sstream>

namespace zembro {
namespace {

using Kind = WindowEvent::Kind;
using Events = Result<std::vector<WindowEvent>>;

// The middle of a zone, or a point of the strip's band that is no zone.
std::optional<ScenePoint> ZonePoint(const std::string& name) {
    const std::pair<const char*, ScreenRect> zones[] = {{"menu", MENU_ZONE},
                                                        {"minimise", MINIMISE_ZONE},
                                                        {"pause", PAUSE_ZONE},
                                                        {"grip", DRAG_ZONE}};
    for (const auto& [zone, r] : zones)
        if (name == zone)
            return r.Middle();
    if (name == "strip")
        return ScenePoint{PAUSE_ZONE.right + 7, (STRIP_BAND.top + STRIP_BAND.bottom) / 2};
    return std::nullopt;
}

std::optional<Cell> CellOf(const std::string& col, const std::string& row) {
    const std::optional<std::int64_t> c = ParseDecimal(col, 1, BOARD_SIDE);
    const std::optional<std::int64_t> r = ParseDecimal(row, 1, BOARD_SIDE);
    if (!c || !r)
        return std::nullopt;
    return Cell{static_cast<int>(*c), static_cast<int>(*r)};
}

// The point a target names. Two numbers are a point in pixels, or a cell where `pairIsCell`.
Result<ScenePoint> Target(const std::vector<std::string>& words, bool pairIsCell) {
    using Point = Result<ScenePoint>;
    if (words.size() == 1)
        if (const std::optional<ScenePoint> zone = ZonePoint(words[0]))
            return Point::Ok(*zone);
    const bool named = words.size() == 3 && words[0] == "cell";
    if (named || (pairIsCell && words.size() == 2)) {
        const std::optional<Cell> cell = CellOf(words[words.size() - 2], words.back());
        if (!cell)
            return Point::Fail("a cell is 'C R', C and R from 1 to 8");
        return Point::Ok(CellMiddle(cell->col, cell->row));
    }
    if (words.size() == 2) {
        const std::optional<std::int64_t> x = ParseDecimal(words[0], -100000, 100000);
        const std::optional<std::int64_t> y = ParseDecimal(words[1], -100000, 100000);
        if (x && y)
            return Point::Ok({static_cast<int>(*x), static_cast<int>(*y)});
    }
    return Point::Fail(pairIsCell ? "a target is 'C R', 'cell C R' or a zone's name"
                                  : "a target is 'X Y', 'cell C R' or a zone's name");
}

Events WindowEvents(const std::string& verb, const std::vector<std::string>& args) {
    const auto none = [&](std::vector<WindowEvent> events) {
        return args.empty() ? Events::Ok(std::move(events))
                            : Events::Fail(verb + " takes no more words");
    };
    const std::pair<const char*, Kind> bare[] = {
        {"leave", Kind::Leave}, {"grip-up", Kind::CaptionRelease},
        {"new", Kind::NewGame}, {"down", Kind::Press},
        {"up", Kind::Release},  {"idle", Kind::Idle}};
    for (const auto& [name, kind] : bare)
        if (verb == name)
            return none({{.kind = kind}});
    if (verb == "dialog")
        return none({{.kind = Kind::DialogOpens}, {.kind = Kind::DialogClosed}});
    if (verb == "off") // the board's corner, on no cell
        return none({{.kind = Kind::Move, .x = BOARD_AREA.left, .y = BOARD_AREA.top}});
    if (verb == "grip") {
        const ScenePoint at = *ZonePoint("grip");
        return none({{.kind = Kind::NonClientMove, .x = at.x, .y = at.y, .onCaption = true},
                     {.kind = Kind::CaptionPress}});
    }
    if (verb == "hover") {
        const std::optional<Cell> cell = args.size() == 2 ? CellOf(args[0], args[1]) : std::nullopt;
        if (!cell)
            return Events::Fail("hover needs a column and a row from 1 to 8");
        const ScenePoint at = CellMiddle(cell->col, cell->row);
        return Events::Ok({{.kind = Kind::Move, .x = at.x, .y = at.y}});
    }
    if (verb == "active") {
        if (args.size() != 1 || (args[0] != "0" && args[0] != "1"))
            return Events::Fail("active takes 0 or 1");
        return Events::Ok({{.kind = Kind::Activate, .active = args[0] == "1"}});
    }
    if (verb == "key") {
        const std::optional<platform::KeyStroke> stroke =
            args.size() == 1 ? platform::StrokeNamed(args[0]) : std::nullopt;
        if (!stroke)
            return Events::Fail("unknown key '" + (args.empty() ? "" : args[0]) + "'");
        return Events::Ok({{.kind = Kind::KeyPress, .key = *platform::GameKey(*stroke)}});
    }
    const std::pair<const char*, Kind> buttons[] = {
        {"press", Kind::Press}, {"release", Kind::Release}, {"right", Kind::RightPress}};
    const bool button = verb == "click" || std::ranges::any_of(buttons, [&](const auto& b) {
                            return verb == b.first;
                        });
    const bool pointer = verb == "move" || verb == "frame" || verb == "hit";
    if (!button && !pointer)
        return Events::Fail("unknown event '" + verb + "'");
    if (button && args.empty() && verb != "click")
        return Events::Ok({{.kind = std::ranges::find(buttons, verb, [](const auto& b) {
                                        return std::string_view(b.first);
                                    })->second}}); // where the pointer stands
    const Result<ScenePoint> at = Target(args, button);
    if (!at)
        return Events::Fail(verb + ": " + at.Reason());
    const WindowEvent move{.kind = Kind::Move, .x = at->x, .y = at->y};
    if (verb == "move")
        return Events::Ok({move});
    if (verb == "frame")
        return Events::Ok({{.kind = Kind::NonClientMove,
                            .x = at->x,
                            .y = at->y,
                            .onCaption = InDragZone(at->x, at->y)}});
    if (verb == "hit")
        return Events::Ok({{.kind = Kind::HitTest, .x = at->x, .y = at->y}});
    if (verb == "click")
        return Events::Ok({move, {.kind = Kind::Press}, {.kind = Kind::Release}});
    for (const auto& [name, kind] : buttons)
        if (verb == name) // a real pointer moves there first
            return Events::Ok({move, {.kind = kind}});
    return Events::Fail("unknown event '" + verb + "'");
}

// A state word and its numbers, or nothing when `verb` is no state word.
std::optional<Result<StateWord>> State(const std::string& verb,
                                       const std::vector<std::string>& args) {
    struct Shape {
        const char* name;
        std::size_t count;
        std::int64_t min, max;
    };
    constexpr std::int64_t BIG = 2147483647;
    const Shape shapes[] = {{"seed", 1, 0, 0xFFFFFFFFll},  {"selected", 2, 1, BOARD_SIDE},
                            {"cursor", 2, 1, BOARD_SIDE},  {"shapes", 1, 0, 1},
                            {"mouse", 2, -100000, 100000}, {"seconds", 1, -BIG - 1, BIG},
                            {"moves", 1, -BIG - 1, BIG},   {"fps", 1, -BIG - 1, BIG},
                            {"pressed", 1, 0, 1},          {"paused", 1, 0, 1}};
    for (const Shape& shape : shapes) {
        if (verb != shape.name)
            continue;
        StateWord word{verb, {}, {}};
        for (const std::string& arg : args)
            if (const std::optional<std::int64_t> value = ParseDecimal(arg, shape.min, shape.max))
                word.values.push_back(*value);
        if (args.size() != shape.count || word.values.size() != shape.count)
            return Result<StateWord>::Fail(verb + " takes " + std::to_string(shape.count) +
                                           " number(s) from " + std::to_string(shape.min) + " to " +
                                           std::to_string(shape.max));
        return Result<StateWord>::Ok(std::move(word));
    }
    return std::nullopt;
}

} // namespace

Result<std::vector<ScriptItem>> ParseScript(std::string_view text) {
    using Items = Result<std::vector<ScriptItem>>;
    std::vector<ScriptItem> items;
    std::istringstream lines{std::string(text)};
    for (std::string line; std::getline(lines, line);) {
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        std::istringstream parts(line);
        for (std::string part; std::getline(parts, part, ',');) {
            std::istringstream words(part);
            std::string verb;
            if (!(words >> verb))
                continue;
            std::vector<std::string> args;
            for (std::string word; words >> word;)
                args.push_back(word);
            if (verb == "board") {
                std::string rows, row;
                for (int i = 0; i < BOARD_SIDE && std::getline(lines, row); ++i)
                    rows += row + "\n";
                const Result<Board> board = ParseBoard(rows);
                if (!board)
                    return Items::Fail("board: " + board.Reason());
                items.emplace_back(StateWord{"board", {}, *board});
                continue;
            }
            if (std::optional<Result<StateWord>> state = State(verb, args)) {
                if (!*state)
                    return Items::Fail(state->Reason());
                items.emplace_back(std::move(**state));
                continue;
            }
            Events events = WindowEvents(verb, args);
            if (!events)
                return Items::Fail(events.Reason());
            items.emplace_back(std::move(*events));
        }
    }
    return Items::Ok(std::move(items));
}

} // namespace zembro
