// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

namespace drovane {

// One score table, opened once: a save or a board refresh does every read and write
// through this one descriptor, so nothing can swap the name between a check and a write.
//
// Only a regular file is a table. A folder that other people may write is a boundary
// between them: a link in it is followed only when it is the player's own, the folder
// owner's or root's, as the kernel's protected links do in shared folders. Anything else
// there - someone else's link, a pipe, a device, a folder - is no table, and nothing is
// ever opened in a way that could wait on it.
//
// The lock is a kernel lock on the table itself (an open file description lock): it works
// between users and machines sharing the file, and goes with the descriptor, so neither a
// name left in the folder nor a copy of the game killed while holding it can block others.
class ScoreTableFile {
public:
    enum class Access {
        Read,   // shared lock, waited for briefly: a board is only a view
        Write,  // exclusive lock; a missing table (and its own folder) is made
    };

    ScoreTableFile() = default;
    ~ScoreTableFile();
    ScoreTableFile(const ScoreTableFile&) = delete;
    ScoreTableFile& operator=(const ScoreTableFile&) = delete;

    // False when there is no table to use: missing (for Read), not a regular file, behind
    // a link the player cannot trust, or locked by another copy beyond the time limit.
    // A Write open first puts back a table that a copy killed during its save left.
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

    int fd_ = -1;
    int folderFd_ = -1;  // the folder the table itself is in, links followed
    QByteArray name_;    // its name in that folder
    bool made_ = false;
    struct stat status_ {};
};

}  // namespace drovane
