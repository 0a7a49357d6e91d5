// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/geometry.h"
#include "rules/playfield.h"

namespace drovane::test {

// Draws of the generator: a tunnel build takes a sign, a left bar and an offset for each
// of rows 2 to 30; a tick takes the same for its new top row.
inline constexpr int drawsPerBuild = 3 * (geometry::rowsPerWall - 1);
inline constexpr int drawsPerTick = 3;

// The ship's Left that puts it in the middle of the free corridor of its row.
inline float centredShipLeft(const Playfield& field)
{
    const float freeLeft = field.barLeft[geometry::collisionRow] + geometry::barWidth;
    const float freeRight = field.barLeft[geometry::collisionRow + geometry::rowsPerWall];
    return (freeLeft + freeRight) / 2 - float(geometry::shipWidth) / 2;
}

}  // namespace drovane::test
