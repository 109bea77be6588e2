// The window step: zones of the top strip, the board, the drag zone, activation, the pointers,
// the keys, dialogs and new games.
#include "app/window_step.h"

#include "game/screen_zones.h"
#include "render/hit_test.h"

#include <algorithm>

namespace zembro {
namespace {

// The pause zone's and the P key's pause: the pointer taken away, the mark drawn.
StepOutcome Pause(const StepContext& c) {
    c.frame.stateBits |= STATE_PAUSED;
    return {.overlays = {.removePointer = true, .menuStrip = false, .pauseMarks = {PAUSE_POS}}};
}

// Minimising, from its zone or its command: paused, with the pause mark.
StepOutcome Minimise(const StepContext& c, StepOutcome out) {
    c.pointer.pressed = false;
    out.overlays.pauseMarks.push_back(PAUSE_POS);
    c.frame.stateBits |= STATE_PAUSED;
    out.minimise = true;
    out.systemPointer = false;
    return out;
}

// The menu zone's and the M key's bar, with the system pointer to work it.
StepOutcome OpenBar(const StepContext& c) {
    c.frame.barChoice = 0;
    return {.repaint = true,
            .bar = true,
            .systemPointer = true,
            .overlays = {.removePointer = true, .menuStrip = true, .pauseMarks = {}}};
}

// A move that emptied the board ends the game once the event is handled.
StepOutcome Moved(MoveResult move, StepOutcome out = {}) {
    out.move = move;
    if (move == MoveResult::Won)
        out.post = CMD_END_GAME;
    return out;
}

StepOutcome Press(const WindowEvent& event, const StepContext& c) {
    c.frame.stateBits &= ~STATE_PAUSED; // any click restarts the clock
    StepOutcome out;
    switch (ClassifyPress(event.x, event.y)) {
    case PressZone::Menu:
        return OpenBar(c);
    case PressZone::Minimise:
        return Minimise(c, {.overlays = {.removePointer = true,
                                         .menuStrip = false,
                                         .pauseMarks = {MINIMISE_PAUSE_POS}}});
    case PressZone::Pause:
        return Pause(c);
    case PressZone::Strip:
        return out;
    case PressZone::BoardArea:
        break;
    }
    if (c.frame.barShown) {
        out.bar = false;
        out.repaint = true;
    }
    out.systemPointer = false;
    // The press acts on the cell the last pointer movement found, not on its own position.
    return Moved(BoardPress(c.game, c.pointer, c.settings), out);
}

StepOutcome Move(const WindowEvent& event, const StepContext& c) {
    StepOutcome out;
    if (event.x != c.frame.mouseX || event.y != c.frame.mouseY)
        c.frame.cursorShown = false; // the mouse has the board again
    c.frame.mouseX = event.x;
    c.frame.mouseY = event.y;
    if ((c.frame.stateBits & STATE_CAPTION_PRESSED) != 0) {
        out.repaint = true;
        c.frame.stateBits &= ~STATE_CAPTION_PRESSED;
    }
    if (!c.frame.barShown)
        out.systemPointer = false;
    if (c.cellShape.Empty())
        return out;
    const CellHit hit = HitTestCell(c.cellShape, event.x, event.y);
    if (hit.result == HitResult::Cell)
        PointerOnCell(c.game, c.pointer, c.settings, {hit.col, hit.row});
    else if (hit.result == HitResult::NoCell)
        PointerOffCells(c.pointer);
    return out;
}

// While the bar is shown the keys work its buttons: up and down, Return clicks, Escape closes.
StepOutcome BarKey(Key key, const StepContext& c) {
    int& choice = c.frame.barChoice;
    switch (key) {
    case Key::Up:
    case Key::Left:
        choice = std::max(choice - 1, 0);
        return {.barHighlight = choice};
    case Key::Down:
    case Key::Right:
        choice = std::min(choice + 1, BUTTON_COUNT - 1);
        return {.barHighlight = choice};
    case Key::Act:
        return {.barChoose = choice};
    case Key::Cancel:
        return {.repaint = true, .bar = false, .systemPointer = false};
    case Key::Pause:
    case Key::Menu:
    case Key::Shapes:
    case Key::Counters:
    case Key::TakeBack:
    case Key::Hint:
    case Key::SameDeal:
    case Key::Winnable:
    case Key::KeysList:
        break;
    }
    return {};
}

StepOutcome KeyPress(const WindowEvent& event, const StepContext& c) {
    FrameState& f = c.frame;
    if (event.key == Key::Pause && (f.stateBits & STATE_PAUSED) == 0)
        return Pause(c);
    // A key that clicks restarts the clock, as a click does; the arrows, like pointer movements,
    // do not, and neither do the keys that only show or tell.
    if (event.key == Key::Act || event.key == Key::Cancel || event.key == Key::Menu ||
        event.key == Key::Pause ||
        ((event.key == Key::TakeBack || event.key == Key::Hint) && !c.frame.barShown))
        f.stateBits &= ~STATE_PAUSED;
    if (event.key == Key::Counters)
        return {.notice = StepOutcome::Notice::Counters};
    if (event.key == Key::KeysList)
        return {.post = CMD_KEYS};
    if (c.frame.barShown)
        return BarKey(event.key, c);
    StepOutcome out{.repaint = true};
    switch (event.key) {
    case Key::TakeBack:
        c.pointer.pressed = false;
        out.request = StepOutcome::Request::TakeBack;
        return out;
    case Key::Hint:
        out.request = StepOutcome::Request::Hint;
        return out;
    case Key::SameDeal:
        out.request = StepOutcome::Request::SameDeal;
        return out;
    case Key::Winnable:
        c.frame.winnableDeals = !c.frame.winnableDeals;
        out.winnableDeals = c.frame.winnableDeals;
        return out;
    case Key::Menu: {
        StepOutcome opened = OpenBar(c);
        opened.barHighlight = 0;
        return opened;
    }
    case Key::Pause:
    case Key::Counters:
    case Key::KeysList:
        return out;
    case Key::Shapes:
        c.frame.pathShapes = !c.frame.pathShapes;
        out.pathShapes = c.frame.pathShapes;
        return out;
    case Key::Cancel:
        RightPress(c.pointer);
        return out;
    case Key::Up:
    case Key::Down:
    case Key::Left:
    case Key::Right:
        if (f.cursorShown) {
            const int step = event.key == Key::Up || event.key == Key::Left ? -1 : 1;
            int& along =
                event.key == Key::Up || event.key == Key::Down ? f.cursor.row : f.cursor.col;
            if (along + step < 1 || along + step > BOARD_SIDE)
                out.notice = StepOutcome::Notice::Edge;
            along = std::clamp(along + step, 1, BOARD_SIDE);
        }
        break;
    case Key::Act:
        if (!f.cursorShown)
            break; // the first key shows where the keyboard stands
        // Click and click: a press and a release. Holding to drag: the first key takes the
        // piece, the next one lets it go where the cursor is.
        if (c.settings.holdToDrag != 0)
            return Moved(c.pointer.pressed ? BoardRelease(c.game, c.pointer, c.settings)
                                           : BoardPress(c.game, c.pointer, c.settings),
                         out);
        const MoveResult pressed = BoardPress(c.game, c.pointer, c.settings);
        const MoveResult released = BoardRelease(c.game, c.pointer, c.settings);
        return Moved(pressed == MoveResult::NoMove ? released : pressed, out);
    }
    f.cursorShown = true;
    PointerOnCell(c.game, c.pointer, c.settings, f.cursor);
    return out;
}

StepOutcome Leave(const StepContext& c) {
    // The game's pointer goes with the system pointer, and so does the hover it made.
    c.frame.mouseX = SCREEN_WIDTH;
    c.frame.mouseY = SCREEN_HEIGHT;
    PointerOffCells(c.pointer);
    // A frozen scene keeps its pixels: recompose it once, without the pointer. While the bar is
    // shown the scene is the strip drawn over it, with no game pointer to take away.
    return {.repaint = true, .fullRedraw = !c.frame.barShown};
}

// After a dialog one pointer: the system's hidden over the game again, the game's where the
// system's is, or nowhere when it is not over the game.
StepOutcome DialogClosed(const WindowEvent& event, const StepContext& c) {
    c.pointer.pressed = false;
    StepOutcome out = event.inside ? StepOutcome{} : Leave(c);
    if (event.inside) {
        c.frame.mouseX = event.x;
        c.frame.mouseY = event.y;
    }
    out.systemPointer = false;
    return out;
}

StepOutcome Handle(const WindowEvent& event, const StepContext& c) {
    using Kind = WindowEvent::Kind;
    std::uint32_t& bits = c.frame.stateBits;
    switch (event.kind) {
    case Kind::Press:
        return Press(event, c);
    case Kind::Release:
        return Moved(BoardRelease(c.game, c.pointer, c.settings));
    case Kind::RightPress:
        RightPress(c.pointer);
        bits &= ~STATE_PAUSED;
        return {};
    case Kind::Move:
        return Move(event, c);
    case Kind::Leave:
        return Leave(c);
    case Kind::CaptionPress:
        bits |= STATE_CAPTION_PRESSED;
        return {};
    case Kind::CaptionRelease:
        bits &= ~STATE_CAPTION_PRESSED;
        return {.repaint = true};
    case Kind::NonClientMove: {
        c.frame.mouseX = event.x;
        c.frame.mouseY = event.y;
        const bool dragEnded = (bits & STATE_CAPTION_PRESSED) != 0 && event.onCaption;
        if (dragEnded)
            bits &= ~STATE_CAPTION_PRESSED;
        return {.repaint = dragEnded};
    }
    case Kind::HitTest:
        return {.caption = InDragZone(event.x, event.y)};
    case Kind::KeyPress:
        return KeyPress(event, c);
    case Kind::Activate:
        if (event.active)
            bits &= ~STATE_INACTIVE;
        else
            bits |= STATE_INACTIVE;
        return {};
    case Kind::Minimise:
        return Minimise(c, {});
    case Kind::DialogOpens:
        // The whole scene without the game's pointer first, so that the dialog never shows
        // over a second pointer; the dialog is answered with the system's.
        c.pointer.pressed = false;
        return {.systemPointer = true, .fullRedraw = true};
    case Kind::DialogClosed:
        return DialogClosed(event, c);
    case Kind::NewGame:
        c.pointer.pressed = false;
        return {.systemPointer = false, .fullRedraw = true};
    case Kind::BarClicked:
        return {.bar = false};
    case Kind::Idle:
        break;
    }
    return {};
}

} // namespace

StepOutcome Step(const WindowEvent& event, const StepContext& c) {
    const StepOutcome out = Handle(event, c);
    // While the keyboard's frame is shown its cell is the hovered one, whatever cleared the hover
    // (a move, a dialog, a new deal): Space and Return always act where the frame is.
    FrameState& f = c.frame;
    if (f.cursorShown && event.kind != WindowEvent::Kind::HitTest && c.pointer.hover != f.cursor)
        PointerOnCell(c.game, c.pointer, c.settings, f.cursor);
    // What the window is asked to show, kept: the bar (which hides itself when a button of it
    // is chosen) and the system's pointer.
    if (out.bar)
        f.barShown = *out.bar;
    if (out.barChoose)
        f.barShown = false;
    if (out.systemPointer)
        f.systemPointer = *out.systemPointer;
    return out;
}

} // namespace zembro
