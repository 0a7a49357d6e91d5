#pragma once

#include "gamehost.h"
#include "gamestate.h"
#include "playfield.h"

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

// The run as the pause caption and gameOver show it together.
enum class RunState { Running, Paused, Lost, ResumedAfterLoss, LostPaused };

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
    RunState runState() const;

    // Events.
    void load();
    void tick();
    void launchStone();
    void launchBonus();
    void launchPellet();
    void keyDown(int keyCode);
    void clickPause();
    void clickQuit();
    // The window lost the focus to another program or was minimised: a run that is going
    // pauses as P pauses it. Coming back resumes nothing.
    void windowLeft();

    // Shared procedures, also used by the score submission.
    void setTimers(bool enabled);  // the screen's timer switch, setTimers_<screen>
    void stopTick();               // Timer1 alone
    void buildTunnel();
    void lose();  // the end-of-run sequence
    void replay();
    void cheatRestart();

private:
    void scoreStep();
    void wallTests();
    void fallSteps();
    void contactTests();
    void collectPrize(int reward);
    void difficultyStep();
    void scroll();
    void newTopRow();
    int drawSign();
    void zeroLeftWall();
    void resetRunVariables();  // what a load, a replay and a cheat restart all set back

    const GameMode& mode_;
    GameState& state_;
    GameHost& host_;
    RandomSource& random_;
    Playfield field_;
};

}  // namespace drovane
