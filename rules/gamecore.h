// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/gamehost.h"
#include "rules/gamestate.h"
#include "rules/playfield.h"

#include <cstdint>

namespace drovane {

struct GameMode;
class RandomSource;

// Key codes a game screen reacts to.
namespace keys {
inline constexpr int left = 37;
inline constexpr int right = 39;
inline constexpr int pause = 80;
inline constexpr int mute = 77;       // M
inline constexpr int replay = 82;     // R, as a click on "Rejouer"
inline constexpr int replayF2 = 113;  // F2, the same
// Chords with Ctrl carry this flag beside the key's code.
inline constexpr int control = 0x10000;
inline constexpr int submit = control | 83;  // Ctrl+S, as a click on "Valider"
inline constexpr int quit = control | 81;    // Ctrl+Q, as a click on "Quitter"
}  // namespace keys

// The two ways a new run starts on a screen that is already loaded: the replay (a
// click on `pause` after a loss) sets back everything the load step sets; the cheat
// restart of a refused submission leaves scoreCheck and the prizes' Top as they were.
enum class RunRestart { Replay, CheatRestart };

// What tells the bonus and the pellet apart when their timers launch them.
struct Prize {
    FallingObject Playfield::*object;
    std::int16_t GameState::*nextSide;  // 1: beside the left wall, 2: beside the right wall
};
inline constexpr Prize bonusPrize{&Playfield::bonus, &GameState::bonusSide};
inline constexpr Prize pelletPrize{&Playfield::pellet, &GameState::pelletSide};

// The rules of one game screen, without any window: it is driven by events (load,
// ticks, launches, keys, clicks) and reaches the outside only through GameHost.
class GameCore {
public:
    GameCore(const GameMode& mode, GameState& state, GameHost& host, RandomSource& random);

    const GameMode& mode() const { return mode_; }
    const Playfield& playfield() const { return field_; }
    Playfield& playfield() { return field_; }
    const GameState& state() const { return state_; }
    GameState& state() { return state_; }
    GameHost& host() { return host_; }
    RunState runState() const { return field_.run; }

    // Events.
    void load();
    void tick();
    void launchStone();
    void launchBonus() { launchPrize(bonusPrize); }
    void launchPellet() { launchPrize(pelletPrize); }
    void keyDown(int keyCode);
    void clickPause();
    void clickQuit();
    // The window lost the focus to another program or was minimised: a run that is going
    // pauses as P pauses it. Coming back resumes nothing.
    void windowLeft();

    // Shared procedures, also used by the score submission.
    void setTimers(bool enabled);  // the screen's timer switch: every timer its mode has
    void stopTick();               // GameTimer::Tick alone
    void buildTunnel();
    void lose();  // the end-of-run sequence
    void restartRun(RunRestart restart);

private:
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
