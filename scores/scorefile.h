// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scores/scorerecord.h"

#include <QList>
#include <QString>

namespace drovane {

// Record-addressed access to a score file: record n occupies bytes (n - 1) * 128 to
// n * 128 - 1. Each call opens the file once (see ScoreTableFile: regular files only,
// links followed only where the player can trust them, a kernel lock while it works),
// does its work through that one descriptor and closes it again.

// The record of slot n; the empty record when the file is missing or unreadable, or
// ends before slot n.
ScoreRecord readScoreRecord(const QString& path, int recordNumber);

// Writes slot n, creating the file (and its folder) if needed and never truncating it;
// a file that ends before slot n grows with zero bytes, which read as empty records.
// A trusted link to a file not made yet makes the file it points to, never the folder
// it points into. Returns false when the slot could not be written; the file is then
// left as it was (removed if this call created it; a link to it stays).
bool writeScoreRecord(const QString& path, int recordNumber, const ScoreRecord& record);

// The records from slot 1 on, as far as the file goes and at most 30 of them; a last
// slot shorter than 128 bytes still counts. A missing or unreadable file gives none.
QList<ScoreRecord> readScoreTable(const QString& path);

// The records that `bytes` (a table's first bytes) hold, as readScoreTable gives them.
QList<ScoreRecord> decodeScoreTable(const QByteArray& bytes);

}  // namespace drovane
