// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/scoretablefile.h"

#include "scores/fileio.h"
#include "scores/scorejournal.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace drovane {
namespace {

// A save holds the lock for a few milliseconds; waiting longer than this means the other
// copy is stuck, and the result is better reported as not saved.
constexpr int writeLockTimeoutMs = 3000;
// A board refresh only looks: after this it reads without the lock rather than freeze.
constexpr int readLockTimeoutMs = 200;
// Opens tried when the table is removed under us (a failed first save taking back the
// table it made) before the lock was ours.
constexpr int openAttempts = 5;
// As many links in a row as Linux follows itself.
constexpr int maxLinkHops = 40;

// A folder to open names in; read access is only needed to make a new name durable.
int openFolder(int baseFd, const QByteArray& path)
{
    int fd = ::openat(baseFd, path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 && errno == EACCES)
        fd = ::openat(baseFd, path.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return fd;
}

// A link is followed when its owner is the player, root or the folder's owner, or when
// nobody but the folder's owner may write the folder (whoever made it, the owner let it be).
bool trustedLink(const struct stat& link, const struct stat& folder)
{
    return link.st_uid == ::geteuid() || link.st_uid == 0 || link.st_uid == folder.st_uid
           || (folder.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

ScoreTableFile::~ScoreTableFile()
{
    close();
}

bool ScoreTableFile::open(const QString& path, Access access)
{
    for (int attempt = 0; attempt < openAttempts; ++attempt) {
        close();
        if (!openAt(path, access) || !lock(access)) {
            close();
            return false;
        }
        if (stillAtItsName()) {
            if (access == Access::Write) {
                replayScoreJournal(folderFd_, name_, fd_, status_);
                ::fstat(fd_, &status_);
            }
            return true;
        }
    }
    close();
    return false;
}

void ScoreTableFile::close()
{
    if (fd_ >= 0)
        ::close(fd_);  // the lock goes with it
    if (folderFd_ >= 0)
        ::close(folderFd_);
    fd_ = -1;
    folderFd_ = -1;
    name_.clear();
    made_ = false;
}

bool ScoreTableFile::openAt(const QString& path, Access access)
{
    const QFileInfo info(QFileInfo(path).absoluteFilePath());
    folderFd_ = openFolder(AT_FDCWD, QFile::encodeName(info.absolutePath()));
    // The table's own folder is made for a save; never the folder a link points into,
    // which may be on a drive that is not mounted.
    if (folderFd_ < 0 && errno == ENOENT && access == Access::Write && QDir().mkpath(info.absolutePath()))
        folderFd_ = openFolder(AT_FDCWD, QFile::encodeName(info.absolutePath()));
    if (folderFd_ < 0)
        return false;
    name_ = QFile::encodeName(info.fileName());

    const int mode = access == Access::Write ? O_RDWR : O_RDONLY;
    for (int hops = 0; hops <= maxLinkHops; ++hops) {
        fd_ = openNoFollow(folderFd_, name_, mode);
        if (fd_ >= 0)
            return ::fstat(fd_, &status_) == 0 && S_ISREG(status_.st_mode);
        if (errno == ENOENT) {
            if (access == Access::Read)
                return false;
            fd_ = openNoFollow(folderFd_, name_, O_RDWR | O_CREAT | O_EXCL);
            if (fd_ >= 0) {
                made_ = true;
                struct stat folder {};
                if (::fstat(fd_, &status_) != 0 || ::fstat(folderFd_, &folder) != 0)
                    return false;
                // A group's folder: every member must be able to write the table, whatever
                // the umask of the one who happened to save first.
                if ((folder.st_mode & S_ISGID) != 0)
                    ::fchmod(fd_, (status_.st_mode & 07777) | S_IRGRP | S_IWGRP);
                return true;
            }
            if (errno == EEXIST)
                continue;  // made in between, maybe as a link: look again
            return false;
        }
        if (errno != ELOOP)
            return false;

        // A link: opened as itself, so that the link whose owner is checked is the one read.
        const UniqueFd link(::openat(folderFd_, name_.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        struct stat linkStatus {};
        struct stat folder {};
        if (!link.isValid() || ::fstat(link.get(), &linkStatus) != 0 || ::fstat(folderFd_, &folder) != 0)
            return false;
        if (!S_ISLNK(linkStatus.st_mode))
            continue;  // replaced in between: look again
        if (!trustedLink(linkStatus, folder))
            return false;
        char target[PATH_MAX];
        const ssize_t length = ::readlinkat(link.get(), "", target, sizeof target);
        if (length <= 0 || length == ssize_t(sizeof target))
            return false;
        const QByteArray targetPath(target, length);
        const qsizetype slash = targetPath.lastIndexOf('/');
        const QByteArray targetName = targetPath.mid(slash + 1);
        if (targetName.isEmpty() || targetName == "." || targetName == "..")
            return false;
        // Relative targets are read from the link's own folder, as the kernel does.
        const int targetFolder = slash < 0
                                     ? ::fcntl(folderFd_, F_DUPFD_CLOEXEC, 0)
                                     : openFolder(folderFd_, slash == 0 ? QByteArray("/") : targetPath.left(slash));
        if (targetFolder < 0)
            return false;
        ::close(folderFd_);
        folderFd_ = targetFolder;
        name_ = targetName;
    }
    return false;
}

bool ScoreTableFile::lock(Access access)
{
    struct flock request {};
    request.l_type = access == Access::Write ? F_WRLCK : F_RDLCK;
    request.l_whence = SEEK_SET;  // the whole file, however long it grows
    const QDeadlineTimer deadline(access == Access::Write ? writeLockTimeoutMs : readLockTimeoutMs);
    int pauseMs = 1;
    while (::fcntl(fd_, F_OFD_SETLK, &request) != 0) {
        const bool busy = errno == EAGAIN || errno == EACCES || errno == EINTR;
        if (!busy || deadline.hasExpired())
            return access == Access::Read;
        QThread::msleep(std::min<qint64>(pauseMs, std::max<qint64>(deadline.remainingTime(), 1)));
        pauseMs = std::min(pauseMs * 2, 20);
    }
    return true;
}

bool ScoreTableFile::stillAtItsName() const
{
    struct stat named {};
    struct stat opened {};
    return ::fstat(fd_, &opened) == 0 && opened.st_nlink > 0
           && ::fstatat(folderFd_, name_.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(opened, named);
}

QByteArray ScoreTableFile::read(qint64 length) const
{
    return fd_ < 0 ? QByteArray() : readAt(fd_, 0, length);
}

qint64 ScoreTableFile::size() const
{
    struct stat status {};
    return fd_ >= 0 && ::fstat(fd_, &status) == 0 ? qint64(status.st_size) : 0;
}

bool ScoreTableFile::write(qint64 offset, const QByteArray& bytes)
{
    if (fd_ < 0 || offset < 0)
        return false;
    const qint64 oldSize = size();
    ScoreJournal journal{quint64(status_.st_dev),
                         quint64(status_.st_ino),
                         oldSize,
                         readAt(fd_, 0, std::min(oldSize, offset + bytes.size())),
                         offset,
                         bytes};
    // Without a journal (a folder that refuses new files) the write still cannot be cut
    // by a killed copy: a table is one page, which the kernel copies in one piece.
    const int journalFd = writeScoreJournal(folderFd_, name_, status_, journal);
    const bool written = writeAllAt(fd_, offset, bytes) && ::fdatasync(fd_) == 0;
    bool keepJournal = false;
    if (!written) {
        const bool wasMade = made_;
        const bool restored = writeAllAt(fd_, 0, journal.oldBytes)
                              && (size() <= oldSize || ::ftruncate(fd_, oldSize) == 0);
        discardIfMade();
        // A table that could not be put back keeps its journal, for the next save to replay.
        keepJournal = !restored && !wasMade;
    }
    if (journalFd >= 0 && keepJournal)
        ::close(journalFd);
    else if (journalFd >= 0)
        removeScoreJournal(folderFd_, name_, journalFd);
    made_ = false;
    return written;
}

void ScoreTableFile::discardIfMade()
{
    if (made_ && stillAtItsName())
        ::unlinkat(folderFd_, name_.constData(), 0);
    made_ = false;
}

}  // namespace drovane
