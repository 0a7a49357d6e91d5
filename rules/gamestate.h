// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/rowarray.h"

#include <cstdint>

namespace drovane {

// The state every game screen shares: one program-wide instance, all zero at start.
struct GameState {
    std::int16_t scoreCount = 0;
    std::int16_t scoreCheck = 0;          // the score the tick itself last wrote
    RowArray<std::int16_t, 60> wallLeft;  // stored offset of each row's wall; 31 to 60 unused
    double driftStep = 0;                 // largest sideways step of a new row
    double corridorGap = 0;               // from wallLeft(k) to the right bar of row k
    std::int16_t rowIndex = 0;            // loop index shared by every loop over rows
    std::int16_t bonusSide = 0;           // 1: next bonus beside the left wall
    std::int16_t pelletSide = 0;          // 1: next pellet beside the left wall
};

// The program-wide instance.
GameState& sharedGameState();

}  // namespace drovane
