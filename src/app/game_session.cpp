// The session: deals, steps with what they say, the tick, and the views of the game.
#include "app/game_session.h"

#include "app/screen_reader.h"
#include "game/deal.h"

#include <algorithm>

namespace zembro {

GameSession::GameSession(const OptionValues& settings, const Sprite& cellShape)
    : settings_(settings), cellShape_(cellShape) {
    ResetGame(game_, pointer_);
}

void GameSession::Deal(std::uint32_t seed) {
    ResetGame(game_, pointer_);
    clock_.ResetFrameRate();
    DealParams params = DealParamsFrom(settings_);
    // Settings read again during the run may name more pictures than start-up loaded: the deal
    // keeps to the pictures there are, the last one being the fixed cell's.
    if (pictures_ > 0) {
        params.numMaxPedine = std::min(params.numMaxPedine, pictures_);
        params.kinds = std::min(params.kinds, params.numMaxPedine - 1);
    }
    zembro::Deal(game_, params, seed);
}

StepOutcome GameSession::Handle(const WindowEvent& event) {
    using Kind = WindowEvent::Kind;
    const SpokenState before = SpokenStateOf(game_, pointer_, frame_.Paused());
    StepOutcome out = Step(event, {frame_, pointer_, game_, settings_, cellShape_});
    const bool acted = event.kind == Kind::Press ||
                       (event.kind == Kind::KeyPress && event.key == platform::Key::Act);
    using Notice = StepOutcome::Notice;
    out.said = event.kind == Kind::NewGame      ? NewDealAnnouncement(game_)
               : out.notice == Notice::Counters ? CountersAnnouncement(game_)
               : out.notice == Notice::Edge
                   ? EdgeAnnouncement()
                   : Announcement(before, SpokenStateOf(game_, pointer_, frame_.Paused()), out.move,
                                  acted);
    if (!out.said.empty())
        spoken_ = out.said;
    // What the composer draws first, gathered until the next paint.
    SceneOverlays& overlays = scene_.overlays;
    overlays.removePointer = overlays.removePointer || out.overlays.removePointer;
    overlays.menuStrip = overlays.menuStrip || out.overlays.menuStrip;
    overlays.pauseMarks.insert(overlays.pauseMarks.end(), out.overlays.pauseMarks.begin(),
                               out.overlays.pauseMarks.end());
    scene_.fullRedraw = scene_.fullRedraw || out.fullRedraw;
    return out;
}

bool GameSession::Tick(std::uint32_t now) {
    return zembro::Tick(clock_, now, frame_.Paused(), (frame_.stateBits & STATE_INACTIVE) != 0,
                        game_, scene_);
}

FrameView GameSession::View() const {
    return {.game = game_,
            .pointer = pointer_,
            .settings = settings_,
            .fps = clock_.fps,
            .mouseX = frame_.mouseX,
            .mouseY = frame_.mouseY,
            .frozen = (frame_.stateBits & STATE_FREEZING_BITS) != 0,
            .paused = frame_.Paused(),
            .barVisible = frame_.barShown,
            .frame = frame_.Framed(),
            .pathShapes = frame_.pathShapes};
}

platform::ScreenReaderView GameSession::Describe() const {
    platform::ScreenReaderView view = DescribeGame(game_, pointer_, frame_.Framed());
    view.status = spoken_;
    return view;
}

} // namespace zembro
