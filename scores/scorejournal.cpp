// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/scorejournal.h"

#include "scores/fileio.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QIODevice>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace drovane {
namespace {

constexpr char journalMagic[] = "DROVANE-JOURNAL-1";
// A table is 3840 bytes; a journal holds it twice and a little more.
constexpr qint64 journalMaxSize = qint64(64) * 1024;

QByteArray digest(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// The table as the save leaves it: the old bytes with the new ones written over them.
QByteArray newTableBytes(const ScoreJournal& journal)
{
    QByteArray bytes = journal.oldBytes.left(journal.oldSize);
    const qint64 end = journal.offset + journal.newBytes.size();
    if (bytes.size() < end)
        bytes.resize(end, '\0');
    bytes.replace(journal.offset, journal.newBytes.size(), journal.newBytes);
    return bytes;
}

// The owner of a journal could have written the table itself: the player, root, the
// table's owner, or a member of a group that may write it (the journal's group is one
// its owner belongs to, as the kernel checks when the group is given).
bool trusted(const struct stat& journal, const struct stat& table)
{
    return journal.st_uid == ::geteuid() || journal.st_uid == 0 || journal.st_uid == table.st_uid
           || (table.st_mode & S_IWOTH) != 0 || ((table.st_mode & S_IWGRP) != 0 && journal.st_gid == table.st_gid);
}

// Removes the journal's name if it still names this journal; empties it otherwise.
bool invalidate(int folderFd, const QByteArray& name, int journalFd, bool writable)
{
    struct stat opened {};
    struct stat named {};
    if (::fstat(journalFd, &opened) == 0 && ::fstatat(folderFd, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0
        && sameFile(opened, named) && ::unlinkat(folderFd, name.constData(), 0) == 0) {
        ::fsync(folderFd);
        return true;
    }
    return writable && ::ftruncate(journalFd, 0) == 0 && ::fsync(journalFd) == 0;
}

}  // namespace

QByteArray encodeScoreJournal(const ScoreJournal& journal)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << QByteArray(journalMagic) << journal.device << journal.inode << journal.oldSize << journal.oldBytes
        << journal.offset << journal.newBytes;
    return bytes + digest(bytes);
}

std::optional<ScoreJournal> decodeScoreJournal(const QByteArray& bytes)
{
    constexpr qsizetype digestSize = 32;
    if (bytes.size() <= digestSize || bytes.size() > journalMaxSize)
        return std::nullopt;
    const QByteArray body = bytes.first(bytes.size() - digestSize);
    if (digest(body) != bytes.last(digestSize))
        return std::nullopt;
    ScoreJournal journal;
    QByteArray magic;
    QDataStream in(body);
    in.setVersion(QDataStream::Qt_6_4);
    in >> magic >> journal.device >> journal.inode >> journal.oldSize >> journal.oldBytes >> journal.offset
        >> journal.newBytes;
    if (in.status() != QDataStream::Ok || magic != journalMagic || journal.oldSize < 0 || journal.offset < 0
        || journal.oldBytes.size() != std::min(journal.oldSize, journal.offset + journal.newBytes.size()))
        return std::nullopt;
    return journal;
}

QByteArray scoreJournalName(const QByteArray& tableName)
{
    return tableName + ".journal";
}

void replayScoreJournal(int folderFd, const QByteArray& tableName, int tableFd, const struct stat& table)
{
    const QByteArray name = scoreJournalName(tableName);
    bool writable = true;
    UniqueFd journalFd(openNoFollow(folderFd, name, O_RDWR));
    if (!journalFd.isValid() && errno == EACCES) {
        writable = false;
        journalFd.reset(openNoFollow(folderFd, name, O_RDONLY));
    }
    struct stat status {};
    if (!journalFd.isValid() || ::fstat(journalFd.get(), &status) != 0 || !S_ISREG(status.st_mode)
        || status.st_size > journalMaxSize || !trusted(status, table))
        return;
    const std::optional<ScoreJournal> journal = decodeScoreJournal(readAt(journalFd.get(), 0, status.st_size));
    if (!journal || journal->device != quint64(table.st_dev) || journal->inode != quint64(table.st_ino)) {
        // Nothing to put back: an old save's leftover, emptied by someone who could not remove it.
        return;
    }
    const qint64 end = journal->offset + journal->newBytes.size();
    struct stat current {};
    if (::fstat(tableFd, &current) != 0)
        return;
    const QByteArray now = readAt(tableFd, 0, end);
    const bool untouched = current.st_size == journal->oldSize
                           && now.left(journal->oldBytes.size()) == journal->oldBytes;
    const bool complete = current.st_size == std::max(journal->oldSize, end) && now == newTableBytes(*journal);
    if (!untouched && !complete) {
        // Put the old table back only if the journal can then be done away with.
        if (!invalidate(folderFd, name, journalFd.get(), writable))
            return;
        if (writeAllAt(tableFd, 0, journal->oldBytes)
            && (current.st_size <= journal->oldSize || ::ftruncate(tableFd, journal->oldSize) == 0))
            ::fdatasync(tableFd);
        return;
    }
    invalidate(folderFd, name, journalFd.get(), writable);
}

int writeScoreJournal(int folderFd, const QByteArray& tableName, const struct stat& table, const ScoreJournal& journal)
{
    const QByteArray name = scoreJournalName(tableName);
    const QByteArray bytes = encodeScoreJournal(journal);
    for (int attempt = 0; attempt < 2; ++attempt) {
        UniqueFd fd(::openat(folderFd, name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!fd.isValid()) {
            // A leftover nobody could replay, or something planted: gone if the folder lets us.
            if (errno != EEXIST || ::unlinkat(folderFd, name.constData(), 0) != 0)
                return -1;
            continue;
        }
        // Whoever may write the table may replay and remove this: same group, same mode.
        if (::fchown(fd.get(), uid_t(-1), table.st_gid) != 0)
            ::fchmod(fd.get(), table.st_mode & 0644);
        else
            ::fchmod(fd.get(), table.st_mode & 0666);
        if (writeAllAt(fd.get(), 0, bytes) && ::fdatasync(fd.get()) == 0) {
            ::fsync(folderFd);  // the name too; a folder opened only as a path cannot be, and is left
            return fd.release();
        }
        removeScoreJournal(folderFd, tableName, fd.release());
        return -1;
    }
    return -1;
}

void removeScoreJournal(int folderFd, const QByteArray& tableName, int journalFd)
{
    const UniqueFd fd(journalFd);
    invalidate(folderFd, scoreJournalName(tableName), fd.get(), true);
}

}  // namespace drovane
