// The key table.
#include "platform/key_names.h"

#include <array>

namespace zembro::platform {
namespace {

constexpr std::array<KeyBinding, 17> BINDINGS = {{
    {"up", "Up", false, Key::Up},
    {"down", "Down", false, Key::Down},
    {"left", "Left", false, Key::Left},
    {"right", "Right", false, Key::Right},
    {"space", "space", false, Key::Act},
    {"return", "Return", false, Key::Act},
    {"escape", "Escape", false, Key::Cancel},
    {"p", "p", false, Key::Pause},
    {"m", "m", false, Key::Menu},
    {"c", "c", false, Key::Shapes},
    {"i", "i", false, Key::Counters},
    {"z", "z", true, Key::TakeBack},
    {"backspace", "BackSpace", false, Key::TakeBack},
    {"h", "h", false, Key::Hint},
    {"f5", "F5", false, Key::SameDeal},
    {"w", "w", false, Key::Winnable},
    {"f1", "F1", false, Key::KeysList},
}};

constexpr std::string_view CONTROL_PREFIX = "ctrl+";

} // namespace

std::span<const KeyBinding> KeyBindings() {
    return BINDINGS;
}

std::optional<Key> GameKey(const KeyStroke& stroke) {
    if (stroke.alt)
        return std::nullopt;
    for (const KeyBinding& b : BINDINGS)
        if (b.name == stroke.name && b.control == stroke.control)
            return b.key;
    return std::nullopt;
}

std::optional<KeyStroke> StrokeNamed(std::string_view word) {
    KeyStroke stroke;
    if (word.starts_with(CONTROL_PREFIX)) {
        stroke.control = true;
        word.remove_prefix(CONTROL_PREFIX.size());
    }
    for (const KeyBinding& b : BINDINGS)
        if (b.name == word && b.control == stroke.control) {
            stroke.name = b.name;
            return stroke;
        }
    return std::nullopt;
}

} // namespace zembro::platform
