// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/scoretestutil.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <vector>

using namespace drovane;
using namespace drovane::test;

namespace {

QByteArray randomBytes(QRandomGenerator& random, qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(random.bounded(256));
    return bytes;
}

// A table as the game writes it, then damaged: odd comment lengths, stray bytes, cut
// short or lengthened.
QByteArray damagedTable(QRandomGenerator& random)
{
    QByteArray bytes;
    const int slotCount = random.bounded(1, 33);
    for (int n = 1; n <= slotCount; ++n)
        bytes += encodeScoreRecord({QStringLiteral("pilot%1").arg(n), std::int16_t(random.bounded(-500, 5000)),
                                    QString(random.bounded(95), QLatin1Char('c'))});
    for (int i = random.bounded(4); i > 0; --i) {
        const qsizetype field = random.bounded(slotCount) * scoreSlotSize + 32;
        bytes[field] = static_cast<char>(random.bounded(256));
        bytes[field + 1] = static_cast<char>(random.bounded(2) ? random.bounded(256) : 0);
    }
    for (int i = random.bounded(8); i > 0; --i)
        bytes[random.bounded(bytes.size())] = static_cast<char>(random.bounded(256));
    if (random.bounded(2))
        bytes.truncate(random.bounded(bytes.size() + 1));
    else
        bytes += randomBytes(random, random.bounded(300));
    return bytes;
}

void checkShape(const ScoreRecord& record)
{
    QCOMPARE(record.nickname.size(), nicknameLength);
    QVERIFY(record.comment.size() <= commentMaxLength);
    // Whatever was read must write back to a slot and read the same again.
    const QByteArray again = encodeScoreRecord(record);
    QCOMPARE(again.size(), scoreSlotSize);
    QCOMPARE(decodeScoreRecord(again), record);
}

}  // namespace

class ScoreFuzzTest : public QObject {
    Q_OBJECT

private slots:
    void readersTakeAnyFile()
    {
        QRandomGenerator random(0x5c0e5);
        QTemporaryDir dir;
        const QString path = dir.filePath("bdd activité 1");
        for (int round = 0; round < 3000; ++round) {
            const QByteArray bytes = round % 3 == 0 ? randomBytes(random, random.bounded(4200)) : damagedTable(random);
            QVERIFY(writeBytes(path, bytes));

            const QList<ScoreRecord> table = readScoreTable(path);
            const qsizetype slotCount = (bytes.size() + scoreSlotSize - 1) / scoreSlotSize;
            QCOMPARE(table.size(), std::min<qsizetype>(slotCount, scoreTableSize));
            for (const ScoreRecord& record : table) {
                checkShape(record);
                if (QTest::currentTestFailed())
                    return;
            }
            if (!table.isEmpty()) {
                const int n = random.bounded(int(table.size())) + 1;
                QCOMPARE(readScoreRecord(path, n), table[n - 1]);
            }
            const int beyond = int(slotCount) + 1 + random.bounded(10);
            QCOMPARE(readScoreRecord(path, beyond), emptyScoreRecord());
        }
    }

    // Exactly sized buffers, so the address sanitizer sees any read past a short slot.
    void decodeStaysInsideItsBytes()
    {
        QRandomGenerator random(0xb17e5);
        for (int round = 0; round < 4000; ++round) {
            const QByteArray source = randomBytes(random, random.bounded(scoreSlotSize + 40));
            const std::vector<char> exact(source.begin(), source.end());
            const ScoreRecord record = decodeScoreRecord(QByteArrayView(exact.data(), qsizetype(exact.size())));
            checkShape(record);
            if (QTest::currentTestFailed())
                return;
            QCOMPARE(record, decodeScoreRecord(source.left(scoreSlotSize).leftJustified(scoreSlotSize, '\0')));
        }
    }
};

DROVANE_TEST_MAIN(ScoreFuzzTest)
#include "tst_scorefuzz.moc"
