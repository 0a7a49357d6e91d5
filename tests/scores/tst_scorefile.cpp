// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/scorejournal.h"
#include "scores/scoretablefile.h"
#include "support/scoretestutil.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace drovane;
using namespace drovane::test;

class ScoreFileTest : public QObject {
    Q_OBJECT

private slots:
    void unusableFiles()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath("Drovane/bdd activité 1");
        QCOMPARE(readScoreRecord(missing, 30), emptyScoreRecord());
        QVERIFY(readScoreTable(missing).isEmpty());
        QVERIFY(!QFileInfo::exists(dir.filePath("Drovane")));  // reading makes no folder

        const QString folder = dir.filePath("folder");
        QVERIFY(QDir().mkdir(folder));
        QCOMPARE(readScoreRecord(folder, 1), emptyScoreRecord());
        QVERIFY(readScoreTable(folder).isEmpty());
        QVERIFY(!writeSlot(folder, 1, {"ace", 1, ""}));

        QVERIFY(writeBytes(dir.filePath("plain"), "x"));
        QVERIFY(!writeSlot(dir.filePath("plain/scores"), 1, {"ace", 1, ""}));
    }

    void slot30FirstMakesThirtySlots()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Drovane/bdd activité 1");
        QVERIFY(writeSlot(path, 30, {"last", 5, "z"}));
        QCOMPARE(fileBytes(path),
                 QByteArray(qsizetype(29) * scoreSlotSize, '\0') + encodeScoreRecord({"last", 5, "z"}));
        QCOMPARE(readScoreTable(path).size(), 30);
    }

    void writeKeepsTheRestOfTheFile_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("recordNumber");
        QTest::newRow("in place") << 30 * 128 << 2;
        QTest::newRow("more than 30 slots, never truncated") << 35 * 128 << 3;
        QTest::newRow("past a short last slot: zeros between") << 2 * 128 + 40 << 5;
    }

    void writeKeepsTheRestOfTheFile()
    {
        QFETCH(int, length);
        QFETCH(int, recordNumber);
        QTemporaryDir dir;
        const QString path = dir.filePath("scores");
        const QByteArray before(length, '\xAA');
        QVERIFY(writeBytes(path, before));

        QVERIFY(writeSlot(path, recordNumber, {"ace", 1234, "ok"}));
        const int offset = (recordNumber - 1) * scoreSlotSize;
        QByteArray expected = before.leftJustified(offset, '\0');
        expected.replace(offset, scoreSlotSize, encodeScoreRecord({"ace", 1234, "ok"}));
        QCOMPARE(fileBytes(path), expected);
    }

    // A full disk, played by a file size limit: the write stops part way and fails.
    void failedWriteLeavesTheFileAsItWas_data()
    {
        QTest::addColumn<int>("slotsBefore");  // -1: no file
        QTest::newRow("new file is removed") << -1;
        QTest::newRow("growth is cut back") << 5;
    }

    void failedWriteLeavesTheFileAsItWas()
    {
#ifdef Q_OS_UNIX
        QFETCH(int, slotsBefore);
        QTemporaryDir dir;
        const QString path = dir.filePath("scores");
        const QByteArray before(qsizetype(std::max(slotsBefore, 0)) * scoreSlotSize, '\x55');
        if (slotsBefore >= 0)
            QVERIFY(writeBytes(path, before));

        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = 1000;
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limited);
        const bool written = writeSlot(path, 10, {"ace", 1, ""});
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QVERIFY(!written);
        QCOMPARE(fileBytes(path), slotsBefore >= 0 ? before : QByteArray());
#else
        QSKIP("needs a file size limit");
#endif
    }

    // What a save stopped half way leaves beside the table: the next save's open puts the
    // old table back from it, and only from a whole journal of this very file.
    void leftJournalIsReplayed_data()
    {
        QTest::addColumn<QString>("table");  // what the stopped save left: old, torn or new
        QTest::addColumn<QString>("journal");
        QTest::addColumn<QString>("expected");
        QTest::newRow("torn: the old table comes back") << "torn"
                                                        << "whole"
                                                        << "old";
        QTest::newRow("finished: kept") << "new"
                                        << "whole"
                                        << "new";
        QTest::newRow("not begun: kept") << "old"
                                         << "whole"
                                         << "old";
        QTest::newRow("another file's journal") << "torn"
                                                << "other file"
                                                << "torn";
        QTest::newRow("damaged journal") << "torn"
                                         << "damaged"
                                         << "torn";
        QTest::newRow("the player's own journal name: replayed too") << "torn"
                                                                     << "own name"
                                                                     << "old";
        QTest::newRow("changed by a later save: kept") << "later"
                                                       << "whole"
                                                       << "later";
    }

    void leftJournalIsReplayed()
    {
#ifdef Q_OS_UNIX
        QFETCH(QString, table);
        QFETCH(QString, journal);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("scores");
        const QByteArray old(qsizetype(30) * scoreSlotSize, '\x11');
        const QByteArray written(qsizetype(3) * scoreSlotSize, '\x22');
        const qint64 offset = qint64(4) * scoreSlotSize;
        const QMap<QString, QByteArray> states{
            {"old", old},
            {"torn", QByteArray(old).replace(offset, scoreSlotSize, written.left(scoreSlotSize))},
            {"later", QByteArray(old).replace(offset, scoreSlotSize, QByteArray(scoreSlotSize, '\x33'))},
            { "new",
              QByteArray(old).replace(offset, written.size(), written) }};
        QVERIFY(writeBytes(path, states[table]));
        struct stat status {};
        QVERIFY(::stat(QFile::encodeName(path).constData(), &status) == 0);
        const ScoreJournal left{quint64(status.st_dev),
                                quint64(status.st_ino) + (journal == "other file"),
                                old.size(),
                                old.left(offset + written.size()),
                                offset,
                                written};
        QByteArray bytes = encodeScoreJournal(left);
        if (journal == "damaged")
            bytes[bytes.size() / 2] ^= 1;
        const QString journalPath = path
                                    + (journal == "own name" ? ".journal-" + QString::number(::geteuid()) : ".journal");
        QVERIFY(writeBytes(journalPath, bytes));

        ScoreTableFile opened;
        QVERIFY(opened.open(path, ScoreTableFile::Access::Write));
        opened.close();
        QCOMPARE(fileBytes(path), states[expected]);
        QCOMPARE(QFileInfo::exists(journalPath), journal != "whole" && journal != "own name");
#else
        QSKIP("the journal is a Unix case");
#endif
    }
};

DROVANE_TEST_MAIN(ScoreFileTest)
#include "tst_scorefile.moc"
