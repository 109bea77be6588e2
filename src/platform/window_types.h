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
enum class Key { Up, Down, Left, Right, Act, Cancel, Pause, Menu, Shapes, Counters };

enum class MessageIcon { Error, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel };
// How a message box or a dialog ended.
enum class Answer { Ok, Cancel };

} // namespace zembro::platform
