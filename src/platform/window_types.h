// Plain values that pass between the system and the window framework.
#pragma once

#include <cstdint>

namespace zembro::platform {

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0, height = 0;
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// The keys the game answers: the arrows; Space or Return; Escape; P; M; C; I (the counters).
enum class Key {
    Up,
    Down,
    Left,
    Right,
    Act,
    Cancel,
    Pause,
    Menu,
    Shapes,
    Counters,
    TakeBack, // the last move or pair taken back
    Hint,     // the next step of a winning line shown
    SameDeal, // the board as it was dealt, again
    Winnable, // only deals the solver can win, or any
    KeysList, // the game's keys told
};

enum class MessageIcon { Error, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel };
// How a message box or a dialog ended.
enum class Answer { Ok, Cancel };

} // namespace zembro::platform
