// The generator the deal relies on: known sequences, and skipping ahead as stepping does.
#include "game/random_generator.h"

#include <gtest/gtest.h>

#include <vector>

namespace zembro {
namespace {

std::vector<int> FirstValues(std::uint32_t seed, int count) {
    RandomGenerator rng(seed);
    std::vector<int> values;
    for (int i = 0; i < count; ++i)
        values.push_back(rng.Next());
    return values;
}

TEST(RandomGenerator, KnownSequences) {
    EXPECT_EQ(FirstValues(1, 5), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
    EXPECT_EQ(FirstValues(0, 3), (std::vector<int>{38, 7719, 21238}));
}

template <std::uint32_t STEPS> void ExpectSkipMatchesSteps(std::uint32_t seed) {
    RandomGenerator stepped(seed), skipped(seed);
    for (std::uint32_t i = 0; i < STEPS; ++i)
        stepped.Next();
    skipped.Skip<STEPS>();
    EXPECT_EQ(skipped.State(), stepped.State()) << STEPS << " steps from " << seed;
}

TEST(RandomGenerator, SkipEqualsSteppingOneByOne) {
    for (const std::uint32_t seed : {0u, 1u, 19u, 12345u, 0xDEADBEEFu}) {
        ExpectSkipMatchesSteps<0>(seed);
        ExpectSkipMatchesSteps<1>(seed);
        ExpectSkipMatchesSteps<7>(seed);
        ExpectSkipMatchesSteps<18510>(seed);
    }
}

} // namespace
} // namespace zembro
