#include "scoretestutil.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
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
        QVERIFY(!writeScoreRecord(folder, 1, {"ace", 1, ""}));

        QVERIFY(writeBytes(dir.filePath("plain"), "x"));
        QVERIFY(!writeScoreRecord(dir.filePath("plain/scores"), 1, {"ace", 1, ""}));
    }

    void slot30FirstMakesThirtySlots()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Drovane/bdd activité 1");
        QVERIFY(writeScoreRecord(path, 30, {"last", 5, "z"}));
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

        QVERIFY(writeScoreRecord(path, recordNumber, {"ace", 1234, "ok"}));
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
        const bool written = writeScoreRecord(path, 10, {"ace", 1, ""});
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QVERIFY(!written);
        QCOMPARE(fileBytes(path), slotsBefore >= 0 ? before : QByteArray());
#else
        QSKIP("needs a file size limit");
#endif
    }
};

DROVANE_TEST_MAIN(ScoreFileTest)
#include "tst_scorefile.moc"
