// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/submission.h"

#include "rules/gamemode.h"
#include "rules/submittedrun.h"
#include "scores/scorestore.h"

namespace drovane {
namespace {

// QLineEdit's own default: the nickname prompt sets no limit of its own.
constexpr int unlimitedLength = 32767;

QString outcomeMessage(const InsertionResult& result)
{
    using Outcome = InsertionResult::Outcome;
    switch (result.outcome) {
    case Outcome::Placed:
        if (result.rank == 1)
            return QStringLiteral("Félicitation, vous étes classé à la 1er place !!! "
                                  "pour plus de détail consultez le fichier scores jeux");
        return QStringLiteral("Bravo, vous étes classé à la %1éme place ! "
                              "pour plus de détail consultez le fichier scores jeux")
            .arg(result.rank);
    case Outcome::Duplicate:
        return QStringLiteral("c'est pas bien de vouloir remplir le tableau avec ces scores !!");
    case Outcome::TooLow:
        break;
    case Outcome::NotSaved:
        return QStringLiteral("Impossible d'enregistrer votre score : "
                              "le fichier des scores n'a pas pu être écrit.");
    }
    return QStringLiteral("Bouhhhhh ! vous ne faite même pas partie des 30 premiers. "
                          "Pour voir les scores des autres consultez le fichier scores jeux");
}

void askNicknameAndComment(SubmissionHost& host, SubmissionMemory& memory)
{
    do {
        memory.enteredNickname = host.askText(QStringLiteral("entrez votre pseudo"), unlimitedLength);
    } while (memory.enteredNickname.isEmpty());
    memory.enteredComment = host.askText(QStringLiteral("commentaire:"), commentMaxLength);
}

}  // namespace

SubmissionMemory& submissionMemory()
{
    static SubmissionMemory memory;
    return memory;
}

void submitScore(SubmittedRun& run, SubmissionHost& host, SubmissionMemory& memory, const QString& scoreFile)
{
    ScoreFileStore store(scoreFile);
    submitScore(run, host, memory, store);
}

void submitScore(SubmittedRun& run, SubmissionHost& host, SubmissionMemory& memory, ScoreStore& store)
{
    run.stopTick();
    if (run.score() > run.mode().scoreCap) {
        host.showMessage(QStringLiteral("BUG ! spice di tricheur !!"));
        run.cheatRestart();
    }
    // Taken now: after a cheat restart the run goes on behind the boxes.
    const std::int16_t score = run.score();

    const bool beatsLast = store.read(scoreTableSize).score < score;
    if (beatsLast)
        askNicknameAndComment(host, memory);

    // Boxes closed: check, write and release before telling the player anything.
    const InsertionResult result = enterResult(store, {memory.enteredNickname, score, memory.enteredComment},
                                               beatsLast);
    host.showMessage(outcomeMessage(result));
    host.showScoreBoard();
}

}  // namespace drovane
