#pragma once

#include "scorefile.h"
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
    // write may follow, so whatever the write needs (the folder) may be made now, and
    // what the write may change is kept for restoreLockedFile(); false when that cannot
    // be kept (neither a file nor nothing at the path, or a file that cannot be read):
    // nothing is to be written then.
    virtual bool lock(bool forWriting) = 0;
    virtual void unlock() = 0;
    // After a failed insertion: puts back the bytes and the size the file had when
    // lock(true) was taken; removes the file made since when there was none (the file a
    // link leads to, never the link).
    virtual void restoreLockedFile() = 0;
};

// The real thing: one score file on disk.
class ScoreFileStore final : public ScoreStore {
public:
    explicit ScoreFileStore(QString path);

    ScoreRecord read(int recordNumber) override;
    bool write(int recordNumber, const ScoreRecord& record) override;
    bool lock(bool forWriting) override;
    void unlock() override;
    void restoreLockedFile() override;

    const QString& path() const { return path_; }

private:
    QString path_;
    ScoreFileLock lock_;
    ScoreFileState stateAtLock_;
};

}  // namespace drovane
