// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scores/scoreinsertion.h"

#include <QString>

namespace drovane {

class GameCore;
class ScoreStore;

// What the player last typed at the prompts; a submission without prompts reuses it.
struct SubmissionMemory {
    QString enteredNickname;
    QString enteredComment;
};

// The program-wide memory, shared by all five game screens.
SubmissionMemory& submissionMemory();

// "Valider": stops the tick, refuses a score above the mode's cap with the cheat
// restart, asks for a nickname and a comment when the result beats slot 30, enters it
// into the table, tells the player the outcome and shows the score board. The file is
// written only while no box is open, and the lock is never held while one is.
void submitScore(GameCore& core, SubmissionMemory& memory, const QString& scoreFile);
void submitScore(GameCore& core, SubmissionMemory& memory, ScoreStore& store);

}  // namespace drovane
