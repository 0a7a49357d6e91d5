// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/scorefile.h"

#include "scores/scoretablefile.h"

namespace drovane {

ScoreRecord readScoreRecord(const QString& path, int recordNumber)
{
    ScoreTableFile table;
    if (recordNumber < 1 || !table.open(path, ScoreTableFile::Access::Read))
        return emptyScoreRecord();
    // Past the end the read is empty, and an empty slot decodes as the empty record.
    return decodeScoreRecord(
        table.read(scoreSlotOffset(recordNumber) + scoreSlotSize).mid(scoreSlotOffset(recordNumber)));
}

bool writeScoreRecord(const QString& path, int recordNumber, const ScoreRecord& record)
{
    ScoreTableFile table;
    if (recordNumber < 1 || !table.open(path, ScoreTableFile::Access::Write))
        return false;
    // Seeking past the end leaves the gap undefined on some systems: the zeros are written.
    const qint64 start = std::min(scoreSlotOffset(recordNumber), table.size());
    const QByteArray bytes = QByteArray(scoreSlotOffset(recordNumber) - start, '\0') + encodeScoreRecord(record);
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
    return decodeScoreTable(table.read(scoreTableBytes));
}

QList<ScoreRecord> decodeScoreTable(const QByteArray& bytes)
{
    // Slots past the 30th have no rank to show; they are left alone.
    QList<ScoreRecord> records;
    for (qint64 offset = 0; offset < std::min<qint64>(bytes.size(), scoreTableBytes); offset += scoreSlotSize)
        records.append(decodeScoreRecord(
            QByteArrayView(bytes).sliced(offset, std::min<qint64>(scoreSlotSize, bytes.size() - offset))));
    return records;
}

}  // namespace drovane
