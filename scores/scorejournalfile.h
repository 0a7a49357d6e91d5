// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scores/fileio.h"
#include "scores/scorejournal.h"

#include <QByteArray>

#include <sys/stat.h>

namespace drovane {

// The journal of a table on disk, beside the table (see ScoreJournal). Its name is
// "<table>.journal"; when something the player cannot remove stands there (a folder, a
// file of someone else's in a folder with the sticky bit), the player's own
// "<table>.journal-<uid>" is used instead, which the player's next save replays.

// With the table's exclusive lock held: puts back a table that an unfinished save left
// (see decideScoreJournalReplay), then removes its journal. A journal is only used when
// its owner may write the table in their own right: the player, root, or a user whom the
// table's mode lets write it, by their own groups as the system lists them.
void replayScoreJournal(int folderFd, const QByteArray& tableName, int tableFd, const struct stat& table);

// A journal made durable beside the table (its bytes and its name).
struct OpenJournal {
    UniqueFd fd;  // not valid when none could be made here (a folder that refuses new files)
    QByteArray name;
};
OpenJournal writeScoreJournal(int folderFd, const QByteArray& tableName, const struct stat& table,
                              const ScoreJournal& journal);
void removeScoreJournal(int folderFd, OpenJournal& journal);

}  // namespace drovane
