// The scripted window: events and states applied to a session, and what a player sees.
#include "app/window_script.h"

#include "game/board_input.h"

namespace zembro {

using Kind = WindowEvent::Kind;

ScriptedWindow::ScriptedWindow(const OptionValues& settings, const Sprite& cellShape,
                               std::uint32_t seed)
    : session_(settings, cellShape), seed_(seed) {
    session_.Deal(seed);
    dealtPieces_ = session_.Game().piecesLeft;
}

StepOutcome ScriptedWindow::Run(WindowEvent event) {
    const FrameState& frame = session_.Frame();
    // Events at a point carry the last point the pointer was seen at; a press alone is there.
    if (event.kind == Kind::Press || event.kind == Kind::Release ||
        event.kind == Kind::RightPress) {
        event.x = frame.mouseX;
        event.y = frame.mouseY;
    }
    if (event.kind == Kind::DialogClosed) {
        event.inside = pointerInside_;
        event.x = frame.mouseX;
        event.y = frame.mouseY;
    }
    if (event.kind == Kind::Move || event.kind == Kind::NonClientMove)
        pointerInside_ = event.kind != Kind::NonClientMove || event.onCaption;
    if (event.kind == Kind::Leave)
        pointerInside_ = false;
    if (event.kind == Kind::Idle)
        session_.ThinkToTheEnd();
    const StepOutcome out = session_.Handle(event);
    lost_ = lost_ || session_.TakeLoss();
    keys_ = keys_ || out.post == CMD_KEYS;
    minimised_ = minimised_ || out.minimise;
    won_ = won_ || out.post == CMD_END_GAME;
    if (event.kind == Kind::HitTest)
        caption_ = out.caption;
    edge_ = out.notice == StepOutcome::Notice::Edge;
    if (out.barChoose) // the bar hides itself and posts the button's command
        chosen_ = *out.barChoose + 1;
    choosing_ = frame.barShown ? out.barHighlight.value_or(choosing_ - 1) + 1 : 0;
    return out;
}

IoResult ScriptedWindow::Apply(const ScriptItem& item) {
    if (const auto* events = std::get_if<std::vector<WindowEvent>>(&item)) {
        for (const WindowEvent& event : *events) {
            if (event.kind == Kind::NewGame) { // as the game window deals before telling
                session_.Deal(seed_);
                dealtPieces_ = session_.Game().piecesLeft;
            }
            Run(event);
        }
        return IoResult::Ok();
    }
    const StateWord& word = std::get<StateWord>(item);
    GameState& game = session_.Game();
    PointerState& pointer = session_.Pointer();
    FrameState& frame = session_.Frame();
    const auto value = [&](std::size_t i) { return static_cast<std::int32_t>(word.values[i]); };
    const auto cell = [&] { return Cell{value(0), value(1)}; };
    if (word.name == "board") {
        game.board = word.board;
        game.piecesLeft = 0;
        for (int i = 0; i < BOARD_CELLS; ++i)
            game.piecesLeft += game.IsPiece({i % BOARD_SIDE + 1, i / BOARD_SIDE + 1}) ? 1 : 0;
        dealtPieces_ = game.piecesLeft;
        session_.BoardChanged();
    } else if (word.name == "seed") {
        seed_ = static_cast<std::uint32_t>(word.values[0]);
        session_.Deal(seed_);
        dealtPieces_ = game.piecesLeft;
    } else if (word.name == "selected") {
        if (!game.IsPiece(cell()))
            return IoResult::Fail("the selected cell holds no movable piece");
        pointer.selected = cell();
    } else if (word.name == "cursor") {
        frame.cursor = cell();
        frame.cursorShown = true;
    } else if (word.name == "mouse") {
        frame.mouseX = value(0);
        frame.mouseY = value(1);
    } else if (word.name == "shapes") {
        frame.pathShapes = value(0) != 0;
    } else if (word.name == "seconds") {
        game.seconds = value(0);
    } else if (word.name == "moves") {
        game.moves = value(0);
    } else if (word.name == "fps") {
        session_.SetFps(value(0));
    } else if (word.name == "pressed") {
        pointer.pressed = value(0) != 0;
    } else if (word.name == "paused") {
        frame.stateBits =
            value(0) != 0 ? frame.stateBits | STATE_PAUSED : frame.stateBits & ~STATE_PAUSED;
    }
    // Whatever the order, a hovered cell shows the path from the selection as it now stands.
    if (pointer.hover)
        PointerOnCell(game, pointer, session_.Settings(), *pointer.hover);
    return IoResult::Ok();
}

IoResult ScriptedWindow::RunScript(std::string_view script) {
    const Result<std::vector<ScriptItem>> items = ParseScript(script);
    if (!items)
        return IoResult::Fail(items.Reason());
    for (const ScriptItem& item : *items)
        if (const IoResult applied = Apply(item); !applied)
            return applied;
    return IoResult::Ok();
}

std::string ScriptedWindow::Seen() const {
    const FrameState& frame = session_.Frame();
    const PointerState& pointer = session_.Pointer();
    const GameState& game = session_.Game();
    std::string words;
    const auto add = [&](bool shown, const std::string& word) {
        if (shown)
            words += (words.empty() ? "" : " ") + word;
    };
    const auto cell = [](Cell c) { return std::to_string(c.col) + "," + std::to_string(c.row); };
    add(frame.Paused(), "paused");
    add(frame.barShown, "bar");
    add(frame.systemPointer, "pointer");
    add(minimised_, "minimised");
    add((frame.stateBits & STATE_CAPTION_PRESSED) != 0, "dragging");
    add((frame.stateBits & STATE_INACTIVE) != 0, "inactive");
    add(pointer.pressed, "pressed");
    add(pointer.selected.has_value(), "selected " + cell(pointer.selected.value_or(Cell{})));
    add(pointer.hover.has_value(), "hover " + cell(pointer.hover.value_or(Cell{})));
    add(frame.cursorShown, "cursor " + cell(frame.cursor));
    add(frame.pathShapes, "shapes");
    add(frame.winnableDeals, "winnable");
    add(game.moves != 0, "moves " + std::to_string(game.moves));
    add(game.piecesLeft != dealtPieces_, "pieces " + std::to_string(game.piecesLeft));
    add(game.seconds != 0, "seconds " + std::to_string(game.seconds));
    add(choosing_ != 0, "choosing " + std::to_string(choosing_));
    add(chosen_ != 0, "button" + std::to_string(chosen_));
    add(won_, "won");
    add(caption_, "caption");
    add(edge_, "edge");
    const PointerState& drawn = session_.View().pointer;
    add(&drawn != &pointer && drawn.selected && drawn.hover,
        "hint " + cell(drawn.selected.value_or(Cell{})) + ">" + cell(drawn.hover.value_or(Cell{})));
    add(session_.Hinted(), "hinted");
    add(lost_, "lost");
    add(keys_, "keys");
    return words;
}

} // namespace zembro
