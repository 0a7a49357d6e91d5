#pragma once

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

class ClockSeededRandom final : public RandomSource {
public:
    ClockSeededRandom();
    void reseed() override;
    float draw() override;

private:
    std::mt19937 engine_;
};

// The program-wide generator the real windows use.
RandomSource& programRandom();

}  // namespace drovane
