// Which of the toolkit's window-system back ends the game asks for.
#pragma once

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

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

// The scene is shown at a whole multiple of its size, each pixel a sharp block: a scale factor
// as QT_SCALE_FACTOR or QT_SCREEN_SCALE_FACTORS gives it ("1.5", or "NAME=1.5;2" for screens)
// with each number rounded to a whole one, down below three quarters (1.5 is 1, 1.75 is 2),
// never below 1. Anything that is not a number is left as it is.
inline std::string WholeScaleFactors(std::string_view factors) {
    std::string whole;
    while (true) {
        const std::size_t end = std::min(factors.find(';'), factors.size());
        std::string_view item = factors.substr(0, end);
        const std::size_t equals = item.find('=');
        const std::string_view name =
            equals == std::string_view::npos ? std::string_view() : item.substr(0, equals + 1);
        const std::string number(equals == std::string_view::npos ? item : item.substr(equals + 1));
        char* stop = nullptr;
        const double value = std::strtod(number.c_str(), &stop);
        whole += name;
        if (!number.empty() && stop == number.c_str() + number.size() && std::isfinite(value))
            whole += std::to_string(std::max(1L, std::lround(std::floor(value + 0.25))));
        else
            whole += number;
        if (end == factors.size())
            return whole;
        whole += ';';
        factors.remove_prefix(end + 1);
    }
}

} // namespace zembro::platform
