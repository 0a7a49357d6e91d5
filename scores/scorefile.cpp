#include "scorefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace drovane {
namespace {

// Slots 1 to 30: the bytes that a write of a table's slot can change.
constexpr qint64 tableBytes = qint64(scoreTableSize) * scoreSlotSize;
// As many links in a row as Linux follows itself.
constexpr int maxLinkHops = 40;

qint64 slotOffset(int recordNumber)
{
    return qint64(recordNumber - 1) * scoreSlotSize;
}

enum class PathKind { Missing, Table, Other };

// What stands at a path once its links are followed; looked at without opening it.
PathKind pathKind(const QString& path)
{
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0)
        return S_ISREG(status.st_mode) ? PathKind::Table : PathKind::Other;
    // Any other error (a file where a folder should be, no permission) is no table either.
    return errno == ENOENT ? PathKind::Missing : PathKind::Other;
#else
    const QFileInfo info(path);
    if (info.exists())
        return info.isFile() ? PathKind::Table : PathKind::Other;
    return PathKind::Missing;
#endif
}

#ifdef Q_OS_UNIX
// O_NONBLOCK: should the path have become a pipe or a device since it was looked at,
// the open returns at once instead of waiting for the other end.
int openWithoutWaiting(const QString& path, int flags)
{
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    do
        fd = ::open(name.constData(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    return fd;
}

bool isRegularFile(int fd)
{
    struct stat status {};
    return ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}
#endif

// Opens the regular file that `path` names, links followed, and never anything else.
// With `madePath`, a missing file is made (through a link too, when the folder the link
// points into exists) and *madePath is set to the file made; without, a missing file
// is not opened.
bool openTable(QFile& file, const QString& path, QIODevice::OpenMode mode, QString* madePath)
{
    const PathKind kind = pathKind(path);
    if (kind == PathKind::Other || (kind == PathKind::Missing && !madePath))
        return false;
#ifdef Q_OS_UNIX
    const int access = mode.testFlag(QIODevice::WriteOnly) ? O_RDWR : O_RDONLY;
    int fd = -1;
    if (kind == PathKind::Missing) {
        // O_EXCL: the file counts as made only when this open made it. It does not follow
        // a link, so the file is made where the links lead.
        const QString target = canonicalScoreFilePath(path);
        fd = openWithoutWaiting(target, access | O_CREAT | O_EXCL);
        if (fd >= 0)
            *madePath = target;
        else if (errno != EEXIST)
            return false;
    }
    if (fd < 0)
        fd = openWithoutWaiting(path, access);
    if (fd < 0)
        return false;
    // Looked at again through the open file: the path may have changed in between.
    if (!isRegularFile(fd) || !file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    file.setFileName(path);
    if (!file.open(mode))
        return false;
    if (kind == PathKind::Missing)
        *madePath = canonicalScoreFilePath(path);
    return true;
#endif
}

// Removes a file made by a failed write, only while it is a regular file: never a link.
void removeMadeFile(const QString& madePath)
{
#ifdef Q_OS_UNIX
    struct stat status {};
    const QByteArray name = QFile::encodeName(madePath);
    if (::lstat(name.constData(), &status) == 0 && S_ISREG(status.st_mode))
        ::unlink(name.constData());
#else
    if (!QFileInfo(madePath).isSymLink())
        QFile::remove(madePath);
#endif
}

}  // namespace

ScoreRecord readScoreRecord(const QString& path, int recordNumber)
{
    QFile file;
    if (recordNumber < 1 || !openTable(file, path, QIODevice::ReadOnly, nullptr)
        || !file.seek(slotOffset(recordNumber)))
        return emptyScoreRecord();
    // Past the end the read is empty, and an empty slot decodes as the empty record.
    return decodeScoreRecord(file.read(scoreSlotSize));
}

bool writeScoreRecord(const QString& path, int recordNumber, const ScoreRecord& record)
{
    if (recordNumber < 1)
        return false;
    // A missing file's own folder is made; a link's folder exists already, and the folder
    // it points into is never made (it may be on a drive that is not mounted).
    if (pathKind(path) == PathKind::Missing && !QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;

    QFile file;
    QString madePath;
    // ReadWrite keeps an existing file whole. Unbuffered, so a full disk shows in write()
    // itself rather than in a later flush.
    if (!openTable(file, path, QIODevice::ReadWrite | QIODevice::Unbuffered, &madePath))
        return false;
    const qint64 oldSize = file.size();
    const qint64 offset = slotOffset(recordNumber);

    QByteArray bytes = encodeScoreRecord(record);
    qint64 start = offset;
    if (oldSize < offset) {
        // Seeking past the end leaves the gap undefined on some systems: write the zeros.
        bytes.prepend(QByteArray(offset - oldSize, '\0'));
        start = oldSize;
    }
    if (file.seek(start) && file.write(bytes) == bytes.size())
        return true;
    // Put back what the failed write added: growth is cut off, a new file removed.
    if (!madePath.isEmpty()) {
        file.close();
        removeMadeFile(madePath);
    } else if (file.size() != oldSize) {
        file.resize(oldSize);
    }
    return false;
}

QList<ScoreRecord> readScoreTable(const QString& path)
{
    QList<ScoreRecord> records;
    QFile file;
    if (!openTable(file, path, QIODevice::ReadOnly, nullptr))
        return records;
    // Slots past the 30th have no rank to show; they are left alone.
    while (records.size() < scoreTableSize) {
        const QByteArray slot = file.read(scoreSlotSize);
        if (slot.isEmpty())
            break;
        records.append(decodeScoreRecord(slot));
    }
    return records;
}

QString canonicalScoreFilePath(const QString& path)
{
    // Followed by hand: canonicalFilePath() is empty for a link to a file not made yet.
    QFileInfo info(QFileInfo(path).absoluteFilePath());
    for (int hops = 0; hops < maxLinkHops && info.isSymLink(); ++hops)
        info = QFileInfo(info.symLinkTarget());
    QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName();
}

ScoreFileState readScoreFileState(const QString& path)
{
    ScoreFileState state;
    switch (pathKind(path)) {
    case PathKind::Missing:
        state.kind = ScoreFileState::Kind::Missing;
        return state;
    case PathKind::Other:
        return state;
    case PathKind::Table:
        break;
    }
    QFile file;
    if (!openTable(file, path, QIODevice::ReadOnly, nullptr))
        return state;
    state.size = file.size();
    state.head = file.read(tableBytes);
    if (state.head.size() == std::min(state.size, tableBytes))
        state.kind = ScoreFileState::Kind::Table;
    return state;
}

bool restoreScoreFileState(const QString& path, const ScoreFileState& state)
{
    switch (state.kind) {
    case ScoreFileState::Kind::Unknown:
        return false;
    case ScoreFileState::Kind::Missing: {
        // Empty while nothing is there: a link that still leads nowhere stays as it is.
        const QString made = QFileInfo(path).canonicalFilePath();
        if (!made.isEmpty())
            removeMadeFile(made);
        return pathKind(path) == PathKind::Missing;
    }
    case ScoreFileState::Kind::Table:
        break;
    }
    QFile file;
    if (!openTable(file, path, QIODevice::ReadWrite | QIODevice::Unbuffered, nullptr))
        return false;
    bool restored = file.write(state.head) == state.head.size();
    if (file.size() > state.size)
        restored = file.resize(state.size) && restored;
    return restored;
}

}  // namespace drovane
