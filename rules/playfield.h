// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/geometry.h"
#include "rules/rowarray.h"

#include <QString>

namespace drovane {

// Where a run stands. The `pause` label shows it: "Pause" while it goes (also when P
// set it going again after a loss), "Reprendre" while it is paused, "Rejouer" once lost.
enum class RunState { Running, Paused, Lost, ResumedAfterLoss, LostPaused };

QString pauseCaption(RunState run);
// The ship answers the arrow keys and the timers run: the caption reads "Pause".
bool isGoing(RunState run);
// A collision ended the run: a click on `pause` then starts a new one.
bool isLost(RunState run);

// A stone, bonus or pellet: one per screen, reused by every launch.
struct FallingObject {
    float left = 0;
    float top = 0;
    bool visible = false;
};

// The controls of a game screen that the rules move.
struct Playfield {
    RowArray<float, 60> barLeft;  // bars 1 to 30: left wall; 31 to 60: right wall
    float shipLeft = geometry::shipDesignLeft;
    FallingObject stone{2880, 120, false};
    FallingObject bonus{3000, 0, false};
    FallingObject pellet{3120, 0, false};
    RunState run = RunState::Running;  // shown by the pause label
    QString scoreCaption = QStringLiteral("0");

    Playfield();
};

}  // namespace drovane
