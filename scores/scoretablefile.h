// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scores/fileio.h"

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

namespace drovane {

// One score table, opened once: a save or a board refresh does every read and write
// through this one descriptor, so nothing can swap the name between a check and a write.
//
// Only a regular file is a table. A folder that other people may write is a boundary
// between them: from the first such folder on the table's path, a link at any name of the
// path is followed only when it belongs to the player or to root, and a table with more
// than one name (a hard link) only when it is the player's and the kernel lets nobody
// else make such a name (fs.protected_hardlinks). Anything else there - someone else's
// link or hard link, a pipe, a device, a folder - is no table, and nothing is ever opened
// in a way that could wait on it.
//
// The lock is a kernel lock on the table itself (an open file description lock): it works
// between users and machines sharing the file, and goes with the descriptor, so neither a
// name left in the folder nor a copy of the game killed while holding it can block others.
class ScoreTableFile {
public:
    enum class Access {
        Read,   // shared lock, tried for a fraction of a second: a board is only a view
        Write,  // exclusive lock, waited for 3 s at most; a missing table (and its own folder) is made
    };

    ScoreTableFile() = default;
    ~ScoreTableFile();
    ScoreTableFile(const ScoreTableFile&) = delete;
    ScoreTableFile& operator=(const ScoreTableFile&) = delete;

    // False when there is no table to use: missing (for Read), not a regular file, behind
    // a link the player cannot trust, or locked by another copy beyond the time limit.
    // A Write open first puts back a table that a copy killed during its save left, and
    // says once on standard error when the table is on a folder that does not pass locks
    // between machines.
    bool open(const QString& path, Access access);
    void close();

    // Bytes [0, length) as far as the file has them.
    QByteArray read(qint64 length) const;
    qint64 size() const;

    // Writes `bytes` at `offset` in one call, never truncating. A rollback copy of what
    // the write replaces is made durable beside the table first, so that a copy killed
    // (or a machine stopped) half way leaves a journal that the next save replays. On
    // failure the table is put back as it was and a table made by open() is removed.
    bool write(qint64 offset, const QByteArray& bytes);

    // A table that open() made and nothing was written to: removed again.
    void discardIfMade();

private:
    bool openAt(const QString& path, Access access);
    bool lock(Access access);
    bool stillAtItsName() const;

    UniqueFd fd_;
    UniqueFd folderFd_;    // the folder the table itself is in, links followed
    QByteArray name_;      // its name in that folder
    bool shared_ = false;  // reached through a folder that others may write
    bool made_ = false;
    struct stat status_ {};
};

}  // namespace drovane
