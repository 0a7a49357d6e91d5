#pragma once

#include <QLockFile>
#include <QString>

namespace drovane {

// Keeps other copies of the game off a score file while one inserts a result, so that
// two insertions never interleave their record moves.
//
// A lock file beside the score file (QLockFile) rather than a lock on the score file
// itself: every read and write opens and closes the score file on its own, and closing
// any descriptor of a file drops the process's POSIX record locks on it; a lock file
// also works the same on every platform and is taken over when its owner has died.
class ScoreFileLock {
public:
    explicit ScoreFileLock(const QString& scoreFile);

    // Waits a few seconds at most. With createFolder, a missing folder is made first
    // (a write is about to make it anyway); without, a missing folder means no lock.
    bool acquire(bool createFolder);
    void release();
    bool isHeld() const { return lock_.isLocked(); }

    static QString lockFilePath(const QString& scoreFile);

private:
    QString folder_;
    QLockFile lock_;
};

}  // namespace drovane
