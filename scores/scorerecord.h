// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <cstdint>

namespace drovane {

// One entry of a mode's table of results.
struct ScoreRecord {
    QString nickname;  // 30 characters as stored, padding spaces included
    std::int16_t score = 0;
    QString comment;

    bool operator==(const ScoreRecord&) const = default;
};

inline constexpr int scoreTableSize = 30;  // records 1 to 30
inline constexpr int scoreSlotSize = 128;  // bytes per record on disk
inline constexpr int nicknameLength = 30;
inline constexpr int commentMaxLength = 94;  // what a slot has room for after its header
// Slots 1 to 30: all that a table shows and a save changes.
inline constexpr qint64 scoreTableBytes = qint64(scoreTableSize) * scoreSlotSize;

// Where record n (from 1) begins in its file.
constexpr qint64 scoreSlotOffset(int recordNumber)
{
    return qint64(recordNumber - 1) * scoreSlotSize;
}

// What a slot of zero bytes reads as: 30 NUL characters, 0, no comment.
ScoreRecord emptyScoreRecord();

// The 128 bytes of a slot. The nickname is cut or space-padded to 30 characters and the
// comment cut to 94; characters the code page lacks are stored as "?".
QByteArray encodeScoreRecord(const ScoreRecord& record);

// Reads a slot; missing bytes of a short slot count as zero, and a stored comment
// length above 94 still reads only the 94 bytes the slot holds.
ScoreRecord decodeScoreRecord(QByteArrayView slot);

// The records that `bytes` (a table's first bytes) hold: from slot 1 on, at most 30, a
// last slot shorter than 128 bytes counted too.
QList<ScoreRecord> decodeScoreTable(QByteArrayView bytes);

}  // namespace drovane
