// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/scorefile.h"

#include "scores/scoretablefile.h"

namespace drovane {
namespace {

// Slots 1 to 30: all that a table shows and a save changes.
constexpr qint64 tableBytes = qint64(scoreTableSize) * scoreSlotSize;

qint64 slotOffset(int recordNumber)
{
    return qint64(recordNumber - 1) * scoreSlotSize;
}

}  // namespace

ScoreRecord readScoreRecord(const QString& path, int recordNumber)
{
    ScoreTableFile table;
    if (recordNumber < 1 || !table.open(path, ScoreTableFile::Access::Read))
        return emptyScoreRecord();
    // Past the end the read is empty, and an empty slot decodes as the empty record.
    return decodeScoreRecord(table.read(slotOffset(recordNumber) + scoreSlotSize).mid(slotOffset(recordNumber)));
}

bool writeScoreRecord(const QString& path, int recordNumber, const ScoreRecord& record)
{
    ScoreTableFile table;
    if (recordNumber < 1 || !table.open(path, ScoreTableFile::Access::Write))
        return false;
    // Seeking past the end leaves the gap undefined on some systems: the zeros are written.
    const qint64 start = std::min(slotOffset(recordNumber), table.size());
    const QByteArray bytes = QByteArray(slotOffset(recordNumber) - start, '\0') + encodeScoreRecord(record);
    if (table.write(start, bytes))
        return true;
    table.discardIfMade();
    return false;
}

QList<ScoreRecord> readScoreTable(const QString& path)
{
    ScoreTableFile table;
    if (!table.open(path, ScoreTableFile::Access::Read))
        return {};
    return decodeScoreTable(table.read(tableBytes));
}

QList<ScoreRecord> decodeScoreTable(const QByteArray& bytes)
{
    // Slots past the 30th have no rank to show; they are left alone.
    QList<ScoreRecord> records;
    for (qint64 offset = 0; offset < std::min<qint64>(bytes.size(), tableBytes); offset += scoreSlotSize)
        records.append(decodeScoreRecord(
            QByteArrayView(bytes).sliced(offset, std::min<qint64>(scoreSlotSize, bytes.size() - offset))));
    return records;
}

}  // namespace drovane
