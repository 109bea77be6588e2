// The event language of scripts, and the window it drives.
#include "app/window_script.h"

#include "game/deal.h"
#include "game/screen_zones.h"
#include "platform/key_names.h"
#include "store/decimal_text.h"

#include <array>
#include <sstream>

namespace zembro {
namespace {

using Kind = WindowEvent::Kind;

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

// The point a target names, taking its words from `words`.
Result<ScenePoint> Target(std::istringstream& words) {
    std::string first, second, third;
    words >> first;
    if (const std::optional<ScenePoint> zone = ZonePoint(first))
        return Result<ScenePoint>::Ok(*zone);
    words >> second;
    if (first == "cell") {
        words >> third;
        const std::optional<std::int64_t> col = ParseDecimal(second, 1, 8);
        const std::optional<std::int64_t> row = ParseDecimal(third, 1, 8);
        if (!col || !row)
            return Result<ScenePoint>::Fail("a cell is 'cell C R', C and R from 1 to 8");
        return Result<ScenePoint>::Ok(CellMiddle(static_cast<int>(*col), static_cast<int>(*row)));
    }
    const std::optional<std::int64_t> x = ParseDecimal(first, -100000, 100000);
    const std::optional<std::int64_t> y = ParseDecimal(second, -100000, 100000);
    if (!x || !y)
        return Result<ScenePoint>::Fail("a target is 'X Y', 'cell C R' or a zone's name");
    return Result<ScenePoint>::Ok({static_cast<int>(*x), static_cast<int>(*y)});
}

Result<std::vector<WindowEvent>> Events(std::istringstream& words, const std::string& verb) {
    using Events = Result<std::vector<WindowEvent>>;
    std::string word;
    const std::pair<const char*, Kind> bare[] = {
        {"leave", Kind::Leave}, {"grip-up", Kind::CaptionRelease}, {"new", Kind::NewGame}};
    for (const auto& [name, kind] : bare)
        if (verb == name)
            return Events::Ok({{.kind = kind}});
    if (verb == "dialog")
        return Events::Ok({{.kind = Kind::DialogOpens}, {.kind = Kind::DialogClosed}});
    if (verb == "grip") {
        const ScenePoint at = *ZonePoint("grip");
        return Events::Ok({{.kind = Kind::NonClientMove, .x = at.x, .y = at.y, .onCaption = true},
                           {.kind = Kind::CaptionPress}});
    }
    if (verb == "active") {
        words >> word;
        if (word != "0" && word != "1")
            return Events::Fail("active takes 0 or 1");
        return Events::Ok({{.kind = Kind::Activate, .active = word == "1"}});
    }
    if (verb == "key") {
        words >> word;
        const std::optional<platform::KeyStroke> stroke = platform::StrokeNamed(word);
        if (!stroke)
            return Events::Fail("unknown key '" + word + "'");
        return Events::Ok({{.kind = Kind::KeyPress, .key = *platform::GameKey(*stroke)}});
    }
    const std::pair<const char*, Kind> pointed[] = {
        {"press", Kind::Press}, {"release", Kind::Release}, {"right", Kind::RightPress}};
    for (const auto& [name, kind] : pointed)
        if (verb == name && (words >> std::ws).eof())
            return Events::Ok({{.kind = kind}}); // where the pointer stands
    const Result<ScenePoint> at = Target(words);
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
    for (const auto& [name, kind] : pointed)
        if (verb == name) // a real pointer moves there first
            return Events::Ok({move, {.kind = kind}});
    return Events::Fail("unknown event '" + verb + "'");
}

} // namespace

Result<std::vector<WindowEvent>> ParseScriptItem(std::string_view item) {
    std::istringstream words{std::string(item)};
    std::string verb;
    words >> verb;
    Result<std::vector<WindowEvent>> events = Events(words, verb);
    if (events && !(words >> std::ws).eof())
        return Result<std::vector<WindowEvent>>::Fail("too many words in '" + std::string(item) +
                                                      "'");
    return events;
}

ScriptedWindow::ScriptedWindow(const OptionValues& settings, const Sprite& cellShape,
                               std::uint32_t seed)
    : settings_(settings), cellShape_(cellShape), seed_(seed) {
    Deal();
}

void ScriptedWindow::Deal() {
    ResetGame(game_);
    zembro::Deal(game_, DealParamsFrom(settings_), seed_);
    dealtPieces_ = game_.piecesLeft;
}

void ScriptedWindow::Run(WindowEvent event) {
    // Events at a point carry the last point the pointer was seen at; a press alone is there.
    const bool pointed =
        event.kind == Kind::Press || event.kind == Kind::Release || event.kind == Kind::RightPress;
    if (pointed) {
        event.x = frame_.mouseX;
        event.y = frame_.mouseY;
    }
    if (event.kind == Kind::DialogClosed) {
        event.inside = pointerInside_;
        event.x = frame_.mouseX;
        event.y = frame_.mouseY;
    }
    if (event.kind == Kind::NewGame)
        Deal();
    if (event.kind == Kind::Move || event.kind == Kind::NonClientMove)
        pointerInside_ = event.kind == Kind::Move || event.onCaption;
    if (event.kind == Kind::Leave)
        pointerInside_ = false;
    const StepOutcome out = Step(event, {frame_, input_, game_, settings_, cellShape_, bar_});
    bar_ = out.bar.value_or(bar_);
    systemPointer_ = out.systemPointer.value_or(systemPointer_);
    minimised_ = minimised_ || out.minimise;
    won_ = won_ || out.post == CMD_END_GAME;
    if (event.kind == Kind::HitTest)
        caption_ = out.caption;
    edge_ = out.notice == StepOutcome::Notice::Edge;
    if (out.barChoose) { // the bar hides itself and posts the button's command
        chosen_ = *out.barChoose + 1;
        bar_ = false;
    }
    choosing_ = bar_ ? out.barHighlight.value_or(choosing_ - 1) + 1 : 0;
}

IoResult ScriptedWindow::RunScript(std::string_view script) {
    std::istringstream items{std::string(script)};
    for (std::string item; std::getline(items, item, ',');) {
        if (item.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        const Result<std::vector<WindowEvent>> events = ParseScriptItem(item);
        if (!events)
            return IoResult::Fail(events.Reason());
        for (const WindowEvent& e : *events)
            Run(e);
    }
    return IoResult::Ok();
}

std::string ScriptedWindow::Seen() const {
    std::string words;
    const auto add = [&](bool shown, const std::string& word) {
        if (shown)
            words += (words.empty() ? "" : " ") + word;
    };
    const auto cell = [](int col, int row) {
        return std::to_string(col) + "," + std::to_string(row);
    };
    add((frame_.stateBits & STATE_PAUSED) != 0, "paused");
    add(bar_, "bar");
    add(systemPointer_, "pointer");
    add(minimised_, "minimised");
    add((frame_.stateBits & STATE_CAPTION_PRESSED) != 0, "dragging");
    add((frame_.stateBits & STATE_INACTIVE) != 0, "inactive");
    add(input_.cellPressed, "pressed");
    add(game_.HasSelection(), "selected " + cell(game_.sourceCol, game_.sourceRow));
    add(game_.HasHover(), "hover " + cell(game_.hoverCol, game_.hoverRow));
    add(frame_.cursorShown, "cursor " + cell(frame_.cursorCol, frame_.cursorRow));
    add(frame_.pathShapes, "shapes");
    add(game_.moves != 0, "moves " + std::to_string(game_.moves));
    add(game_.piecesLeft != dealtPieces_, "pieces " + std::to_string(game_.piecesLeft));
    add(game_.seconds != 0, "seconds " + std::to_string(game_.seconds));
    add(choosing_ != 0, "choosing " + std::to_string(choosing_));
    add(chosen_ != 0, "button" + std::to_string(chosen_));
    add(won_, "won");
    add(caption_, "caption");
    add(edge_, "edge");
    return words;
}

} // namespace zembro
