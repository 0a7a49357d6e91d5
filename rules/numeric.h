// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace drovane {

// Positions are stored in single precision.
inline float asSingle(double value)
{
    return static_cast<float>(value);
}

// "As integer": nearest, ties to even, into a 16-bit signed integer. Values beyond
// the range saturate rather than wrap; play never gets there.
inline std::int16_t asInteger(double value)
{
    const double rounded = std::nearbyint(value);
    constexpr double lowest = std::numeric_limits<std::int16_t>::min();
    constexpr double highest = std::numeric_limits<std::int16_t>::max();
    if (!(rounded >= lowest))
        return std::numeric_limits<std::int16_t>::min();
    if (rounded > highest)
        return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(rounded);
}

// 16-bit score arithmetic that saturates instead of overflowing.
inline std::int16_t addScore(std::int16_t score, int points)
{
    return asInteger(static_cast<double>(score) + points);
}

}  // namespace drovane
