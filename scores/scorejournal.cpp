// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/scorejournal.h"

#include "scores/scorerecord.h"

#include <QCryptographicHash>

#include <algorithm>

namespace drovane {
namespace {

// The fields in order, each number big-endian; a byte string is its length (4 bytes)
// then its bytes; then the SHA-256 of all that.
constexpr QByteArrayView journalMagic = "DROVANE-JOURNAL-1";
constexpr qsizetype digestSize = 32;

QByteArray digest(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

void putNumber(QByteArray& out, quint64 value, int size)
{
    for (int shift = 8 * (size - 1); shift >= 0; shift -= 8)
        out.append(char((value >> shift) & 0xFF));
}

void putBytes(QByteArray& out, QByteArrayView bytes)
{
    putNumber(out, quint64(bytes.size()), 4);
    out.append(bytes);
}

// Reads fields off the front of the bytes; once one is missing, every later read fails.
class FieldReader {
public:
    explicit FieldReader(QByteArrayView bytes) : bytes_(bytes) {}

    quint64 number(int size)
    {
        if (!ok_ || bytes_.size() < size) {
            ok_ = false;
            return 0;
        }
        quint64 value = 0;
        for (int i = 0; i < size; ++i)
            value = value << 8 | quint8(bytes_[i]);
        bytes_ = bytes_.sliced(size);
        return value;
    }
    // A byte string of at most maxSize bytes: a longer length fails before anything is taken.
    QByteArrayView bytes(qsizetype maxSize)
    {
        const quint64 size = number(4);
        if (!ok_ || size > quint64(std::min(maxSize, bytes_.size()))) {
            ok_ = false;
            return {};
        }
        const QByteArrayView field = bytes_.first(qsizetype(size));
        bytes_ = bytes_.sliced(qsizetype(size));
        return field;
    }
    bool atEnd() const { return ok_ && bytes_.isEmpty(); }

private:
    QByteArrayView bytes_;
    bool ok_ = true;
};

}  // namespace

QByteArray encodeScoreJournal(const ScoreJournal& journal)
{
    QByteArray bytes;
    putBytes(bytes, journalMagic);
    putNumber(bytes, journal.device, 8);
    putNumber(bytes, journal.inode, 8);
    putNumber(bytes, quint64(journal.oldSize), 8);
    putBytes(bytes, journal.oldBytes);
    putNumber(bytes, quint64(journal.offset), 8);
    putBytes(bytes, journal.newBytes);
    return bytes + digest(bytes);
}

std::optional<ScoreJournal> decodeScoreJournal(QByteArrayView bytes)
{
    if (bytes.size() <= digestSize || bytes.size() > scoreJournalMaxSize)
        return std::nullopt;
    const QByteArrayView body = bytes.first(bytes.size() - digestSize);
    if (digest(body) != bytes.last(digestSize))
        return std::nullopt;
    FieldReader in(body);
    ScoreJournal journal;
    const QByteArrayView magic = in.bytes(journalMagic.size());
    journal.device = in.number(8);
    journal.inode = in.number(8);
    journal.oldSize = qint64(in.number(8));
    journal.oldBytes = in.bytes(scoreTableBytes).toByteArray();
    journal.offset = qint64(in.number(8));
    journal.newBytes = in.bytes(scoreTableBytes).toByteArray();
    // A save writes whole slots within slots 1 to 30, and keeps what it writes over.
    if (!in.atEnd() || magic != journalMagic || journal.newBytes.isEmpty() || journal.offset < 0
        || journal.offset > scoreTableBytes - journal.newBytes.size() || journal.oldSize < 0
        || journal.oldBytes.size() != std::min(journal.oldSize, journal.offset + journal.newBytes.size()))
        return std::nullopt;
    return journal;
}

ScoreJournalReplay decideScoreJournalReplay(QByteArrayView journalBytes, quint64 device, quint64 inode,
                                            qint64 tableSize, QByteArrayView tableHead)
{
    using Action = ScoreJournalReplay::Action;
    const std::optional<ScoreJournal> journal = decodeScoreJournal(journalBytes);
    if (!journal || journal->device != device || journal->inode != inode)
        return {};
    const qint64 offset = journal->offset;
    const qint64 end = offset + journal->newBytes.size();
    const qint64 oldSize = journal->oldSize;
    // A save never shortens a table and grows it at most to the end of what it writes.
    if (tableSize < oldSize || tableSize > std::max(oldSize, end)
        || tableHead.size() != std::min<qint64>(tableSize, scoreTableBytes))
        return {Action::Remove, {}, 0};

    bool isOld = tableSize == oldSize;
    bool isNew = tableSize == std::max(oldSize, end);
    for (qint64 i = 0; i < std::min<qint64>(tableSize, end); ++i) {
        const char now = tableHead[i];
        const bool hasOld = i < oldSize;  // bytes past the old end were not there before
        const bool old = hasOld && now == journal->oldBytes[i];
        const bool written = i >= offset && now == journal->newBytes[i - offset];
        if (i < offset && !old)
            return {Action::Remove, {}, 0};  // changed where that save never wrote
        if (!old && !written)
            return {Action::Remove, {}, 0};  // a byte that save can not have left
        isOld = isOld && (old || (!hasOld && i >= offset));
        isNew = isNew && (written || i < offset);
    }
    if (isOld || isNew)
        return {Action::Remove, {}, 0};
    return {Action::Restore, journal->oldBytes, oldSize};
}

}  // namespace drovane
