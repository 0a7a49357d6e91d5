#pragma once

#include "scorerecord.h"

#include <QList>
#include <QString>

namespace drovane {

// Record-addressed access to a score file: record n occupies bytes (n - 1) * 128 to
// n * 128 - 1. Each call opens the file, does its work and closes it again.

// The record of slot n; the empty record when the file is missing or unreadable, or
// ends before slot n.
ScoreRecord readScoreRecord(const QString& path, int recordNumber);

// Writes slot n, creating the file (and its folder) if needed and never truncating it;
// a file that ends before slot n grows with zero bytes, which read as empty records.
// Returns false when the slot could not be written; the file is then left at its
// former size (removed if this call created it).
bool writeScoreRecord(const QString& path, int recordNumber, const ScoreRecord& record);

// The records from slot 1 on, as far as the file goes and at most 30 of them; a last
// slot shorter than 128 bytes still counts. A missing or unreadable file gives none.
QList<ScoreRecord> readScoreTable(const QString& path);

}  // namespace drovane
