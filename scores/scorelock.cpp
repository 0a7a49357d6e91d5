#include "scorelock.h"

#include "scorefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace drovane {
namespace {

// An insertion holds the lock for a few milliseconds; waiting longer than this means
// the other copy is stuck, and the result is better reported as not saved.
constexpr int lockTimeoutMs = 3000;

}  // namespace

ScoreFileLock::ScoreFileLock(const QString& scoreFile)
    : scoreFile_(scoreFile),
      folder_(QFileInfo(scoreFile).absolutePath()),
      lock_(lockFilePath(scoreFile))
{
}

QString ScoreFileLock::lockFilePath(const QString& scoreFile)
{
    return scoreFile + QStringLiteral(".lock");
}

QString ScoreFileLock::fallbackLockFilePath(const QString& scoreFile)
{
    const QByteArray name = QCryptographicHash::hash(canonicalScoreFilePath(scoreFile).toUtf8(),
                                                     QCryptographicHash::Sha256)
                                .toHex()
                                .left(32);
    for (const auto location : {QStandardPaths::RuntimeLocation, QStandardPaths::CacheLocation}) {
        const QString folder = QStandardPaths::writableLocation(location);
        if (!folder.isEmpty() && QDir().mkpath(folder))
            return folder + QStringLiteral("/drovane-scores-") + QString::fromLatin1(name) + QStringLiteral(".lock");
    }
    return {};
}

bool ScoreFileLock::acquire(bool createFolder)
{
    if (isHeld())
        return true;
    if (createFolder)
        QDir().mkpath(folder_);
    else if (!QFileInfo::exists(folder_))
        return false;
    if (lock_.tryLock(lockTimeoutMs))
        return true;
    // Only a folder that refuses the lock file: a lock held by another copy, or a stale
    // one that cannot be taken over, is still waited for and then given up.
    if (lock_.error() != QLockFile::PermissionError)
        return false;
    const QString fallbackPath = fallbackLockFilePath(scoreFile_);
    if (fallbackPath.isEmpty())
        return false;
    fallback_ = std::make_unique<QLockFile>(fallbackPath);
    if (fallback_->tryLock(lockTimeoutMs))
        return true;
    fallback_.reset();
    return false;
}

void ScoreFileLock::release()
{
    if (lock_.isLocked())
        lock_.unlock();
    if (fallback_) {
        fallback_->unlock();
        fallback_.reset();
    }
}

bool ScoreFileLock::isHeld() const
{
    return lock_.isLocked() || (fallback_ && fallback_->isLocked());
}

}  // namespace drovane
