// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scores/scorerecord.h"
#include "scores/scoretablefile.h"

#include <QString>

namespace drovane {

// A mode's table as the score submission reaches it: slot by slot, under a lock. The
// writes of one insertion are gathered and reach the file together, in commit().
class ScoreStore {
public:
    virtual ~ScoreStore() = default;

    virtual ScoreRecord read(int recordNumber) = 0;
    // Only under a lock for writing; nothing reaches the file before commit().
    virtual bool write(int recordNumber, const ScoreRecord& record) = 0;

    // Exclusive hold against other copies of the game, until unlock(). forWriting: a
    // write may follow, so whatever the write needs (the file, its folder) is made now.
    // False when the table cannot be used: nothing is to be written then.
    virtual bool lock(bool forWriting) = 0;
    // Writes every slot written since lock() at once; the file is then either exactly
    // as it was or holds them all, even if the program is killed meanwhile.
    virtual bool commit() = 0;
    // Drops what was not committed (and a file that lock() made for nothing).
    virtual void unlock() = 0;
};

// The real thing: one score file on disk, opened once per lock.
class ScoreFileStore final : public ScoreStore {
public:
    explicit ScoreFileStore(QString path);

    ScoreRecord read(int recordNumber) override;
    bool write(int recordNumber, const ScoreRecord& record) override;
    bool lock(bool forWriting) override;
    bool commit() override;
    void unlock() override;

private:
    QString path_;
    ScoreTableFile table_;
    bool locked_ = false;
    QByteArray onDisk_;  // slots 1 to 30 as the lock found them
    QByteArray staged_;  // the same with this insertion's writes
    qint64 changedFrom_ = -1;
    qint64 changedTo_ = -1;
};

}  // namespace drovane
