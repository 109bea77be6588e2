// What happens to the game window, each one event through the session, and the outcome made
// window calls.
#include "app/game_frame.h"

#include "game/screen_zones.h"

namespace zembro {

using platform::Point;
using Kind = WindowEvent::Kind;

namespace {

// A client point as the game's: the scene is the client area moved by the pointer's offset.
WindowEvent At(Kind kind, Point client) {
    return {.kind = kind, .x = client.x + POINTER_OFFSET_X, .y = client.y + POINTER_OFFSET_Y};
}

} // namespace

void GameFrame::Run(const WindowEvent& event) {
    const StepOutcome out = session_.Handle(event);
    if (window_)
        window_->ScreenReaderUpdate(!out.said.empty());
    if (out.bar)
        bar_.ShowBar(*out.bar);
    if (out.barHighlight)
        bar_.Highlight(*out.barHighlight);
    if (out.barChoose)
        bar_.Choose(*out.barChoose);
    if (out.pathShapes)
        framework_.SetPreference(PREFERENCE_PATH_SHAPES, *out.pathShapes);
    if (out.winnableDeals)
        framework_.SetPreference(PREFERENCE_WINNABLE_DEALS, *out.winnableDeals);
    if (out.systemPointer)
        ShowSystemCursor(*out.systemPointer);
    if (!window_)
        return;
    if (out.minimise)
        window_->Minimize();
    if (out.repaint)
        window_->Invalidate();
    if (out.post)
        window_->PostCommand(*out.post);
}

void GameFrame::OnLButtonDown(Point client) {
    Run(At(Kind::Press, client));
}

void GameFrame::OnLButtonUp(Point client) {
    Run(At(Kind::Release, client));
}

void GameFrame::OnRButtonDown(Point client) {
    Run(At(Kind::RightPress, client));
}

void GameFrame::OnMouseMove(Point client) {
    Run(At(Kind::Move, client));
}

void GameFrame::OnMouseLeave() {
    Run({.kind = Kind::Leave});
}

void GameFrame::OnKeyDown(platform::Key key) {
    Run({.kind = Kind::KeyPress, .key = key});
}

bool GameFrame::IsDragZone(Point client) {
    return session_.Handle(At(Kind::HitTest, client)).caption;
}

void GameFrame::OnDragStart() {
    Run({.kind = Kind::CaptionPress});
}

void GameFrame::OnDragEnd() {
    Run({.kind = Kind::CaptionRelease});
}

void GameFrame::OnFrameMove(Point client, bool onDragZone) {
    WindowEvent event = At(Kind::NonClientMove, client);
    event.onCaption = onDragZone;
    Run(event);
}

void GameFrame::OnActivate(bool active) {
    Run({.kind = Kind::Activate, .active = active});
}

} // namespace zembro
