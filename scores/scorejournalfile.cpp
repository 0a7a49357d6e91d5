// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/scorejournalfile.h"

#include "scores/scorerecord.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace drovane {
namespace {

QByteArray mainName(const QByteArray& tableName)
{
    return tableName + ".journal";
}

QByteArray ownName(const QByteArray& tableName)
{
    return tableName + ".journal-" + QByteArray::number(::geteuid());
}

// Whether `user` belongs to `group` by the system's own lists (their primary group and
// the groups naming them), not by the group a file of theirs happens to have.
bool isMemberOf(uid_t user, gid_t group)
{
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return false;
    if (entry.pw_gid == group)
        return true;
    std::vector<gid_t> groups(64);
    int count = int(groups.size());
    if (::getgrouplist(entry.pw_name, entry.pw_gid, groups.data(), &count) < 0) {
        groups.resize(std::clamp(count, 1, 65536));
        count = int(groups.size());
        if (::getgrouplist(entry.pw_name, entry.pw_gid, groups.data(), &count) < 0)
            return false;
    }
    return std::find(groups.begin(), groups.begin() + count, group) != groups.begin() + count;
}

// The journal's owner may write the table in their own right, as the kernel would check
// it for them: by the table's owner, group or others class, whichever is theirs.
bool mayWriteTable(uid_t owner, const struct stat& table)
{
    if (owner == ::geteuid() || owner == 0)
        return true;
    if (owner == table.st_uid)
        return (table.st_mode & S_IWUSR) != 0;
    if (isMemberOf(owner, table.st_gid))
        return (table.st_mode & S_IWGRP) != 0;
    return (table.st_mode & S_IWOTH) != 0;
}

// Removes the journal's name if it still names this journal; empties it otherwise, so
// that it is never replayed again. False when neither could be done.
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

void replayOne(int folderFd, const QByteArray& name, int tableFd, const struct stat& table)
{
    bool writable = true;
    UniqueFd journalFd(openNoFollow(folderFd, name, O_RDWR));
    if (!journalFd.isValid() && errno == EACCES) {
        writable = false;
        journalFd.reset(openNoFollow(folderFd, name, O_RDONLY));
    }
    struct stat status {};
    if (!journalFd.isValid() || ::fstat(journalFd.get(), &status) != 0 || !S_ISREG(status.st_mode)
        || status.st_size > scoreJournalMaxSize || !mayWriteTable(status.st_uid, table))
        return;
    struct stat current {};
    if (::fstat(tableFd, &current) != 0)
        return;
    const ScoreJournalReplay replay = decideScoreJournalReplay(
        readAt(journalFd.get(), 0, status.st_size), quint64(table.st_dev), quint64(table.st_ino),
        qint64(current.st_size), readAt(tableFd, 0, std::min<qint64>(current.st_size, scoreTableBytes)));
    switch (replay.action) {
    case ScoreJournalReplay::Action::Keep:
        return;  // an old save's leftover, emptied by someone who could not remove it
    case ScoreJournalReplay::Action::Restore:
        // The old bytes first, the journal last: stopped at any step, the table is still
        // one that this journal puts back, or already the old one, which it leaves.
        if (!writeAllAt(tableFd, 0, replay.oldBytes)
            || (current.st_size > replay.oldSize && ::ftruncate(tableFd, replay.oldSize) != 0)
            || ::fdatasync(tableFd) != 0)
            return;
        break;
    case ScoreJournalReplay::Action::Remove:
        break;
    }
    invalidate(folderFd, name, journalFd.get(), writable);
}

}  // namespace

void replayScoreJournal(int folderFd, const QByteArray& tableName, int tableFd, const struct stat& table)
{
    replayOne(folderFd, mainName(tableName), tableFd, table);
    replayOne(folderFd, ownName(tableName), tableFd, table);
}

OpenJournal writeScoreJournal(int folderFd, const QByteArray& tableName, const struct stat& table,
                              const ScoreJournal& journal)
{
    const QByteArray bytes = encodeScoreJournal(journal);
    for (const QByteArray& name : {mainName(tableName), ownName(tableName)}) {
        UniqueFd fd(::openat(folderFd, name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        // A leftover nobody could replay, or something planted: gone if the folder lets us.
        if (!fd.isValid() && errno == EEXIST && ::unlinkat(folderFd, name.constData(), 0) == 0)
            fd.reset(::openat(folderFd, name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!fd.isValid()) {
            if (errno == EEXIST || errno == EISDIR || errno == EPERM || errno == ELOOP)
                continue;  // someone else's thing at this name: the player's own name next
            return {};
        }
        // Whoever may write the table may replay and remove this: same group, same mode.
        if (::fchown(fd.get(), uid_t(-1), table.st_gid) != 0)
            ::fchmod(fd.get(), table.st_mode & 0644);
        else
            ::fchmod(fd.get(), table.st_mode & 0666);
        OpenJournal made{std::move(fd), name};
        if (writeAllAt(made.fd.get(), 0, bytes) && ::fdatasync(made.fd.get()) == 0) {
            ::fsync(folderFd);  // the name too; a folder opened only as a path cannot be, and is left
            return made;
        }
        removeScoreJournal(folderFd, made);
        return {};
    }
    return {};
}

void removeScoreJournal(int folderFd, OpenJournal& journal)
{
    if (journal.fd.isValid())
        invalidate(folderFd, journal.name, journal.fd.get(), true);
    journal.fd.reset();
}

}  // namespace drovane
