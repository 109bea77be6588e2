// Which of the toolkit's window-system back ends the game asks for.
#pragma once

#include <optional>
#include <string>

namespace zembro::platform {

// The game places its own window and draws its own frame, which a Wayland compositor does not
// let a client do: where an X display is at hand (XWayland, or X itself) the game asks for X,
// unless the player chose a back end. `chosen` is QT_QPA_PLATFORM, `display` is DISPLAY.
inline std::optional<std::string> PlatformToAskFor(const char* chosen, const char* display) {
    const bool playerChose = chosen != nullptr && *chosen != '\0';
    const bool xAtHand = display != nullptr && *display != '\0';
    if (playerChose || !xAtHand)
        return std::nullopt;
    return "xcb";
}

} // namespace zembro::platform
