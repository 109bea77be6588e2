// The game window's mouse and window-state messages, each one window step.
#include "app/game_frame.h"

#include "app/screen_reader.h"
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
            .settings = settings_,
            .cellShape = sprites_.cellEmpty,
            .barShown = bar_.Visible()};
}

void GameFrame::Run(const WindowEvent& event) {
    const auto paused = [&] { return (frame_.stateBits & STATE_PAUSED) != 0; };
    const SpokenState before = SpokenStateOf(game_, paused());
    const StepOutcome outcome = Step(event, Context());
    const bool acted = event.kind == Kind::Press ||
                       (event.kind == Kind::KeyPress && event.key == platform::Key::Act);
    using Notice = StepOutcome::Notice;
    const std::string said =
        event.kind == Kind::NewGame          ? NewDealAnnouncement(game_)
        : outcome.notice == Notice::Counters ? CountersAnnouncement(game_)
        : outcome.notice == Notice::Edge
            ? EdgeAnnouncement()
            : Announcement(before, SpokenStateOf(game_, paused()), outcome.move, acted);
    if (!said.empty())
        spoken_ = said;
    if (window_)
        window_->ScreenReaderUpdate(!said.empty());
    Apply(outcome);
}

platform::ScreenReaderView GameFrame::Describe() const {
    platform::ScreenReaderView view =
        DescribeGame(game_, frame_.cursorShown ? frame_.cursorCol : 0, frame_.cursorRow);
    view.status = spoken_;
    return view;
}

void GameFrame::Apply(const StepOutcome& outcome) {
    SceneOverlays& overlays = scene_.overlays;
    overlays.removePointer = overlays.removePointer || outcome.overlays.removePointer;
    overlays.menuStrip = overlays.menuStrip || outcome.overlays.menuStrip;
    overlays.pauseMarks.insert(overlays.pauseMarks.end(), outcome.overlays.pauseMarks.begin(),
                               outcome.overlays.pauseMarks.end());
    scene_.fullRedraw = scene_.fullRedraw || outcome.fullRedraw;
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
    if (outcome.post)
        window_->PostCommand(*outcome.post);
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

HitCode GameFrame::OnNcHitTest(Point screen, HitCode standard) {
    if (standard != HitCode::Client)
        return standard;
    // Made a client point first, then a game point, as every pointer event is: the offset is in
    // scene pixels, whatever the screen's scale.
    const WindowEvent asked = At(Kind::HitTest, window_->ScreenToClient(screen));
    const StepOutcome answer = Step(asked, Context());
    return answer.caption ? HitCode::Caption : HitCode::Client;
}

void GameFrame::OnNcLButtonDown(HitCode code, Point) {
    if (code == HitCode::Caption)
        Run({.kind = Kind::CaptionPress});
}

void GameFrame::OnNcLButtonUp(HitCode code, Point) {
    if (code == HitCode::Caption)
        Run({.kind = Kind::CaptionRelease});
}

void GameFrame::OnNcMouseMove(HitCode code, Point screen) {
    WindowEvent event = At(Kind::NonClientMove, window_->ScreenToClient(screen));
    event.onCaption = code == HitCode::Caption;
    Run(event);
}

void GameFrame::OnActivate(platform::ActivateState state, bool minimized) {
    const bool active = state != platform::ActivateState::Inactive && !minimized;
    Run({.kind = Kind::Activate, .active = active});
}

} // namespace zembro
