#include "gamestate.h"

namespace drovane {

GameState& module5()
{
    static GameState state;
    return state;
}

}  // namespace drovane
