// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace drovane {

struct GameMode;

// What the score submission ("Valider") sees and does of the run whose result it
// offers to the table. The rules of a game screen (GameCore) implement it.
class SubmittedRun {
public:
    virtual ~SubmittedRun() = default;

    virtual const GameMode& mode() const = 0;
    // The run's score as it stands.
    virtual std::int16_t score() const = 0;
    // Switches the tick off, alone: the launch timers go on, and the run's state and
    // the `pause` caption stay as they are (a run going on still reads "Pause").
    virtual void stopTick() = 0;
    // For a score too high to be genuine: a new run on the same screen at once, every
    // timer on, the score 0. Unlike the replay, it leaves scoreCheck and the prizes'
    // Top as they were.
    virtual void cheatRestart() = 0;
};

}  // namespace drovane
