// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <random>

namespace drovane {

// The uniform generator of the game: draws in [0, 1), kept in single precision.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Seed afresh from the clock.
    virtual void reseed() = 0;
    // The next value r, 0 <= r < 1.
    virtual float draw() = 0;
};

// A 64-bit linear congruential engine: its top bits are well mixed and, unlike a
// Mersenne twister, it reseeds in nanoseconds, which matters at two reseeds a tick.
class ClockSeededRandom final : public RandomSource {
public:
    ClockSeededRandom();
    void reseed() override;
    float draw() override;

private:
    using Engine = std::linear_congruential_engine<std::uint64_t, 6364136223846793005ULL, 1442695040888963407ULL, 0ULL>;
    Engine engine_;
    std::uint64_t reseeds_ = 0;
};

// The program-wide generator the real windows use.
RandomSource& programRandom();

}  // namespace drovane
