#include "gamestate.h"

namespace drovane {

GameState& sharedGameState()
{
    static GameState state;
    return state;
}

}  // namespace drovane
