#pragma once

#include "scorerecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace drovane {

// Record-addressed access to a score file: record n occupies bytes (n - 1) * 128 to
// n * 128 - 1. Each call opens the file, does its work and closes it again.
//
// Only a regular file is a table. Links are followed (and never removed or replaced);
// whatever else stands at the path - a pipe, a socket, a device, a folder - reads as a
// table that cannot be read, and a write to it fails. Nothing here ever waits on a pipe
// or a device: the path is looked at before it is opened, and opened without blocking.

// The record of slot n; the empty record when the file is missing or unreadable, or
// ends before slot n.
ScoreRecord readScoreRecord(const QString& path, int recordNumber);

// Writes slot n, creating the file (and its folder) if needed and never truncating it;
// a file that ends before slot n grows with zero bytes, which read as empty records.
// A link to a file not made yet makes the file it points to, never the folder it
// points into. Returns false when the slot could not be written; the file is then left
// at its former size (removed if this call created it; a link to it stays).
bool writeScoreRecord(const QString& path, int recordNumber, const ScoreRecord& record);

// The records from slot 1 on, as far as the file goes and at most 30 of them; a last
// slot shorter than 128 bytes still counts. A missing or unreadable file gives none.
QList<ScoreRecord> readScoreTable(const QString& path);

// The path of the file a score file path names: links followed, even the last one when
// it leads to a file not made yet, and the folder made canonical. The same before and
// after the file is made, and for every path to one file.
QString canonicalScoreFilePath(const QString& path);

// What a score file holds, kept to undo a failed insertion.
struct ScoreFileState {
    enum class Kind {
        Missing,  // nothing at the path (a link to nothing included)
        Table,    // a regular file, whose bytes were read
        Unknown,  // anything else, or a file that could not be read: never to be written
    };
    Kind kind = Kind::Unknown;
    qint64 size = 0;
    QByteArray head;  // slots 1 to 30 as they were: all an insertion can change
};

ScoreFileState readScoreFileState(const QString& path);

// Puts back the bytes and the length of a file that existed; when there was none,
// removes the regular file made since (the file a link leads to, never the link).
// Meant for the holder of the score file's lock, so whatever was made since is its own.
bool restoreScoreFileState(const QString& path, const ScoreFileState& state);

}  // namespace drovane
