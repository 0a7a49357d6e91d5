#include "scorestore.h"

#include "scorefile.h"

#include <QFile>
#include <QFileInfo>

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
    const QFileInfo info(path_);
    sizeAtLock_ = info.exists() ? info.size() : -1;
    return true;
}

void ScoreFileStore::unlock()
{
    lock_.release();
}

void ScoreFileStore::restoreLockedSize()
{
    if (sizeAtLock_ < 0) {
        QFile::remove(path_);
        return;
    }
    QFile file(path_);
    if (file.size() > sizeAtLock_)
        file.resize(sizeAtLock_);
}

}  // namespace drovane
