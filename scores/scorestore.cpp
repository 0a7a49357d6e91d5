#include "scorestore.h"

#include "scorefile.h"

namespace drovane {

ScoreFileStore::ScoreFileStore(QString path) : path_(std::move(path)), lock_(path_)
{
}

ScoreRecord ScoreFileStore::read(int recordNumber)
{
    return readScoreRecord(path_, recordNumber);
}

bool ScoreFileStore::write(int recordNumber, const ScoreRecord& record)
{
    return writeScoreRecord(path_, recordNumber, record);
}

bool ScoreFileStore::lock(bool forWriting)
{
    if (!lock_.acquire(forWriting))
        return false;
    stateAtLock_ = forWriting ? readScoreFileState(path_) : ScoreFileState{};
    if (forWriting && stateAtLock_.kind == ScoreFileState::Kind::Unknown) {
        // Never write what could not be put back: a pipe, a folder, an unreadable file.
        lock_.release();
        return false;
    }
    return true;
}

void ScoreFileStore::unlock()
{
    lock_.release();
}

void ScoreFileStore::restoreLockedFile()
{
    restoreScoreFileState(path_, stateAtLock_);
}

}  // namespace drovane
