// The window step: zones of the top strip, the board, the drag zone, activation, the pointers.
#include "app/window_step.h"

#include "game/screen_zones.h"
#include "render/hit_test.h"

namespace zembro {
namespace {

StepOutcome Press(const WindowEvent& event, const StepContext& c) {
    c.frame.stateBits &= ~STATE_PAUSED; // any click restarts the clock
    StepOutcome out;
    switch (ClassifyPress(event.x, event.y)) {
    case PressZone::Menu:
        out.systemPointer = true;
        out.bar = true;
        c.scene.overlays.removePointer = true;
        c.scene.overlays.menuStrip = true;
        out.repaint = true;
        return out;
    case PressZone::Minimise:
        c.scene.overlays.removePointer = true;
        c.scene.overlays.pauseMarks.push_back(MINIMISE_PAUSE_POS);
        return Minimise(c);
    case PressZone::Pause:
        c.frame.stateBits |= STATE_PAUSED;
        c.scene.overlays.removePointer = true;
        c.scene.overlays.pauseMarks.push_back(PAUSE_POS);
        return out;
    case PressZone::Strip:
        return out;
    case PressZone::BoardArea:
        break;
    }
    if (c.barShown) {
        out.bar = false;
        out.repaint = true;
    }
    out.systemPointer = false;
    // The press acts on the cell the last pointer movement found, not on its own position.
    out.move = BoardPress(c.game, c.input, c.settings);
    return out;
}

StepOutcome Move(const WindowEvent& event, const StepContext& c) {
    StepOutcome out;
    c.frame.mouseX = event.x;
    c.frame.mouseY = event.y;
    if ((c.frame.stateBits & STATE_CAPTION_PRESSED) != 0) {
        out.repaint = true;
        c.frame.stateBits &= ~STATE_CAPTION_PRESSED;
    }
    if (!c.barShown)
        out.systemPointer = false;
    if (c.cellShape.Empty())
        return out;
    const CellHit hit = HitTestCell(c.cellShape, event.x, event.y);
    if (hit.result == HitResult::Cell)
        PointerOnCell(c.game, c.settings, hit.col, hit.row);
    else if (hit.result == HitResult::NoCell)
        PointerOffCells(c.game);
    return out;
}

StepOutcome Leave(const StepContext& c) {
    // The game's pointer goes with the system pointer, and so does the hover it made.
    c.frame.mouseX = SCREEN_WIDTH;
    c.frame.mouseY = SCREEN_HEIGHT;
    PointerOffCells(c.game);
    // A frozen scene keeps its pixels: recompose it once, without the pointer. While the bar is
    // shown the scene is the strip drawn over it, with no game pointer to take away.
    if (!c.barShown)
        c.scene.fullRedraw = true;
    return {.repaint = true};
}

} // namespace

StepOutcome Minimise(const StepContext& c) {
    c.input.cellPressed = false;
    c.scene.overlays.pauseMarks.push_back(PAUSE_POS);
    c.frame.stateBits |= STATE_PAUSED;
    return {.minimise = true, .systemPointer = false};
}

StepOutcome Step(const WindowEvent& event, const StepContext& c) {
    using Kind = WindowEvent::Kind;
    std::uint32_t& bits = c.frame.stateBits;
    switch (event.kind) {
    case Kind::Press:
        return Press(event, c);
    case Kind::Release:
        return {.move = BoardRelease(c.game, c.input, c.settings)};
    case Kind::RightPress:
        RightPress(c.game);
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
    case Kind::Activate:
        if (event.active)
            bits &= ~STATE_INACTIVE;
        else
            bits |= STATE_INACTIVE;
        return {};
    }
    return {};
}

} // namespace zembro
