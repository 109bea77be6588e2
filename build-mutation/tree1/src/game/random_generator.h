// The deal's pseudo-random generator: a 32-bit linear congruential generator whose arithmetic
// is fixed, so a start value gives the same board on every platform.
#pragma once

#include <cstdint>

namespace zembro {

class RandomGenerator {
  public:
    static constexpr std::uint32_t MULTIPLIER = 214013u;
    static constexpr std::uint32_t INCREMENT = 2531011u;

    explicit constexpr RandomGenerator(std::uint32_t seed = 1) : state_(seed) {}

    constexpr void Seed(std::uint32_t seed) { state_ = seed; }
    constexpr std::uint32_t State() const { return state_; }

    // Advances the state and gives a value 0..32767.
    constexpr int Next() {
        state_ = state_ * MULTIPLIER + INCREMENT;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

    // Advances the state as `STEPS` calls of Next() would, in constant time.
    template <std::uint32_t STEPS> constexpr void Skip() {
        state_ = SKIP_TABLE<STEPS>.multiplier * state_ + SKIP_TABLE<STEPS>.increment;
    }

  private:
    // n steps of x -> a*x + c compose into x -> A*x + C; built once at compile time.
    struct Affine {
        std::uint32_t multiplier;
        std::uint32_t increment;
    };
    static constexpr Affine Compose(std::uint32_t steps) {
        Affine total{1u, 0u};
        for (std::uint32_t i = 0; i < steps; ++i)
            total = {total.multiplier * MULTIPLIER, total.increment * MULTIPLIER + INCREMENT};
        return total;
    }
    template <std::uint32_t STEPS> static constexpr Affine SKIP_TABLE = Compose(STEPS);

    std::uint32_t state_;
};

} // namespace zembro
