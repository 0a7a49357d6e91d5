// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scores/scorerecord.h"

#include <QString>

namespace drovane {

class ScoreStore;

// A stored nickname up to its first space; all of it when it has none. An empty
// record's 30 NUL characters have no space, so they never equal a typed nickname.
QString cutNickname(const QString& nickname);

struct InsertionResult {
    enum class Outcome { Placed, Duplicate, TooLow, NotSaved };
    Outcome outcome = Outcome::TooLow;
    int rank = 0;  // 1 to 30 for Placed (and for NotSaved, where it would have gone)
};

// The duplicate check over slots 1 to 29 and the insertion of `entry` at its rank,
// moving each lower record down one slot from the bottom up, with the store locked
// throughout. Nothing is written unless mayPlace (the result beat slot 30 when the
// player was asked for a nickname). The moves and the new record reach the file in one
// commit, so a failed or interrupted save loses no record and doubles none: NotSaved.
InsertionResult enterResult(ScoreStore& store, const ScoreRecord& entry, bool mayPlace);

}  // namespace drovane
