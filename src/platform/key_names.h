// The game's keys by name, and the one rule for what a modifier does to them, for every back end
// and every script.
#pragma once

#include "platform/window_types.h"

#include <optional>
#include <span>
#include <string_view>

namespace zembro::platform {

// A key as pressed: its name ("up", "space", "return", "escape", "backspace", "f1", "a" ...
// "z") and the modifiers held with it.
struct KeyStroke {
    std::string_view name;
    bool shift = false, control = false;
    bool alt = false; // Alt, or the system's logo key
};

// The game's key a stroke is, if any. Alt or the logo key makes any key the desktop's; Control
// makes it the desktop's unless the game binds it with Control; Shift changes nothing (Caps Lock
// or a held Shift still plays).
std::optional<Key> GameKey(const KeyStroke& stroke);

// The table behind it: a name, the X key that presses it (for the scripts that drive the real
// game), whether Control is held, the key. Scripts write "ctrl+NAME".
struct KeyBinding {
    std::string_view name, keysym;
    bool control;
    Key key;
};
std::span<const KeyBinding> KeyBindings();

// A script's key word ("p", "ctrl+z") as a stroke, if it is one of the table's.
std::optional<KeyStroke> StrokeNamed(std::string_view word);

} // namespace zembro::platform
