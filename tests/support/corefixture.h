// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/gamecore.h"
#include "rules/gamemode.h"
#include "support/corridor.h"
#include "support/testdoubles.h"
#include "support/testmain.h"

namespace drovane::test {

// A game screen's rules with scripted draws and boxes, on a state of its own.
struct CoreFixture {
    explicit CoreFixture(int modeIndex = 1) : core(gameMode(modeIndex), state, host, random) {}

    // Loads on a straight corridor: every draw 0 keeps each row where the last one was.
    void loadStraight()
    {
        random.scriptRepeated(0.0f, drawsPerBuild);
        core.load();
    }
    void tickStraight(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            random.scriptRepeated(0.0f, drawsPerTick);
            core.tick();
        }
    }

    GameState state;
    FakeHost host;
    ScriptedRandom random;
    GameCore core;
};

}  // namespace drovane::test
