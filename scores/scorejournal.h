// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace drovane {

// The rollback copy of a table that a save keeps beside it while it writes:
// "<table name>.journal", made before the write and removed after it. One that is still
// there when the table is next opened for a save belongs to a copy that stopped half way,
// and is replayed: the table goes back to exactly what it was before that save.
//
// Everything here works on bytes only: whatever stands at a journal's name in a shared
// folder is somebody's input, and is checked against the fixed size of a table (30 slots
// of 128 bytes) before any of its numbers is used.
struct ScoreJournal {
    quint64 device = 0;  // the table it belongs to: a journal never applies to another file
    quint64 inode = 0;
    qint64 oldSize = 0;
    QByteArray oldBytes;  // the table's bytes from 0 to the end of what the save writes
    qint64 offset = 0;    // what the save writes, and where: within slots 1 to 30
    QByteArray newBytes;
};

// A journal is never longer than this; anything longer is not one.
inline constexpr qint64 scoreJournalMaxSize = qint64(16) * 1024;

QByteArray encodeScoreJournal(const ScoreJournal& journal);
// Empty for anything that is not a whole journal of a save into slots 1 to 30 (cut
// short, damaged, inconsistent, or not one at all).
std::optional<ScoreJournal> decodeScoreJournal(QByteArrayView bytes);

// What the next save does with a journal it finds beside its table.
struct ScoreJournalReplay {
    enum class Action {
        Keep,     // not a journal of this table: left where it is, never applied
        Remove,   // the save it belongs to did not begin or ended, or the table has changed since
        Restore,  // the table is what that save left half way: its old bytes go back, then it goes
    };
    Action action = Action::Keep;
    QByteArray oldBytes;  // Restore: written at offset 0, and the table cut back to oldSize
    qint64 oldSize = 0;
};

// `journalBytes`: the journal file; `tableHead`: the table's first bytes, as many as it has
// up to the end of slot 30; `tableSize`: its whole size. Restore only when the table is
// exactly what an unfinished write of that save can leave: every byte of the written range
// is the old or the new one (pieces of one write reach the disk in any order when the
// machine stops, and putting the old bytes back can itself be stopped), nothing else
// differs from before, and the size is between the old and the new one. A table that
// another save has changed since is never put back.
ScoreJournalReplay decideScoreJournalReplay(QByteArrayView journalBytes, quint64 device, quint64 inode,
                                            qint64 tableSize, QByteArrayView tableHead);

}  // namespace drovane
