// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/playfield.h"

namespace drovane {

// What a game screen tells the pickup tone about where things stand.
struct ToneSituation {
    bool modeHasPrizes = false;
    bool soundOn = false;
    RunState run = RunState::Paused;
    bool windowShown = false;
    bool behindModalBox = false;  // a message, the name prompt or the board is over the game
};

// What the tone's output may do.
enum class ToneUse {
    Never,   // no tone can come in this game at all: the output is not opened for it
    Asleep,  // no tone can come now: nothing of the sound may run, the sound card may sleep
    Ready,   // a pickup may come on any tick: its tone must sound at once
};

ToneUse toneUse(const ToneSituation& situation);

}  // namespace drovane
