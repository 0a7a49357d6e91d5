// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/scoretablefile.h"

#include "scores/fileio.h"
#include "scores/scorejournalfile.h"
#include "scores/scorerecord.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace drovane {
namespace {

// A save holds the lock for a few milliseconds; waiting longer than this means the other
// copy is stuck, and the result is better reported as not saved.
constexpr int writeLockTimeoutMs = 3000;
// A board refresh only looks: after this it reads without the lock rather than freeze.
constexpr int readLockTimeoutMs = 100;
// Opens tried when the table is removed under us (a failed first save taking back the
// table it made) before the lock was ours.
constexpr int openAttempts = 5;
// As many links in a row as Linux follows itself.
constexpr int maxLinkHops = 40;

// Others may add, remove or rename names in this folder.
bool othersMayWrite(const struct stat& folder)
{
    return (folder.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

// Past a folder that others may write, only the player's and root's links are followed,
// whoever owns the folder; before it, the folders are the player's own business.
bool trustedLink(const struct stat& link, bool shared)
{
    return !shared || link.st_uid == ::geteuid() || link.st_uid == 0;
}

// The kernel lets a user make a hard link only to a file they own or may read and write.
bool kernelProtectsHardLinks()
{
    const UniqueFd fd(::open("/proc/sys/fs/protected_hardlinks", O_RDONLY | O_CLOEXEC));
    return fd.isValid() && readAt(fd.get(), 0, 2).startsWith('1');
}

// A second name of a file in a shared path may have been made by anyone, for any file the
// player may write: used only when the file is the player's and nobody else could have
// made it a second name.
bool trustedHardLinks(const struct stat& table, bool shared)
{
    return !shared || table.st_nlink <= 1 || (table.st_uid == ::geteuid() && kernelProtectsHardLinks());
}

struct PathPart {
    QByteArray name;
    bool mayMake;  // a folder of the path as the player gave it, made for a save
};

void prependParts(QList<PathPart>& parts, const QByteArray& path, bool mayMake)
{
    QList<PathPart> added;
    for (const QByteArray& name : path.split('/')) {
        if (!name.isEmpty() && name != ".")
            added.append({name, mayMake});
    }
    parts = added + parts;
}

// Opens `path` as a folder one name at a time, from `folder` (or from "/" for an absolute
// path), following only the links that the rule above trusts; `shared` goes up at the
// first folder that others may write. The folder opened is only a path (O_PATH).
bool walkFolders(UniqueFd& folder, bool& shared, const QByteArray& path, bool mayMake, int& hops)
{
    QList<PathPart> parts;
    prependParts(parts, path, mayMake);
    if (path.startsWith('/')) {
        folder.reset(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
        shared = false;
    }
    while (folder.isValid() && !parts.isEmpty()) {
        const PathPart part = parts.takeFirst();
        const char* name = part.name.constData();
        UniqueFd next(::openat(folder.get(), name, O_PATH | O_NOFOLLOW | O_CLOEXEC));
        if (!next.isValid() && errno == ENOENT && part.mayMake
            && (::mkdirat(folder.get(), name, 0777) == 0 || errno == EEXIST))
            next.reset(::openat(folder.get(), name, O_PATH | O_NOFOLLOW | O_CLOEXEC));
        struct stat status {};
        if (!next.isValid() || ::fstat(next.get(), &status) != 0)
            return false;
        if (S_ISLNK(status.st_mode)) {
            char target[PATH_MAX];
            const ssize_t length = ::readlinkat(next.get(), "", target, sizeof target);
            if (!trustedLink(status, shared) || ++hops > maxLinkHops || length <= 0 || length == ssize_t(sizeof target))
                return false;
            const QByteArray targetPath(target, length);
            // What a link names is never made: it may be a drive that is not mounted.
            prependParts(parts, targetPath, false);
            if (targetPath.startsWith('/')) {
                folder.reset(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
                shared = false;
            }
            continue;
        }
        if (!S_ISDIR(status.st_mode))
            return false;
        folder = std::move(next);
        shared = shared || othersMayWrite(status);
    }
    // Readable if it may be, so that a new name in it can be made durable.
    UniqueFd readable(::openat(folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (readable.isValid())
        folder = std::move(readable);
    return folder.isValid();
}

// Folders that hand a lock to every copy that asks, whatever other machines hold: FUSE
// folders (sshfs and the like) and NFS mounted without the lock protocol. Empty for any
// other folder.
QString folderThatSharesNoLocks(int fd)
{
    constexpr decltype(statfs::f_type) fuseMagic = 0x65735546;
    constexpr decltype(statfs::f_type) nfsMagic = 0x6969;
    struct statfs system {};
    struct stat status {};
    if (::fstatfs(fd, &system) != 0 || ::fstat(fd, &status) != 0)
        return {};
    if (system.f_type == fuseMagic)
        return QStringLiteral("un dossier FUSE, comme sshfs");
    if (system.f_type != nfsMagic)
        return {};
    // /proc/self/mountinfo: "id parent major:minor root point options ... - type source super-options"
    QFile mounts(QStringLiteral("/proc/self/mountinfo"));
    if (!mounts.open(QIODevice::ReadOnly))
        return {};
    const QByteArray device = QByteArray::number(major(status.st_dev)) + ':' + QByteArray::number(minor(status.st_dev));
    for (QByteArray& line : mounts.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 3 || fields[2] != device)
            continue;
        for (const QByteArray& option : line.replace(' ', ',').split(',')) {
            if (option == "nolock" || (option.startsWith("local_lock=") && option != "local_lock=none"))
                return QStringLiteral("un dossier NFS monté avec ") + QString::fromLatin1(option);
        }
    }
    return {};
}

// Once per folder kind and run: the save itself goes on.
void warnIfLocksStayOnThisMachine(int fd, const QString& path)
{
    static QSet<QString> warned;
    const QString kind = folderThatSharesNoLocks(fd);
    if (kind.isEmpty() || warned.contains(kind))
        return;
    warned.insert(kind);
    const QString line = QStringLiteral("drovane : les scores « %1 » sont dans %2, qui ne transmet pas les verrous "
                                        "entre machines : deux parties enregistrées en même temps depuis deux "
                                        "machines peuvent perdre un score.\n")
                             .arg(path, kind);
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
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
                warnIfLocksStayOnThisMachine(fd_.get(), path);
                replayScoreJournal(folderFd_.get(), name_, fd_.get(), status_);
                ::fstat(fd_.get(), &status_);
            }
            return true;
        }
    }
    close();
    return false;
}

void ScoreTableFile::close()
{
    fd_.reset();  // the lock goes with it
    folderFd_.reset();
    name_.clear();
    shared_ = false;
    made_ = false;
}

bool ScoreTableFile::openAt(const QString& path, Access access)
{
    const QByteArray absolute = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    const qsizetype slash = absolute.lastIndexOf('/');
    int hops = 0;
    // The table's own folder is made for a save; never the folder a link points into.
    if (slash < 0
        || !walkFolders(folderFd_, shared_, absolute.left(std::max<qsizetype>(slash, 1)), access == Access::Write,
                        hops))
        return false;
    name_ = absolute.mid(slash + 1);

    const int mode = access == Access::Write ? O_RDWR : O_RDONLY;
    while (hops <= maxLinkHops) {
        fd_.reset(openNoFollow(folderFd_.get(), name_, mode));
        if (fd_.isValid())
            return ::fstat(fd_.get(), &status_) == 0 && S_ISREG(status_.st_mode) && trustedHardLinks(status_, shared_);
        if (errno == ENOENT) {
            if (access == Access::Read)
                return false;
            fd_.reset(openNoFollow(folderFd_.get(), name_, O_RDWR | O_CREAT | O_EXCL));
            if (fd_.isValid()) {
                made_ = true;
                struct stat folder {};
                if (::fstat(fd_.get(), &status_) != 0 || ::fstat(folderFd_.get(), &folder) != 0)
                    return false;
                // A group's folder: every member must be able to write the table, whatever
                // the umask of the one who happened to save first, and nobody else may open
                // it, so that nobody outside the group can hold its lock.
                if ((folder.st_mode & S_ISGID) != 0) {
                    ::fchmod(fd_.get(), (status_.st_mode & 0770) | S_IRGRP | S_IWGRP);
                    ::fstat(fd_.get(), &status_);
                }
                return true;
            }
            if (errno == EEXIST)
                continue;  // made in between, maybe as a link: look again
            return false;
        }
        if (errno != ELOOP)
            return false;

        // A link: opened as itself, so that the link whose owner is checked is the one read.
        const UniqueFd link(::openat(folderFd_.get(), name_.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        struct stat linkStatus {};
        if (!link.isValid() || ::fstat(link.get(), &linkStatus) != 0)
            return false;
        if (!S_ISLNK(linkStatus.st_mode))
            continue;  // replaced in between: look again
        char target[PATH_MAX];
        const ssize_t length = ::readlinkat(link.get(), "", target, sizeof target);
        if (!trustedLink(linkStatus, shared_) || ++hops > maxLinkHops || length <= 0
            || length == ssize_t(sizeof target))
            return false;
        const QByteArray targetPath(target, length);
        const qsizetype targetSlash = targetPath.lastIndexOf('/');
        const QByteArray targetName = targetPath.mid(targetSlash + 1);
        if (targetName.isEmpty() || targetName == "." || targetName == "..")
            return false;
        // Relative targets are read from the link's own folder, as the kernel does.
        if (targetSlash >= 0
            && !walkFolders(folderFd_, shared_, targetSlash == 0 ? QByteArray("/") : targetPath.left(targetSlash),
                            false, hops))
            return false;
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
    while (::fcntl(fd_.get(), F_OFD_SETLK, &request) != 0) {
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
    return ::fstat(fd_.get(), &opened) == 0 && opened.st_nlink > 0
           && ::fstatat(folderFd_.get(), name_.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0
           && sameFile(opened, named);
}

QByteArray ScoreTableFile::read(qint64 length) const
{
    return fd_.isValid() ? readAt(fd_.get(), 0, length) : QByteArray();
}

qint64 ScoreTableFile::size() const
{
    struct stat status {};
    return fd_.isValid() && ::fstat(fd_.get(), &status) == 0 ? qint64(status.st_size) : 0;
}

bool ScoreTableFile::write(qint64 offset, const QByteArray& bytes)
{
    if (!fd_.isValid() || offset < 0 || bytes.isEmpty() || offset + bytes.size() > scoreTableBytes)
        return false;
    const qint64 oldSize = size();
    ScoreJournal journal{quint64(status_.st_dev),
                         quint64(status_.st_ino),
                         oldSize,
                         readAt(fd_.get(), 0, std::min(oldSize, offset + bytes.size())),
                         offset,
                         bytes};
    // Without a journal (a folder that refuses new files) the write still cannot be cut
    // by a killed copy: a table is one page, which the kernel copies in one piece.
    OpenJournal journalFile = writeScoreJournal(folderFd_.get(), name_, status_, journal);
    const bool written = writeAllAt(fd_.get(), offset, bytes) && ::fdatasync(fd_.get()) == 0;
    bool keepJournal = false;
    if (!written) {
        const bool wasMade = made_;
        const bool restored = writeAllAt(fd_.get(), 0, journal.oldBytes)
                              && (size() <= oldSize || ::ftruncate(fd_.get(), oldSize) == 0);
        discardIfMade();
        // A table that could not be put back keeps its journal, for the next save to replay.
        keepJournal = !restored && !wasMade;
    }
    if (!keepJournal)
        removeScoreJournal(folderFd_.get(), journalFile);
    made_ = false;
    return written;
}

void ScoreTableFile::discardIfMade()
{
    if (made_ && stillAtItsName())
        ::unlinkat(folderFd_.get(), name_.constData(), 0);
    made_ = false;
}

}  // namespace drovane
