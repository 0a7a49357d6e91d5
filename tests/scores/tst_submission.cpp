#include "scoretestutil.h"
#include "scores/scorelock.h"
#include "scores/scorestore.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <thread>

using namespace drovane;
using namespace drovane::test;

namespace {

using Table = QList<ScoreRecord>;

// The host calls of a submission that is not refused as a cheat.
QStringList flow(int nicknameAsks, bool commentAsked, const QString& outcome)
{
    QStringList events{"Timer1=off"};
    for (int i = 0; i < nicknameAsks; ++i)
        events << "ask:entrez votre pseudo";
    if (commentAsked)
        events << "ask:commentaire:";
    return events << "message:" + outcome << "showScoreBoard";
}

Table inserted(Table table, int rank, const ScoreRecord& record)
{
    table.insert(rank - 1, record);
    table.removeLast();
    return table;
}

Table withSlot(Table table, int slot, const ScoreRecord& record)
{
    table[slot - 1] = record;
    return table;
}

Table emptyTail(Table table)
{
    while (table.size() < scoreTableSize)
        table.append(emptyScoreRecord());
    return table;
}

QByteArray encoded(const Table& table)
{
    QByteArray bytes;
    for (const ScoreRecord& record : table)
        bytes += encodeScoreRecord(record);
    return bytes;
}

// The real file, counted; one chosen write scribbles over its slot and fails, as a
// write that dies half way would.
class ProbeStore final : public ScoreStore {
public:
    ProbeStore(const QString& path, int failingWrite) : file_(path), failingWrite_(failingWrite) {}
    ScoreRecord read(int n) override { ++reads; return file_.read(n); }
    bool write(int n, const ScoreRecord& record) override
    {
        if (++writes != failingWrite_)
            return file_.write(n, record);
        file_.write(n, {"#garbage#", -999, "#"});
        return false;
    }
    bool lock(bool forWriting) override { return file_.lock(forWriting); }
    void unlock() override { file_.unlock(); }
    void restoreLockedSize() override { file_.restoreLockedSize(); }

    int reads = 0;
    int writes = 0;

private:
    ScoreFileStore file_;
    int failingWrite_;
};

}  // namespace

class SubmissionTest : public QObject {
    Q_OBJECT

private slots:
    void outcomes_data()
    {
        QTest::addColumn<Table>("table");
        QTest::addColumn<QString>("remembered");  // the nickname typed at an earlier submission
        QTest::addColumn<int>("score");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<Table>("expected");

        const Table full = descendingTable();
        const Table bob5 = withSlot(full, 5, stored("bob", 2600));
        const Table zed30 = withSlot(full, 30, stored("zed", 100));
        const Table acePilot{stored("ace pilot", 500)};
        const QString name31 = QString(30, 'L') + "X";

        QTest::newRow("first result ever") << Table{} << "" << 137 << QStringList{"ace", "ok"}
            << flow(1, true, says::firstPlace) << emptyTail({stored("ace", 137, "ok")});
        QTest::newRow("0 into a missing file") << Table{} << "" << 0 << QStringList{}
            << flow(0, false, says::tooLow) << Table{};
        QTest::newRow("0 by a nickname in the table") << Table{stored("bob", 10)} << "bob" << 0 << QStringList{}
            << flow(0, false, says::duplicate) << Table{stored("bob", 10)};
        QTest::newRow("equal to slot 30") << full << "" << 100 << QStringList{}
            << flow(0, false, says::tooLow) << full;
        QTest::newRow("equal to slot 7, above slot 8") << full << "" << 2400 << QStringList{"neo", "hi"}
            << flow(1, true, says::rank(8)) << inserted(full, 8, stored("neo", 2400, "hi"));
        QTest::newRow("above every score") << full << "" << 3500 << QStringList{"neo", ""}
            << flow(1, true, says::firstPlace) << inserted(full, 1, stored("neo", 3500));
        QTest::newRow("better result of the nickname in slot 5") << bob5 << "" << 2850 << QStringList{"bob", ""}
            << flow(1, true, says::rank(3)) << inserted(bob5, 3, stored("bob", 2850));
        QTest::newRow("ace refused against ace pilot") << acePilot << "" << 400 << QStringList{"ace", ""}
            << flow(1, true, says::duplicate) << acePilot;
        QTest::newRow("ace pilot never its own duplicate") << acePilot << "" << 500 << QStringList{"ace pilot", ""}
            << flow(1, true, says::rank(2)) << emptyTail({stored("ace pilot", 500), stored("ace pilot", 500)});
        QTest::newRow("31 characters never a duplicate") << Table{stored(name31, 500)} << "" << 500
            << QStringList{name31, ""} << flow(1, true, says::rank(2))
            << emptyTail({stored(name31, 500), stored(name31, 500)});
        QTest::newRow("duplicate only in slot 30") << zed30 << "zed" << 100 << QStringList{}
            << flow(0, false, says::tooLow) << zed30;
        QTest::newRow("empty nickname asked again") << Table{} << "" << 5 << QStringList{"", "", "ace", ""}
            << flow(3, true, says::firstPlace) << emptyTail({stored("ace", 5)});
    }

