// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/gamehost.h"
#include "rules/gamestate.h"
#include "rules/playfield.h"
#include "rules/submittedrun.h"

#include <cstdint>

namespace drovane {

struct GameMode;
class RandomSource;

// What the player tells a run, from whichever key the screen maps onto it.
enum class Command {
    SteerLeft,   // moves the ship one step left while the run is going
    SteerRight,  // one step right
    Pause,       // pauses a run that is going, resumes one that is not
    Replay,      // starts a lost run again, as a click on "Rejouer" does; nothing otherwise
};

// What tells the bonus and the pellet apart when their timers launch them.
struct Prize {
    FallingObject Playfield::*object;
    std::int16_t GameState::*nextSide;  // 1: beside the left wall, 2: beside the right wall
};
inline constexpr Prize bonusPrize{&Playfield::bonus, &GameState::bonusSide};
inline constexpr Prize pelletPrize{&Playfield::pellet, &GameState::pelletSide};

// The rules of one game screen, without any window: it is driven by events (load,
// ticks, launches, commands, clicks) and reaches the outside only through GameHost.
// The score submission works on it as a SubmittedRun.
class GameCore final : public SubmittedRun {
public:
    GameCore(const GameMode& mode, GameState& state, GameHost& host, RandomSource& random);

    const GameMode& mode() const override { return mode_; }
    const Playfield& playfield() const { return field_; }
    Playfield& playfield() { return field_; }
    const GameState& state() const { return state_; }
    GameState& state() { return state_; }
    RunState runState() const { return field_.run; }

    // Events.
    void load();
    void tick();
    void launchStone();
    void launchBonus() { launchPrize(bonusPrize); }
    void launchPellet() { launchPrize(pelletPrize); }
    void command(Command command);
    void clickPause();
    // The window lost the focus to another program or was minimised: a run that is going
    // pauses as P pauses it. Coming back resumes nothing.
    void windowLeft();
    // The end-of-run sequence, as a collision runs it.
    void lose();

    // SubmittedRun
    std::int16_t score() const override { return state_.scoreCount; }
    void stopTick() override;
    void cheatRestart() override { restartRun(RunRestart::CheatRestart); }

private:
    // The two ways a new run starts on a screen that is already loaded: the replay (a
    // click on `pause` after a loss) sets back everything the load step sets; the cheat
    // restart of a refused submission leaves scoreCheck and the prizes' Top as they were.
    enum class RunRestart { Replay, CheatRestart };

    void setTimers(bool enabled);  // the screen's timer switch: every timer its mode has
    void buildTunnel();
    void restartRun(RunRestart restart);
    void launchPrize(const Prize& prize);
    void scoreStep();
    void wallTests();
    void fallSteps();
    void contactTests();
    void collectPrize(int reward);
    void difficultyStep();
    void scroll();
    void newTopRow();
    int drawSign();
    void pauseOrResume();      // P, and a click on `pause` while the run is not lost
    void resetRunVariables();  // what a load and every restart set back

    const GameMode& mode_;
    GameState& state_;
    GameHost& host_;
    RandomSource& random_;
    Playfield field_;
};

}  // namespace drovane
