// The game window's mouse and window-state messages, each one window step.
#include "app/game_frame.h"

#include "game/screen_zones.h"

namespace zembro {

using platform::HitCode;
using platform::Point;
using Kind = WindowEvent::Kind;

namespace {

WindowEvent At(Kind kind, Point client) {
    return {.kind = kind, .x = client.x + POINTER_OFFSET_X, .y = client.y + POINTER_OFFSET_Y};
}

} // namespace

StepContext GameFrame::Context() {
    return {.frame = frame_,
            .input = input_,
            .game = game_,
            .scene = scene_,
            .settings = settings_,
            .cellShape = sprites_.cellEmpty,
            .barShown = bar_.Visible()};
}

void GameFrame::Apply(const StepOutcome& outcome) {
    if (outcome.bar)
        bar_.ShowBar(*outcome.bar);
    if (outcome.barHighlight)
        bar_.Highlight(*outcome.barHighlight);
    if (outcome.barChoose)
        bar_.Choose(*outcome.barChoose);
    if (outcome.pathShapes)
        framework_.SetPreference(PREFERENCE_PATH_SHAPES, *outcome.pathShapes);
    if (outcome.systemPointer)
        ShowSystemCursor(*outcome.systemPointer);
    if (outcome.minimise)
        window_->Minimize();
    if (outcome.repaint)
        window_->Invalidate();
    if (outcome.move == MoveResult::Won)
        OnEndGame();
}

void GameFrame::OnLButtonDown(Point client) {
    Apply(Step(At(Kind::Press, client), Context()));
}

void GameFrame::OnLButtonUp(Point client) {
    Apply(Step(At(Kind::Release, client), Context()));
}

void GameFrame::OnRButtonDown(Point client) {
    Apply(Step(At(Kind::RightPress, client), Context()));
}

void GameFrame::OnMouseMove(Point client) {
    Apply(Step(At(Kind::Move, client), Context()));
}

void GameFrame::OnMouseLeave() {
    Apply(Step({.kind = Kind::Leave}, Context()));
}

void GameFrame::OnKeyDown(platform::Key key) {
    Apply(Step({.kind = Kind::KeyPress, .key = key}, Context()));
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
        Apply(Step({.kind = Kind::CaptionPress}, Context()));
}

void GameFrame::OnNcLButtonUp(HitCode code, Point) {
    if (code == HitCode::Caption)
        Apply(Step({.kind = Kind::CaptionRelease}, Context()));
}

void GameFrame::OnNcMouseMove(HitCode code, Point screen) {
    WindowEvent event = At(Kind::NonClientMove, window_->ScreenToClient(screen));
    event.onCaption = code == HitCode::Caption;
    Apply(Step(event, Context()));
}

void GameFrame::OnActivate(platform::ActivateState state, bool minimized) {
    const bool active = state != platform::ActivateState::Inactive && !minimized;
    Apply(Step({.kind = Kind::Activate, .active = active}, Context()));
}

} // namespace zembro
