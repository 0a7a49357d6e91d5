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

QList<ScoreRecord> readScoreTable(const QString& path)
{
    ScoreTableFile table;
    if (!table.open(path, ScoreTableFile::Access::Read))
        return {};
    return decodeScoreTable(table.read(scoreTableBytes));
}

}  // namespace drovane
