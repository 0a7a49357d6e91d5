// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/windows1252.h"
#include "support/scoretestutil.h"

#include <QStringDecoder>
#include <QStringEncoder>

using namespace drovane;
using drovane::test::stored;

namespace {

// A slot built by hand, independent of the encoder under test.
QByteArray slot(const QByteArray& nickname30, const char* scoreHex, const char* lengthHex, const QByteArray& comment)
{
    QByteArray bytes = nickname30 + QByteArray::fromHex(scoreHex) + QByteArray::fromHex(lengthHex) + comment;
    return bytes.leftJustified(scoreSlotSize, '\0');
}

QByteArray padded(const QByteArray& nickname)
{
    return nickname.leftJustified(nicknameLength, ' ');
}

}  // namespace

class ScoreRecordTest : public QObject {
    Q_OBJECT

private slots:
    void encode_data()
    {
        QTest::addColumn<ScoreRecord>("record");
        QTest::addColumn<QByteArray>("expected");
        const QString thirty(30, QLatin1Char('n'));
        QTest::newRow("worked example") << ScoreRecord{"ace", 1234, "ok"} << slot(padded("ace"), "d204", "0200", "ok");
        QTest::newRow("score -1") << ScoreRecord{"ace", -1, ""} << slot(padded("ace"), "ffff", "0000", "");
        QTest::newRow("score limits") << ScoreRecord{"x", -32768, ""} << slot(padded("x"), "0080", "0000", "");
        QTest::newRow("30 characters") << ScoreRecord{thirty, 7, ""} << slot(thirty.toLatin1(), "0700", "0000", "");
        QTest::newRow("31 characters") << ScoreRecord{thirty + "X", 7, ""}
                                       << slot(thirty.toLatin1(), "0700", "0000", "");
        QTest::newRow("94-character comment")
            << ScoreRecord{"a", 1, QString(94, 'c')} << slot(padded("a"), "0100", "5e00", QByteArray(94, 'c'));
        QTest::newRow("95-character comment is cut")
            << ScoreRecord{"a", 1, QString(95, 'c')} << slot(padded("a"), "0100", "5e00", QByteArray(94, 'c'));
        QTest::newRow("empty record") << emptyScoreRecord() << QByteArray(scoreSlotSize, '\0');
        // 0x80 and 0x9C are C1 controls in Latin-1 but the euro and oe in this code page.
        QTest::newRow("code page, not Latin-1") << ScoreRecord{QStringLiteral("€œé"), 2, QStringLiteral("Noël")}
                                                << slot(padded("\x80\x9c\xe9"), "0200", "0400", "No\xebl");
        QTest::newRow("unmappable as ?") << ScoreRecord{QStringLiteral("Łukasz"), 3, QStringLiteral("a😀b")}
                                         << slot(padded("?ukasz"), "0300", "0300", "a?b");
        // Each character on its own: one that has no byte spoils none of those after it.
        QTest::newRow("code page after an unmappable") << ScoreRecord{QStringLiteral("Łé€"), 4, QStringLiteral("★Noël")}
                                                       << slot(padded("?\xe9\x80"), "0400", "0500", "?No\xebl");
    }

    void encode()
    {
        QFETCH(ScoreRecord, record);
        QFETCH(QByteArray, expected);
        QCOMPARE(encodeScoreRecord(record).toHex(' '), expected.toHex(' '));
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<ScoreRecord>("expected");
        QTest::newRow("worked example") << slot(padded("ace"), "d204", "0200", "ok") << stored("ace", 1234, "ok");
        QTest::newRow("FF FF is -1") << slot(padded("ace"), "ffff", "0000", "") << stored("ace", -1);
        QTest::newRow("zero slot") << QByteArray(scoreSlotSize, '\0') << emptyScoreRecord();
        QTest::newRow("no bytes at all") << QByteArray() << emptyScoreRecord();
        QTest::newRow("short slot reads zeros")
            << (padded("bob") + QByteArray::fromHex("0700 0a00") + "abcdef")
            << ScoreRecord{padded("bob"), 7, QStringLiteral("abcdef") + QString(4, QChar(0))};
        QTest::newRow("length 200 stays in its slot")
            << (padded("x") + QByteArray::fromHex("0100 c800")).leftJustified(scoreSlotSize, 'z')
            << stored("x", 1, QString(94, 'z'));
        QTest::newRow("length 65535") << (padded("x") + QByteArray::fromHex("0100 ffff")).leftJustified(40, 'z')
                                      << stored("x", 1, QString(6, 'z') + QString(88, QChar(0)));
    }

    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(ScoreRecord, expected);
        QCOMPARE(decodeScoreRecord(bytes), expected);
    }

    // A moved record is written back as read: every byte value must survive.
    void everyByteSurvivesAMove()
    {
        for (int value = 0; value < 256; ++value) {
            const char byte = static_cast<char>(value);
            const QByteArray original = slot(QByteArray(30, byte), "3412", "5e00", QByteArray(94, byte));
            QCOMPARE(encodeScoreRecord(decodeScoreRecord(original)), original);
        }
    }

    // The game's table against Qt's own codec, where this Qt has one: every byte, and
    // every character of the Basic Multilingual Plane encoded on its own.
    void tableMatchesQtsCodec()
    {
        QStringDecoder decoder("windows-1252");
        if (!decoder.isValid())
            QSKIP("this Qt has no windows-1252 codec");
        for (int value = 0; value < 256; ++value) {
            const char byte = static_cast<char>(value);
            QCOMPARE(windows1252Char(static_cast<unsigned char>(value)),
                     QString(decoder.decode(QByteArrayView(&byte, 1))).at(0).unicode());
        }
        for (char16_t c = 0x80; c < 0xFFFF; ++c) {
            if (QChar::isSurrogate(c))
                continue;
            QStringEncoder encoder("windows-1252");
            QByteArray expected = encoder.encode(QStringView(&c, 1));
            if (encoder.hasError() || expected.size() != 1)
                expected = "?";
            QCOMPARE(toWindows1252(QStringView(&c, 1)), expected);
        }
    }
};

DROVANE_TEST_MAIN(ScoreRecordTest)
#include "tst_scorerecord.moc"
