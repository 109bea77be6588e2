// The one key rule: Shift changes nothing, Control only what is bound with it, Alt everything.
#include "platform/key_names.h"

#include <gtest/gtest.h>

namespace zembro::platform {
namespace {

TEST(KeyNames, ModifiersAreTheDesktopsButShift) {
    const std::pair<KeyStroke, std::optional<Key>> cases[] = {
        {{.name = "p"}, Key::Pause},
        {{.name = "p", .shift = true}, Key::Pause},
        {{.name = "right", .shift = true}, Key::Right},
        {{.name = "return"}, Key::Act},
        {{.name = "p", .control = true}, std::nullopt},
        {{.name = "right", .alt = true}, std::nullopt},
        {{.name = "q"}, std::nullopt},
        {{.name = ""}, std::nullopt},
    };
    for (const auto& [stroke, key] : cases)
        EXPECT_EQ(GameKey(stroke), key) << stroke.name;
    for (const KeyBinding& b : KeyBindings()) { // a script names every key of the table
        const std::string word = std::string(b.control ? "ctrl+" : "") + std::string(b.name);
        ASSERT_TRUE(StrokeNamed(word)) << word;
        EXPECT_EQ(GameKey(*StrokeNamed(word)), b.key) << word;
    }
    EXPECT_FALSE(StrokeNamed("ctrl+p"));
    EXPECT_FALSE(StrokeNamed("shift"));
}

} // namespace
} // namespace zembro::platform
