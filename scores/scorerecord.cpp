// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/scorerecord.h"

#include "scores/windows1252.h"

#include <QList>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>

namespace drovane {
namespace {

constexpr int scoreOffset = 30;
constexpr int lengthOffset = 32;
constexpr int commentOffset = 34;

}  // namespace

ScoreRecord emptyScoreRecord()
{
    return {QString(nicknameLength, QChar(0)), 0, QString()};
}

QByteArray encodeScoreRecord(const ScoreRecord& record)
{
    // The code page has one byte per character, so cutting bytes cuts characters.
    QByteArray nickname = toWindows1252(record.nickname).left(nicknameLength);
    nickname.append(nicknameLength - nickname.size(), ' ');
    const QByteArray comment = toWindows1252(record.comment).left(commentMaxLength);

    QByteArray slot(scoreSlotSize, '\0');
    char* bytes = slot.data();
    std::memcpy(bytes, nickname.constData(), nicknameLength);
    qToLittleEndian<qint16>(record.score, bytes + scoreOffset);
    qToLittleEndian<quint16>(static_cast<quint16>(comment.size()), bytes + lengthOffset);
    std::memcpy(bytes + commentOffset, comment.constData(), static_cast<std::size_t>(comment.size()));
    return slot;
}

ScoreRecord decodeScoreRecord(QByteArrayView slot)
{
    std::array<char, scoreSlotSize> bytes{};
    std::copy_n(slot.data(), std::min<qsizetype>(slot.size(), scoreSlotSize), bytes.begin());

    ScoreRecord record;
    record.nickname = fromWindows1252(QByteArrayView(bytes.data(), nicknameLength));
    record.score = qFromLittleEndian<qint16>(bytes.data() + scoreOffset);
    const int length = std::min<int>(qFromLittleEndian<quint16>(bytes.data() + lengthOffset), commentMaxLength);
    record.comment = fromWindows1252(QByteArrayView(bytes.data() + commentOffset, length));
    return record;
}

QList<ScoreRecord> decodeScoreTable(QByteArrayView bytes)
{
    // Slots past the 30th have no rank to show; they are left alone.
    QList<ScoreRecord> records;
    for (qint64 offset = 0; offset < std::min<qint64>(bytes.size(), scoreTableBytes); offset += scoreSlotSize)
        records.append(decodeScoreRecord(bytes.sliced(offset, std::min<qint64>(scoreSlotSize, bytes.size() - offset))));
    return records;
}

}  // namespace drovane
