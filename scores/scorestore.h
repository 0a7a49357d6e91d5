#pragma once

#include "scorelock.h"
#include "scorerecord.h"

#include <QString>

namespace drovane {

// A mode's table as the score submission reaches it: slot by slot, under a lock.
class ScoreStore {
public:
    virtual ~ScoreStore() = default;

    virtual ScoreRecord read(int recordNumber) = 0;
    virtual bool write(int recordNumber, const ScoreRecord& record) = 0;

    // Exclusive hold against other copies of the game, until unlock(). forWriting: a
    // write will follow, so whatever the write needs (the folder) may be made now.
    virtual bool lock(bool forWriting) = 0;
    virtual void unlock() = 0;
    // After a failed insertion: cuts the file back to its size when lock() was taken
    // (removes it if it did not exist then).
    virtual void restoreLockedSize() = 0;
};

// The real thing: one score file on disk.
class ScoreFileStore final : public ScoreStore {
public:
    explicit ScoreFileStore(QString path);

    ScoreRecord read(int recordNumber) override;
    bool write(int recordNumber, const ScoreRecord& record) override;
    bool lock(bool forWriting) override;
    void unlock() override;
    void restoreLockedSize() override;

    const QString& path() const { return path_; }

private:
    QString path_;
    ScoreFileLock lock_;
    qint64 sizeAtLock_ = -1;  // -1: no file when the lock was taken
};

}  // namespace drovane