    void outcomes()
    {
        QFETCH(Table, table);
        QFETCH(QString, remembered);
        QFETCH(int, score);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, events);
        QFETCH(Table, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("Drovane/bdd activité 1");
        writeTable(path, table);

        SubmissionRun run(2, score);
        run.memory.enteredNickname = remembered;
        run.submit(path, answers);

        QCOMPARE(run.host.events, events);
        QCOMPARE(readScoreTable(path), expected);
        QCOMPARE(fileBytes(path), encoded(expected));  // byte for byte, as the game writes
        QCOMPARE(QFileInfo::exists(dir.filePath("Drovane")), !expected.isEmpty());
        QVERIFY(!QFileInfo::exists(ScoreFileLock::lockFilePath(path)));
    }

    void validerTwiceWithTheSameNickname()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("scores");
        writeTable(path, {stored("amy", 900), stored("ben", 800), stored("cat", 100)});
        SubmissionRun run(2, 700);
        run.submit(path, {"ace", "one"});
        QCOMPARE(run.host.messages(), QStringList{says::rank(3)});
        const QByteArray afterFirst = fileBytes(path);

        run.host.events.clear();
        run.submit(path, {"ace", "two"});
        QCOMPARE(run.host.events, flow(1, true, says::duplicate));
        QCOMPARE(fileBytes(path), afterFirst);
    }

    void scoreCaps_data()
    {
        QTest::addColumn<int>("modeIndex");
        QTest::addColumn<int>("score");
        QTest::newRow("space0 4500") << 1 << 4500;
        QTest::newRow("space0 4501") << 1 << 4501;
        QTest::newRow("space2 5000") << 4 << 5000;
        QTest::newRow("space2 5001") << 4 << 5001;
    }

    void scoreCaps()
    {
        QFETCH(int, modeIndex);
        QFETCH(int, score);
        const bool refused = score > gameMode(modeIndex).scoreCap;
        QTemporaryDir dir;
        const QString path = dir.filePath("scores");
        SubmissionRun run(modeIndex, score);
        run.random.scriptRepeated(0.25f, refused ? 87 : 0);  // the restart rebuilds rows 2 to 30
        run.submit(path, refused ? QStringList{} : QStringList{"ace", ""});

        if (refused) {
            QCOMPARE(run.host.messages(), (QStringList{says::cheat, says::tooLow}));
            QCOMPARE(run.state.scoreCount, 0);
            QVERIFY(run.host.timerEnabled(GameTimer::Tick));  // the new run plays on
            QCOMPARE(run.random.remaining(), std::size_t(0));
            QVERIFY(!QFileInfo::exists(path));
        } else {
            QCOMPARE(run.host.messages(), QStringList{says::firstPlace});
            QVERIFY(!run.host.timerEnabled(GameTimer::Tick));
            QCOMPARE(readScoreRecord(path, 1), stored("ace", score));
        }
    }

    // While the player reads a box the file does not change and no lock is held.
    void boxesSeeNoWritesAndNoLock()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("scores");
        writeTable(path, descendingTable());
        const QByteArray before = fileBytes(path);
        QList<QByteArray> seen;
        SubmissionRun run(2, 3500);
        run.host.whileBoxOpen = [&](const QString&) {
            seen.append(fileBytes(path));
            QLockFile probe(ScoreFileLock::lockFilePath(path));
            QVERIFY(probe.tryLock(0));
        };
        run.submit(path, {"neo", "hi"});
        const QByteArray after = encoded(inserted(descendingTable(), 1, stored("neo", 3500, "hi")));
        QCOMPARE(seen, (QList<QByteArray>{before, before, after}));
    }

    void failedWriteKeepsEveryRecord_data()
    {
        QTest::addColumn<Table>("table");
        QTest::addColumn<int>("failingWrite");
        const Table full = descendingTable();
        QTest::newRow("first move") << full << 1;
        QTest::newRow("half way") << full << 15;
        QTest::newRow("the new record") << full << 30;
        QTest::newRow("after the file grew") << full.first(5) << 3;
        QTest::newRow("file made by this submission") << Table{} << 2;
    }

    void failedWriteKeepsEveryRecord()
    {
        QFETCH(Table, table);
        QFETCH(int, failingWrite);
        QTemporaryDir dir;
        const QString path = dir.filePath("scores");
        writeTable(path, table);
        const QByteArray before = fileBytes(path);

        SubmissionRun run(2, 3500);
        run.host.answers = {"neo", "hi"};
        ProbeStore store(path, failingWrite);
        submitScore(run.core, run.memory, store);

        QCOMPARE(run.host.events, flow(1, true, says::notSaved));
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(QFileInfo::exists(path), !table.isEmpty());
    }

    void unwritableFileIsReported_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("folder in place of the file") << "scores";
        QTest::newRow("no folder, so no lock either") << "plain/scores";
    }

    void unwritableFileIsReported()
    {
        QFETCH(QString, file);
        QTemporaryDir dir;
        QVERIFY(QDir().mkdir(dir.filePath("scores")));
        QVERIFY(writeBytes(dir.filePath("plain"), "x"));
        SubmissionRun run(2, 137);
        run.submit(dir.filePath(file), {"ace", "ok"});
        QCOMPARE(run.host.events, flow(1, true, says::notSaved));
        QCOMPARE(fileBytes(dir.filePath("plain")), QByteArray("x"));
    }

    void slotAccessCounts_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("reads");
        QTest::addColumn<int>("writes");
        // Slot 30 is read once to decide on the prompts and again under the lock.
        QTest::newRow("first place") << 3500 << 31 << 30;
        QTest::newRow("too low") << 50 << 30 << 0;
    }

    void slotAccessCounts()
    {
        QFETCH(int, score);
        QFETCH(int, reads);
        QFETCH(int, writes);
        QTemporaryDir dir;
        const QString path = dir.filePath("scores");
        writeTable(path, descendingTable());
        SubmissionRun run(2, score);
        run.host.answers = {"neo", ""};
        ProbeStore store(path, 0);
        submitScore(run.core, run.memory, store);
        QCOMPARE(store.reads, reads);
        QCOMPARE(store.writes, writes);
    }

    // Two copies inserting into one file at once: unless each insertion has the table
    // to itself, records get lost or doubled.
    void concurrentCopiesKeepTheTable()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("scores");
        std::atomic<int> notSaved = 0;
        auto copy = [&](int first) {
            ScoreFileStore store(path);
            for (int score = first; score < first + 50; score += 2) {
                const ScoreRecord entry{QStringLiteral("t%1").arg(score), std::int16_t(score), {}};
                if (enterResult(store, entry, true).outcome == InsertionResult::Outcome::NotSaved)
                    ++notSaved;
                QThread::msleep(1);
            }
        };
        std::thread even(copy, 100);
        std::thread odd(copy, 101);
        even.join();
        odd.join();
        QCOMPARE(notSaved, 0);

        Table expected;
        for (int score = 149; score > 119; --score)
            expected.append(stored(QStringLiteral("t%1").arg(score), score));
        QCOMPARE(readScoreTable(path), expected);
    }
};

DROVANE_TEST_MAIN(SubmissionTest)
#include "tst_submission.moc"
