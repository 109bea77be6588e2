// The game window's logic as one step, free of any toolkit: a window event, with the state it
// finds, gives what the window must do. The frame turns the outcome into window calls.
#pragma once

#include "app/commands.h"
#include "game/board_input.h"
#include "game/game_settings.h"
#include "game/game_state.h"
#include "game/screen_layout.h"
#include "platform/window_types.h"
#include "render/scene.h"
#include "render/sprite.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zembro {

// The window's own state, kept as long as the window.
struct FrameState {
    std::uint32_t stateBits = STATE_PAUSED; // the clock waits for the first click
    // Game-screen coordinates of the game's pointer; off the screen, so drawn nowhere, until seen.
    int mouseX = SCREEN_WIDTH, mouseY = SCREEN_HEIGHT;
    // The keyboard's cell, drawn framed once a key has moved or used it, until the mouse moves.
    Cell cursor{1, 1};
    bool cursorShown = false;
    bool barShown = false;     // the button bar is on the screen
    int barChoice = 0;         // the bar's button the keyboard stands on, from the top
    bool systemPointer = true; // the system's pointer is shown over the game, not the game's own
    // The path's end drawn as a ring for a pair, a cross for a move that does not pair (C).
    bool pathShapes = false;
    bool winnableDeals = false; // every deal one the solver has won (W)

    bool Paused() const { return (stateBits & STATE_PAUSED) != 0; }
    // The keyboard's cell while it is framed.
    std::optional<Cell> Framed() const {
        return cursorShown ? std::optional(cursor) : std::nullopt;
    }
};

// The player's choice the frame keeps between runs.
inline constexpr const char* PREFERENCE_PATH_SHAPES = "pathShapes";
inline constexpr const char* PREFERENCE_WINNABLE_DEALS = "winnableDeals";

// The arrows follow the board as drawn: Up goes up the screen to the row before (up and right),
// Right to the next column (right and down), Down and Left the other way.
using Key = platform::Key;

// A window event; points in game-screen pixels.
struct WindowEvent {
    enum class Kind {
        Press,          // the left button, over the client area
        Release,        // the left button, over the client area
        RightPress,     // the right button, over the client area
        Move,           // over the client area
        Leave,          // the pointer left the window
        CaptionPress,   // the left button on the drag zone
        CaptionRelease, // the left button released on the drag zone
        NonClientMove,  // over the frame or the drag zone
        HitTest,        // the window system asks whether the point is the window's caption
        Activate,       // the window became active, or inactive or minimised
        KeyPress,       // a key the game answers
        Minimise,       // the minimise command
        DialogOpens,    // a dialog or message box is about to show
        DialogClosed,   // it closed; `inside`: the system pointer is over the client area at x, y
        NewGame,        // a new board was dealt
        BarClicked,     // a button of the bar was clicked: the bar hid itself
        Idle,           // idle time passed: the watch over the game has answered
    };
    Kind kind;
    int x = 0, y = 0;
    bool onCaption = false; // NonClientMove: over the drag zone
    bool active = false;    // Activate: active and shown
    bool inside = false;    // DialogClosed
    Key key = Key::Act;     // KeyPress
};

// What the window must do after a step.
struct StepOutcome {
    bool repaint = false;
    bool minimise = false;
    std::optional<bool> bar{};           // show or hide the button bar
    std::optional<bool> systemPointer{}; // show or hide the system pointer over the game
    std::optional<int> barHighlight{};   // show this bar button pressed, the keyboard's choice
    std::optional<int> barChoose{};      // click this bar button
    std::optional<bool> pathShapes{};    // the player turned the path's shapes on or off
    std::optional<bool> winnableDeals{}; // the player turned winnable deals on or off
    // What the session does that the step cannot: it keeps the moves, the deal and the solver.
    enum class Request { None, TakeBack, Hint, SameDeal } request = Request::None;
    // What a screen reader is to say beyond what changed: the counters (asked for), the board's
    // edge (an arrow that could not move the frame).
    enum class Notice { None, Counters, Edge } notice = Notice::None;
    std::optional<int> post{}; // a command to run once the event has been handled
    bool caption = false;      // HitTest: the point is the window's caption
    bool fullRedraw = false;   // the next paint recomposes, without the game's pointer
    SceneOverlays overlays{};  // what the next paint draws first over the scene
    MoveResult move = MoveResult::NoMove;
    std::string said{}; // what a screen reader is told of the step; empty for nothing
};

// All that a step reads and changes besides the event.
struct StepContext {
    FrameState& frame;
    PointerState& pointer;
    GameState& game;
    const OptionValues& settings;
    const Sprite& cellShape; // the empty cell: its shape is the hit test's
};

StepOutcome Step(const WindowEvent& event, const StepContext& context);

} // namespace zembro
