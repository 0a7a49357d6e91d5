#include "scorelock.h"

#include <QDir>
#include <QFileInfo>

namespace drovane {
namespace {

// An insertion holds the lock for a few milliseconds; waiting longer than this means
// the other copy is stuck, and the result is better reported as not saved.
constexpr int lockTimeoutMs = 3000;

}  // namespace

ScoreFileLock::ScoreFileLock(const QString& scoreFile)
    : folder_(QFileInfo(scoreFile).absolutePath()), lock_(lockFilePath(scoreFile))
{
}

QString ScoreFileLock::lockFilePath(const QString& scoreFile)
{
    return scoreFile + QStringLiteral(".lock");
}

bool ScoreFileLock::acquire(bool createFolder)
{
    if (lock_.isLocked())
        return true;
    if (createFolder)
        QDir().mkpath(folder_);
    else if (!QFileInfo::exists(folder_))
        return false;
    return lock_.tryLock(lockTimeoutMs);
}

void ScoreFileLock::release()
{
    if (lock_.isLocked())
        lock_.unlock();
}

}  // namespace drovane
