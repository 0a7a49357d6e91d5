// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/scorestore.h"

#include "scores/scorefile.h"

#include <algorithm>

namespace drovane {

ScoreFileStore::ScoreFileStore(QString path) : path_(std::move(path))
{
}

ScoreRecord ScoreFileStore::read(int recordNumber)
{
    if (!locked_)
        return readScoreRecord(path_, recordNumber);
    // Past the end the slot is empty, and an empty slot decodes as the empty record.
    return recordNumber < 1 ? emptyScoreRecord()
                            : decodeScoreRecord(staged_.mid(scoreSlotOffset(recordNumber), scoreSlotSize));
}

bool ScoreFileStore::write(int recordNumber, const ScoreRecord& record)
{
    if (!locked_ || recordNumber < 1 || recordNumber > scoreTableSize)
        return false;
    const qint64 offset = scoreSlotOffset(recordNumber);
    // A file that ends before the slot grows with zeros, which read as empty records.
    const qint64 from = std::min<qint64>(offset, staged_.size());
    if (staged_.size() < offset + scoreSlotSize)
        staged_.resize(offset + scoreSlotSize, '\0');
    staged_.replace(offset, scoreSlotSize, encodeScoreRecord(record));
    changedFrom_ = changedFrom_ < 0 ? from : std::min(changedFrom_, from);
    changedTo_ = std::max(changedTo_, offset + scoreSlotSize);
    return true;
}

bool ScoreFileStore::lock(bool forWriting)
{
    unlock();
    if (!table_.open(path_, forWriting ? ScoreTableFile::Access::Write : ScoreTableFile::Access::Read))
        return false;
    locked_ = true;
    onDisk_ = table_.read(scoreTableBytes);
    staged_ = onDisk_;
    return true;
}

bool ScoreFileStore::commit()
{
    if (!locked_)
        return false;
    if (changedFrom_ < 0)
        return true;
    const bool written = table_.write(changedFrom_, staged_.mid(changedFrom_, changedTo_ - changedFrom_));
    onDisk_ = written ? staged_ : onDisk_;
    staged_ = onDisk_;
    changedFrom_ = changedTo_ = -1;
    return written;
}

void ScoreFileStore::unlock()
{
    if (locked_)
        table_.discardIfMade();
    table_.close();
    locked_ = false;
    onDisk_.clear();
    staged_.clear();
    changedFrom_ = changedTo_ = -1;
}

}  // namespace drovane
