// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scores/scoreinsertion.h"

#include <QString>

namespace drovane {

class ScoreStore;
class SubmittedRun;

// What the submission needs of the game screen it runs on.
class SubmissionHost {
public:
    virtual ~SubmissionHost() = default;

    // Modal message with one OK button; returns when the player closes it.
    virtual void showMessage(const QString& text) = 0;
    // Modal input box with OK and Cancel, its field holding at most maxLength
    // characters; Cancel gives the empty text.
    virtual QString askText(const QString& prompt, int maxLength) = 0;
    // Shows the mode's score board (loading it if needed) and brings it to the front.
    virtual void showScoreBoard() = 0;
};

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
void submitScore(SubmittedRun& run, SubmissionHost& host, SubmissionMemory& memory, const QString& scoreFile);
void submitScore(SubmittedRun& run, SubmissionHost& host, SubmissionMemory& memory, ScoreStore& store);

}  // namespace drovane
