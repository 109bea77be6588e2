// The key table.
#include "platform/key_names.h"

#include <array>

namespace zembro::platform {
namespace {

constexpr std::array<KeyBinding, 11> BINDINGS = {{
    {"up", false, Key::Up},
    {"down", false, Key::Down},
    {"left", false, Key::Left},
    {"right", false, Key::Right},
    {"space", false, Key::Act},
    {"return", false, Key::Act},
    {"escape", false, Key::Cancel},
    {"p", false, Key::Pause},
    {"m", false, Key::Menu},
    {"c", false, Key::Shapes},
    {"i", false, Key::Counters},
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
