// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/randomsource.h"

#include <chrono>

namespace drovane {

ClockSeededRandom::ClockSeededRandom()
{
    reseed();
}

void ClockSeededRandom::reseed()
{
    const auto now = static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    // Two reseeds within one clock step still start different sequences.
    engine_.seed(now + ++reseeds_ * 0x9E3779B97F4A7C15ULL);
}

float ClockSeededRandom::draw()
{
    // The top 24 bits scaled by 2^-24: exactly representable, never 1.
    return static_cast<float>(engine_() >> 40) * 0x1.0p-24f;
}

RandomSource& programRandom()
{
    static ClockSeededRandom random;
    return random;
}

}  // namespace drovane
