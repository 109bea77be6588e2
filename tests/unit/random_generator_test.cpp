// The generator the deal relies on: known sequences, and skipping ahead as stepping does.
#include "game/random_generator.h"

#include <gtest/gtest.h>

namespace zembro {
namespace {

TEST(RandomGenerator, KnownSequencesAndSkipsThatStepAsNext) {
    const std::pair<std::uint32_t, std::vector<int>> known[] = {
        {1, {41, 18467, 6334, 26500, 19169}}, {0, {38, 7719, 21238}}};
    for (const auto& [seed, values] : known) {
        RandomGenerator rng(seed);
        for (const int value : values)
            EXPECT_EQ(rng.Next(), value) << seed;
    }
    for (const std::uint32_t seed : {0u, 19u, 0xDEADBEEFu}) {
        RandomGenerator stepped(seed), skipped(seed);
        for (int i = 0; i < 18510; ++i)
            stepped.Next();
        skipped.Skip<18510>();
        EXPECT_EQ(skipped.State(), stepped.State()) << seed;
        skipped.Skip<1>();
        stepped.Next();
        EXPECT_EQ(skipped.State(), stepped.State()) << seed;
    }
}

} // namespace
} // namespace zembro
