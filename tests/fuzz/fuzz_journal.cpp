// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: a journal found beside a table, and what the next save does with it.
//
// An input is a journal and the table it is found with:
//   2 bytes (big-endian): the journal's length n; its top bit set keeps the journal's own
//                         digest, otherwise the right one is put in its last 32 bytes, so
//                         that mutations reach the fields behind it
//   n bytes:              the journal
//   the rest:             the table's bytes (its first 3840 bytes; its size is their count)
#include "scores/scorejournal.h"
#include "scores/scorerecord.h"

#include <QCryptographicHash>

#include <cstdlib>

using namespace drovane;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const bool keepDigest = (data[0] & 0x80) != 0;
    const qsizetype length = std::min<qsizetype>(((data[0] & 0x7F) << 8) | data[1], input.size() - 2);
    QByteArray journal = input.sliced(2, length).toByteArray();
    if (!keepDigest && journal.size() > 32) {
        const QByteArray digest = QCryptographicHash::hash(journal.first(journal.size() - 32),
                                                           QCryptographicHash::Sha256);
        journal.replace(journal.size() - 32, 32, digest);
    }
    const QByteArrayView table =
        input.sliced(2 + length).first(std::min<qsizetype>(input.size() - 2 - length, scoreTableBytes));

    const std::optional<ScoreJournal> decoded = decodeScoreJournal(journal);
    if (decoded) {
        // A journal keeps to one table's slots, and reads back the same once written again.
        check(decoded->offset >= 0 && !decoded->newBytes.isEmpty());
        check(decoded->offset + decoded->newBytes.size() <= scoreTableBytes);
        check(decoded->oldBytes.size() <= scoreTableBytes);
        const QByteArray again = encodeScoreJournal(*decoded);
        check(again == journal);
    }
    const quint64 device = decoded ? decoded->device : 1;
    const quint64 inode = decoded ? decoded->inode : 2;
    const ScoreJournalReplay replay = decideScoreJournalReplay(journal, device, inode, table.size(), table);
    check(decoded || replay.action == ScoreJournalReplay::Action::Keep);
    check(decodeScoreJournal(journal) ? replay.action != ScoreJournalReplay::Action::Keep
                                      : replay.action == ScoreJournalReplay::Action::Keep);
    check(decideScoreJournalReplay(journal, device, inode + 1, table.size(), table).action
          == ScoreJournalReplay::Action::Keep);
    if (replay.action == ScoreJournalReplay::Action::Restore) {
        // Putting back makes the old table, which the same journal then leaves alone:
        // a save stopped after the put-back does not put it back over later saves.
        check(replay.oldSize <= table.size() && replay.oldBytes.size() <= scoreTableBytes);
        QByteArray restored = table.toByteArray();
        restored.replace(0, replay.oldBytes.size(), replay.oldBytes);
        restored.truncate(replay.oldSize);
        check(decideScoreJournalReplay(journal, device, inode, restored.size(), restored).action
              == ScoreJournalReplay::Action::Remove);
        // Half of the put-back, stopped there: still a table that it puts back.
        QByteArray half = table.toByteArray();
        half.replace(0, replay.oldBytes.size() / 2, replay.oldBytes.first(replay.oldBytes.size() / 2));
        check(decideScoreJournalReplay(journal, device, inode, half.size(), half).action
              != ScoreJournalReplay::Action::Keep);
    }
    return 0;
}
