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

// The records from slot 1 on, as far as the file goes and at most 30 of them; a last
// slot shorter than 128 bytes still counts. A missing or unreadable file gives none.
QList<ScoreRecord> readScoreTable(const QString& path);

}  // namespace drovane
