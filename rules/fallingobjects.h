// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/playfield.h"

#include <cstdint>
#include <optional>

namespace drovane {

namespace falling {
inline constexpr int bonusReward = 100;
inline constexpr int pelletReward = 30;
}  // namespace falling

// One row down while visible; hidden on reaching the bottom row, visible or not.
void fallOneRow(FallingObject& object);

// True when the object stands in the ship's row and overlaps the part of the ship
// from S + 18 to S + 120 over [left, left + reach), touching not counting.
bool meetsShip(const FallingObject& object, float reach, float shipLeft);

// Where a stone is launched, from the Lefts of the top row's bars.
float stoneLaunchLeft(float topLeftBar, float topRightBar);

// Where a bonus or pellet is launched: beside the left wall when side is 1, else
// beside the right wall; nearer the walls from nearWallScore on.
float prizeLaunchLeft(std::int16_t side, std::int16_t score, std::optional<std::int16_t> nearWallScore,
                      float topLeftBar, float topRightBar);

// Puts the object one row above the top row, visible.
void launch(FallingObject& object, float left);

}  // namespace drovane
