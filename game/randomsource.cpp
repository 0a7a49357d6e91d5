#include "randomsource.h"

#include <chrono>

namespace drovane {

ClockSeededRandom::ClockSeededRandom()
{
    reseed();
}

void ClockSeededRandom::reseed()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seed{static_cast<unsigned>(now), static_cast<unsigned>(now >> 32)};
    engine_.seed(seed);
}

float ClockSeededRandom::draw()
{
    // 24 random bits scaled by 2^-24: exactly representable, never 1.
    return static_cast<float>(engine_() >> 8) * 0x1.0p-24f;
}

RandomSource& programRandom()
{
    static ClockSeededRandom random;
    return random;
}

}  // namespace drovane
