#include "scorefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace drovane {
namespace {

qint64 slotOffset(int recordNumber)
{
    return qint64(recordNumber - 1) * scoreSlotSize;
}

// Puts back what a failed write added: growth is cut off, a new file removed.
void undoGrowth(QFile& file, bool existed, qint64 oldSize)
{
    if (!existed) {
        file.close();
        QFile::remove(file.fileName());
        return;
    }
    if (file.size() != oldSize)
        file.resize(oldSize);
}

}  // namespace

ScoreRecord readScoreRecord(const QString& path, int recordNumber)
{
    if (recordNumber < 1)
        return emptyScoreRecord();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(slotOffset(recordNumber)))
        return emptyScoreRecord();
    // Past the end the read is empty, and an empty slot decodes as the empty record.
    return decodeScoreRecord(file.read(scoreSlotSize));
}

bool writeScoreRecord(const QString& path, int recordNumber, const ScoreRecord& record)
{
    if (recordNumber < 1)
        return false;
    const QFileInfo info(path);
    const bool existed = info.exists();
    if (!existed && !QDir().mkpath(info.absolutePath()))
        return false;

    QFile file(path);
    // ReadWrite creates a missing file and keeps an existing one whole. Unbuffered, so
    // a full disk shows in write() itself rather than in a later flush.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return false;
    const qint64 oldSize = file.size();
    const qint64 offset = slotOffset(recordNumber);

    QByteArray bytes = encodeScoreRecord(record);
    qint64 start = offset;
    if (oldSize < offset) {
        // Seeking past the end leaves the gap undefined on some systems: write the zeros.
        bytes.prepend(QByteArray(offset - oldSize, '\0'));
        start = oldSize;
    }
    if (file.seek(start) && file.write(bytes) == bytes.size())
        return true;
    undoGrowth(file, existed, oldSize);
    return false;
}

QList<ScoreRecord> readScoreTable(const QString& path)
{
    QList<ScoreRecord> records;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return records;
    // Slots past the 30th have no rank to show; they are left alone.
    while (records.size() < scoreTableSize) {
        const QByteArray slot = file.read(scoreSlotSize);
        if (slot.isEmpty())
            break;
        records.append(decodeScoreRecord(slot));
    }
    return records;
}

}  // namespace drovane
