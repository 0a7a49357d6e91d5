#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace drovane {

// Keeps other copies of the game off a score file while one inserts a result, so that
// two insertions never interleave their record moves.
//
// A lock file beside the score file (QLockFile) rather than a lock on the score file
// itself: every read and write opens and closes the score file on its own, and closing
// any descriptor of a file drops the process's POSIX record locks on it; a lock file
// also works the same on every platform and is taken over when its owner has died.
//
// A folder may refuse new files while the score file in it stays writable (a shared
// folder, a read-only mount with a writable file, C:\ for a standard Windows user). The
// lock then goes to a per-user folder instead, named from the score file's canonical
// path: every copy of one user takes that same decision for a file, and so the same lock.
class ScoreFileLock {
public:
    explicit ScoreFileLock(const QString& scoreFile);

    // Waits a few seconds at most. With createFolder, a missing folder is made first
    // (a write is about to make it anyway); without, a missing folder means no lock.
    bool acquire(bool createFolder);
    void release();
    bool isHeld() const;

    static QString lockFilePath(const QString& scoreFile);
    // The lock's place when the score file's folder refuses it: in the runtime folder, or
    // else the cache folder. Empty when neither can be had.
    static QString fallbackLockFilePath(const QString& scoreFile);

private:
    QString scoreFile_;
    QString folder_;
    QLockFile lock_;
    std::unique_ptr<QLockFile> fallback_;
};

}  // namespace drovane
