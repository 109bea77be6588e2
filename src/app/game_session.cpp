// The session: deals, steps with what they say, the tick, and the views of the game.
#include "app/game_session.h"

#include "app/screen_reader.h"
#include "app/session_texts.h"
#include "game/board_input.h"
#include "game/deal.h"
#include "game/hint.h"

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
    noWinnableDeal_ = false;
    if (frame_.winnableDeals)
        noWinnableDeal_ = !DealWinnable(game_, params, seed);
    else
        zembro::Deal(game_, params, seed);
    dealt_ = game_;
    history_.Clear();
    hintShown_.reset();
    hinted_ = false;
    watch_.Restart(game_, true);
}

StepOutcome GameSession::Handle(const WindowEvent& event) {
    using Kind = WindowEvent::Kind;
    const SpokenState before = SpokenStateOf(game_, pointer_, frame_.Paused());
    // A hint stays until the player does something: the box that tells of the first hint, the
    // window system's questions and idle time leave it.
    const Kind keeps[] = {Kind::HitTest, Kind::Activate, Kind::DialogOpens, Kind::DialogClosed,
                          Kind::Idle};
    if (std::ranges::find(keeps, event.kind) == std::end(keeps))
        hintShown_.reset();
    const Board boardBefore = game_.board;
    const std::int32_t piecesBefore = game_.piecesLeft;
    const std::optional<Cell> selectedBefore = pointer_.selected;
    StepOutcome out = Step(event, {frame_, pointer_, game_, settings_, cellShape_});
    if (out.request == StepOutcome::Request::None && game_.board != boardBefore)
        history_.Record({.board = boardBefore, .piecesLeft = piecesBefore}, selectedBefore);
    const bool acted = event.kind == Kind::Press ||
                       (event.kind == Kind::KeyPress && event.key == platform::Key::Act);
    using Notice = StepOutcome::Notice;
    out.said = event.kind == Kind::NewGame      ? NewDealAnnouncement(game_)
               : out.notice == Notice::Counters ? CountersAnnouncement(game_)
               : out.notice == Notice::Edge
                   ? EdgeAnnouncement()
                   : Announcement(before, SpokenStateOf(game_, pointer_, frame_.Paused()), out.move,
                                  acted);
    if (event.kind == Kind::NewGame && noWinnableDeal_)
        out.said += std::string(", ") + NO_WINNABLE_DEAL_TEXT;
    if (out.winnableDeals)
        out.said = WinnableDealsAnnouncement(*out.winnableDeals);
    switch (out.request) {
    case StepOutcome::Request::TakeBack:
        TakeBack(out);
        break;
    case StepOutcome::Request::Hint:
        ShowHint(out);
        break;
    case StepOutcome::Request::SameDeal:
        SameDeal(out);
        break;
    case StepOutcome::Request::None:
        break;
    }
    if (game_.board != boardBefore && out.request != StepOutcome::Request::SameDeal)
        watch_.Restart(game_, false);
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

void GameSession::TakeBack(StepOutcome& out) {
    const bool taken = history_.TakeBack(game_, pointer_);
    if (taken && frame_.cursorShown) // the keyboard's cell is the hovered one
        PointerOnCell(game_, pointer_, settings_, frame_.cursor);
    out.said = TakeBackAnnouncement(taken);
}

void GameSession::ShowHint(StepOutcome& out) {
    const Hint hint = FindHint(game_.board, game_.fixedCode, &watch_.Answer(), HINT_BUDGET);
    out.said = HintAnnouncement(hint);
    if (hint.kind == Hint::Kind::Lost || hint.kind == Hint::Kind::None)
        return;
    // Drawn as the pointer's preview draws a path: the piece, the path, its end.
    PointerState shown;
    shown.selected = hint.step.from;
    shown.hover = hint.step.to;
    if (const std::optional<PathTrace> path =
            TracePath(game_.board, hint.step.from, hint.step.to, false))
        shown.path = *path;
    hintShown_ = shown;
    if (!hinted_)
        out.post = CMD_HINTED;
    hinted_ = true;
}

void GameSession::SameDeal(StepOutcome& out) {
    ResetGame(game_, pointer_);
    game_ = dealt_;
    history_.Clear();
    hinted_ = false;
    clock_.ResetFrameRate();
    watch_.Restart(game_, true);
    // Waiting for the first click, as after any deal.
    frame_.stateBits |= STATE_PAUSED;
    const StepOutcome dealt = Step({.kind = WindowEvent::Kind::NewGame},
                                   {frame_, pointer_, game_, settings_, cellShape_});
    out.systemPointer = dealt.systemPointer;
    out.fullRedraw = true;
    out.said = SameDealAnnouncement(game_);
}

void GameSession::BoardChanged() {
    history_.Clear();
    watch_.Restart(game_, true);
}

bool GameSession::TakeLoss() {
    if (pointer_.pressed || frame_.barShown || !watch_.TakeLoss())
        return false;
    spoken_ = LOST_TEXT;
    return true;
}

bool GameSession::Tick(std::uint32_t now) {
    return zembro::Tick(clock_, now, frame_.Paused(), (frame_.stateBits & STATE_INACTIVE) != 0,
                        game_, scene_);
}

FrameView GameSession::View() const {
    return {.game = game_,
            .pointer = hintShown_ ? *hintShown_ : pointer_,
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
