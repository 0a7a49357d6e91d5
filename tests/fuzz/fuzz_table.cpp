// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: a score table's bytes, whatever stands at its name.
#include "scores/scorerecord.h"

#include <cstdlib>

using namespace drovane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<ScoreRecord> records = decodeScoreTable(bytes);
    if (records.size() > scoreTableSize || records.size() != (std::min<qsizetype>(size, scoreTableBytes) + 127) / 128)
        std::abort();
    for (const ScoreRecord& record : records) {
        // Whatever was read has the shape of a record, and writes back to a slot that
        // reads the same again.
        if (record.nickname.size() != nicknameLength || record.comment.size() > commentMaxLength)
            std::abort();
        const QByteArray again = encodeScoreRecord(record);
        if (again.size() != scoreSlotSize || !(decodeScoreRecord(again) == record))
            std::abort();
    }
    return 0;
}
