// The game window's mouse and window-state messages: zones of the top strip, the board, the
// drag zone, activation.
#include "app/game_frame.h"

#include "game/screen_zones.h"
#include "render/hit_test.h"

namespace zembro {

using platform::HitCode;
using platform::Point;

void GameFrame::OnLButtonDown(Point client) {
    stateBits_ &= ~STATE_PAUSED; // any click restarts the clock
    const int x = client.x + POINTER_OFFSET_X, y = client.y + POINTER_OFFSET_Y;
    switch (ClassifyPress(x, y)) {
    case PressZone::Menu: {
        ShowSystemCursor(true);
        bar_.ShowBar(true);
        scene_.overlays.removePointer = true;
        scene_.overlays.menuStrip = true;
        window_->Invalidate();
        return;
    }
    case PressZone::Minimise:
        scene_.overlays.removePointer = true;
        scene_.overlays.pauseMarks.push_back(MINIMISE_PAUSE_POS);
        OnMinimize();
        return;
    case PressZone::Pause:
        stateBits_ |= STATE_PAUSED;
        scene_.overlays.removePointer = true;
        scene_.overlays.pauseMarks.push_back(PAUSE_POS);
        return;
    case PressZone::Strip:
        return;
    case PressZone::BoardArea:
        break;
    }
    if (bar_.Visible()) {
        bar_.ShowBar(false);
        window_->Invalidate();
    }
    ShowSystemCursor(false);
    // The press acts on the cell the last pointer movement found, not on its own position.
    HandleMove(BoardPress(game_, input_, settings_));
}

void GameFrame::OnLButtonUp(Point) {
    HandleMove(BoardRelease(game_, input_, settings_));
}

void GameFrame::OnRButtonDown(Point) {
    RightPress(game_);
    stateBits_ &= ~STATE_PAUSED;
}

void GameFrame::OnMouseMove(Point client) {
    mouseX_ = client.x + POINTER_OFFSET_X;
    mouseY_ = client.y + POINTER_OFFSET_Y;
    if ((stateBits_ & STATE_CAPTION_PRESSED) != 0) {
        window_->Invalidate();
        stateBits_ &= ~STATE_CAPTION_PRESSED;
    }
    if (!bar_.Visible())
        ShowSystemCursor(false);
    if (sprites_.cellEmpty.Empty())
        return;
    const CellHit hit = HitTestCell(sprites_.cellEmpty, mouseX_, mouseY_);
    if (hit.result == HitResult::Cell)
        PointerOnCell(game_, settings_, hit.col, hit.row);
    else if (hit.result == HitResult::NoCell)
        PointerOffCells(game_);
}

void GameFrame::OnMouseLeave() {
    // The game's pointer goes with the system pointer, and so does the hover it made.
    mouseX_ = SCREEN_WIDTH;
    mouseY_ = SCREEN_HEIGHT;
    PointerOffCells(game_);
    // A frozen scene keeps its pixels: recompose it once, without the pointer. While the bar is
    // shown the scene is the strip drawn over it, with no game pointer to take away.
    if (!bar_.Visible())
        scene_.fullRedraw = true;
    window_->Invalidate();
}

HitCode GameFrame::OnNcHitTest(Point screen, HitCode standard) {
    if (standard != HitCode::Client)
        return standard;
    const Point game =
        window_->ScreenToClient({screen.x + POINTER_OFFSET_X, screen.y + POINTER_OFFSET_Y});
    return InDragZone(game.x, game.y) ? HitCode::Caption : HitCode::Client;
}

void GameFrame::OnNcLButtonDown(HitCode code, Point) {
    if (code == HitCode::Caption)
        stateBits_ |= STATE_CAPTION_PRESSED;
}

void GameFrame::OnNcLButtonUp(HitCode code, Point) {
    if (code != HitCode::Caption)
        return;
    window_->Invalidate();
    stateBits_ &= ~STATE_CAPTION_PRESSED;
}

void GameFrame::OnNcMouseMove(HitCode code, Point screen) {
    const Point client = window_->ScreenToClient(screen);
    mouseX_ = client.x + POINTER_OFFSET_X;
    mouseY_ = client.y + POINTER_OFFSET_Y;
    if ((stateBits_ & STATE_CAPTION_PRESSED) != 0 && code == HitCode::Caption) {
        window_->Invalidate();
        stateBits_ &= ~STATE_CAPTION_PRESSED;
    }
}

void GameFrame::OnActivate(platform::ActivateState state, bool minimized) {
    if (state != platform::ActivateState::Inactive && !minimized)
        stateBits_ &= ~STATE_INACTIVE;
    else
        stateBits_ |= STATE_INACTIVE;
}

} // namespace zembro
