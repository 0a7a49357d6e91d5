// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/gamestate.h"

namespace drovane {

GameState& sharedGameState()
{
    static GameState state;
    return state;
}

}  // namespace drovane
