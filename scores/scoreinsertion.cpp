// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/scoreinsertion.h"

#include "scores/scorestore.h"

#include <QList>

#include <array>

namespace drovane {
namespace {

using Table = std::array<ScoreRecord, scoreTableSize + 1>;  // by record number; [0] unused

struct SlotWrite {
    int slot;
    const ScoreRecord* record;
};

// Walks up from slot 30: every record below the result moves down one slot (slot 30's
// own drops out), and the result goes just under the first record that is not lower.
// Returns the rank, or 0 when nothing is lower; `writes` is the order they hit the disk.
int planInsertion(const Table& table, const ScoreRecord& entry, QList<SlotWrite>& writes)
{
    bool placed = false;
    for (int n = scoreTableSize; n >= 1; --n) {
        if (table[n].score < entry.score) {
            placed = true;
            if (n < scoreTableSize)
                writes.append({n + 1, &table[n]});
            if (n == 1) {
                writes.append({1, &entry});
                return 1;
            }
        } else if (placed) {
            writes.append({n + 1, &entry});
            return n + 1;
        }
    }
    return 0;
}

// Every move and the new record reach the file together, or none of them does.
bool applyWrites(ScoreStore& store, const QList<SlotWrite>& writes)
{
    for (const SlotWrite& write : writes) {
        if (!store.write(write.slot, *write.record))
            return false;
    }
    return store.commit();
}

// The duplicate check and the insertion; `writable`: the store is locked for writing.
InsertionResult checkAndPlace(ScoreStore& store, const ScoreRecord& entry, bool mayPlace, bool writable)
{
    using Outcome = InsertionResult::Outcome;
    Table table;
    QString lastCut;
    bool duplicate = false;
    for (int n = 1; n < scoreTableSize && !duplicate; ++n) {
        table[n] = store.read(n);
        lastCut = cutNickname(table[n].nickname);
        duplicate = entry.nickname == lastCut && table[n].score >= entry.score;
    }

    int rank = 0;
    QList<SlotWrite> writes;
    if (!duplicate && mayPlace) {
        // Read under the lock even though the prompt decision read it: another copy may
        // have pushed a record into it since, which decides whether the result still enters.
        table[scoreTableSize] = store.read(scoreTableSize);
        rank = planInsertion(table, entry, writes);
    }
    if (rank == 0)
        return {entry.nickname == lastCut ? Outcome::Duplicate : Outcome::TooLow, 0};
    // Never write without the lock: another copy could be moving the same records.
    if (!writable || !applyWrites(store, writes))
        return {Outcome::NotSaved, rank};
    return {Outcome::Placed, rank};
}

}  // namespace

QString cutNickname(const QString& nickname)
{
    return nickname.left(nickname.indexOf(QLatin1Char(' ')));
}

InsertionResult enterResult(ScoreStore& store, const ScoreRecord& entry, bool mayPlace)
{
    const bool locked = store.lock(mayPlace);
    // A table that another copy holds: the save gives up at once, without a look at the
    // slots, each of which would wait for that copy again.
    if (mayPlace && !locked) {
        store.unlock();
        return {InsertionResult::Outcome::NotSaved, 0};
    }
    const InsertionResult result = checkAndPlace(store, entry, mayPlace, locked && mayPlace);
    store.unlock();
    return result;
}

}  // namespace drovane
