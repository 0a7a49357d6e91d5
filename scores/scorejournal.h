// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <optional>
#include <sys/stat.h>

namespace drovane {

// The rollback copy of a table that a save keeps beside it while it writes:
// "<table name>.journal", made before the write and removed after it. One that is still
// there when the table is next opened for a save belongs to a copy that stopped half way,
// and is replayed: the table goes back to exactly what it was before that save.
struct ScoreJournal {
    quint64 device = 0;  // the table it belongs to: a journal never applies to another file
    quint64 inode = 0;
    qint64 oldSize = 0;
    QByteArray oldBytes;  // the table's bytes from 0 to the end of what the save writes
    qint64 offset = 0;    // what the save writes, and where
    QByteArray newBytes;
};

QByteArray encodeScoreJournal(const ScoreJournal& journal);
// Empty for anything that is not a whole journal (cut short, damaged, or not one at all).
std::optional<ScoreJournal> decodeScoreJournal(const QByteArray& bytes);

QByteArray scoreJournalName(const QByteArray& tableName);

// With the table's exclusive lock held: puts back a table that an unfinished save left,
// then removes its journal. A journal is only trusted when its owner could have written
// the table anyway; one that cannot be removed afterwards is not replayed either, since
// it would be replayed again over later saves.
void replayScoreJournal(int folderFd, const QByteArray& tableName, int tableFd, const struct stat& table);

// Makes the journal durable (its bytes and its name); the descriptor, or -1 when none
// can be made here (a folder that refuses new files, a name someone else holds).
int writeScoreJournal(int folderFd, const QByteArray& tableName, const struct stat& table, const ScoreJournal& journal);
void removeScoreJournal(int folderFd, const QByteArray& tableName, int journalFd);

}  // namespace drovane
