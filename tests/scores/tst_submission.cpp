// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/scorejournal.h"
#include "scores/scorestore.h"
#include "scores/scoretablefile.h"
#include "support/scoretestutil.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace drovane;
using namespace drovane::test;

namespace {

using Table = QList<ScoreRecord>;

// The host calls of a submission that is not refused as a cheat.
QStringList flow(int nicknameAsks, bool commentAsked, const QString& outcome)
{
    QStringList events{"Tick=off"};
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
    ScoreRecord read(int n) override
    {
        ++reads;
        return file_.read(n);
    }
    bool write(int n, const ScoreRecord& record) override
    {
        if (++writes != failingWrite_)
            return file_.write(n, record);
        file_.write(n, {"#garbage#", -999, "#"});
        return false;
    }
    bool lock(bool forWriting) override { return file_.lock(forWriting); }
    bool commit() override { return file_.commit(); }
    void unlock() override { file_.unlock(); }

    int reads = 0;
    int writes = 0;

private:
    ScoreFileStore file_;
    int failingWrite_;
};

#ifdef Q_OS_UNIX
// Every name in a folder and what it is: nothing may be made, removed or replaced.
QStringList listing(const QString& folder)
{
    QStringList entries;
    const auto filter = QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot;
    for (const QFileInfo& info : QDir(folder).entryInfoList(filter, QDir::Name)) {
        entries << info.fileName() + ": "
                       + (info.isSymLink() ? "link to " + info.symLinkTarget()
                          : info.isDir()   ? QStringLiteral("folder")
                          : info.isFile()  ? QStringLiteral("file of %1 bytes").arg(info.size())
                                           : QStringLiteral("other"));
    }
    return entries;
}

// Copies of the game in processes of their own (scores_child.cpp): one that waits for
// ever is killed at a time limit instead of hanging the test, and as root they can run
// as an unprivileged user, whom file modes stop.
class ChildCopies {
public:
    // The program is copied into `folder`, where any user may run it.
    explicit ChildCopies(const QString& folder) : program_(folder + "/scores_child"), home_(folder + "/home")
    {
        QFile::copy(QStringLiteral(DROVANE_SCORES_CHILD), program_);
        QDir().mkdir(home_);
        ::chmod(QFile::encodeName(folder).constData(), 0755);
    }

    // As root: the copies run as nobody from now on. Why they cannot, or empty.
    QString runAsUnprivilegedUser()
    {
        if (::geteuid() != 0)
            return {};
        const passwd* nobody = ::getpwnam("nobody");
        if (!nobody || ::chown(QFile::encodeName(home_).constData(), nobody->pw_uid, nobody->pw_gid) != 0)
            return QStringLiteral("running as root without a user nobody to run the game as");
        const QString uid = QString::number(nobody->pw_uid);
        const QString gid = QString::number(nobody->pw_gid);
        const QStringList runners[] = {{"setpriv", "--reuid=" + uid, "--regid=" + gid, "--clear-groups"},
                                       {"runuser", "-u", "nobody", "--"}};
        for (const QStringList& runner : runners) {
            runner_ = runner;
            if (run({}, {QStringList{}}, 10000) == QList<QStringList>{{"0"}})
                return {};
        }
        runner_.clear();
        return QStringLiteral("running as root, and neither setpriv nor runuser can run the game as nobody: "
                              "file modes do not apply to root");
    }

    // As root: the copies run as a user of that number (who needs no account), member of
    // `group` only. Why they cannot, or empty.
    QString runAsMember(uid_t uid, gid_t group)
    {
        if (::geteuid() != 0)
            return QStringLiteral("two players of one group need root to be played");
        runner_ = QStringList{"setpriv", QStringLiteral("--reuid=%1").arg(uid), QStringLiteral("--regid=%1").arg(group),
                              QStringLiteral("--groups=%1").arg(group)};
        if (::chown(QFile::encodeName(home_).constData(), uid, group) == 0
            && run({}, {QStringList{}}, 10000) == QList<QStringList>{{"0"}})
            return {};
        runner_.clear();
        return QStringLiteral("setpriv cannot run the game as another user");
    }

    QString homeFolder() const { return home_; }

    // One copy per list of scores, all at once. The lines each one printed; a copy that
    // has not ended within limitMs is killed and says so.
    QList<QStringList> run(const QString& scoreFile, const QList<QStringList>& copies, int limitMs)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("LSAN_OPTIONS");  // its suppressions may be out of another user's reach
        environment.insert("ASAN_OPTIONS", "detect_leaks=0");
        std::vector<std::unique_ptr<QProcess>> processes;
        for (const QStringList& scores : copies) {
            const QStringList command = runner_ + QStringList{program_, home_, scoreFile} + scores;
            processes.push_back(std::make_unique<QProcess>());
            processes.back()->setProcessEnvironment(environment);
            processes.back()->start(command.first(), command.mid(1));
        }
        const QDeadlineTimer deadline(limitMs);
        QList<QStringList> outputs;
        for (const auto& process : processes) {
            if (process->error() == QProcess::FailedToStart) {
                outputs.append({"could not start " + process->program()});
                continue;
            }
            if (!process->waitForFinished(int(deadline.remainingTime()))) {
                process->kill();
                process->waitForFinished();
                outputs.append({QStringLiteral("killed: still running after %1 ms").arg(limitMs)});
                continue;
            }
            QStringList lines = QString::fromUtf8(process->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
            if (process->exitStatus() != QProcess::NormalExit || process->exitCode() != 0)
                lines << "exit " + QString::number(process->exitCode()) + ": " + process->readAllStandardError();
            outputs.append(lines);
        }
        return outputs;
    }

    QString runtimeFolder() const { return home_ + "/runtime"; }

private:
    QString program_;
    QString home_;
    QStringList runner_;
};
#endif

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
        QTest::newRow("0 into a missing file")
            << Table{} << "" << 0 << QStringList{} << flow(0, false, says::tooLow) << Table{};
        QTest::newRow("0 by a nickname in the table") << Table{stored("bob", 10)} << "bob" << 0 << QStringList{}
                                                      << flow(0, false, says::duplicate) << Table{stored("bob", 10)};
        QTest::newRow("equal to slot 30") << full << "" << 100 << QStringList{} << flow(0, false, says::tooLow) << full;
        QTest::newRow("equal to slot 7, above slot 8")
            << full << "" << 2400 << QStringList{"neo", "hi"} << flow(1, true, says::rank(8))
            << inserted(full, 8, stored("neo", 2400, "hi"));
        QTest::newRow("above every score") << full << "" << 3500 << QStringList{"neo", ""}
                                           << flow(1, true, says::firstPlace) << inserted(full, 1, stored("neo", 3500));
        QTest::newRow("better result of the nickname in slot 5")
            << bob5 << "" << 2850 << QStringList{"bob", ""} << flow(1, true, says::rank(3))
            << inserted(bob5, 3, stored("bob", 2850));
        QTest::newRow("ace refused against ace pilot")
            << acePilot << "" << 400 << QStringList{"ace", ""} << flow(1, true, says::duplicate) << acePilot;
        QTest::newRow("ace pilot never its own duplicate")
            << acePilot << "" << 500 << QStringList{"ace pilot", ""} << flow(1, true, says::rank(2))
            << emptyTail({stored("ace pilot", 500), stored("ace pilot", 500)});
        QTest::newRow("31 characters never a duplicate")
            << Table{stored(name31, 500)} << "" << 500 << QStringList{name31, ""} << flow(1, true, says::rank(2))
            << emptyTail({stored(name31, 500), stored(name31, 500)});
        QTest::newRow("duplicate only in slot 30")
            << zed30 << "zed" << 100 << QStringList{} << flow(0, false, says::tooLow) << zed30;
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
        QVERIFY(writeTable(path, table));

        SubmissionRun run(2, score);
        run.memory.enteredNickname = remembered;
        run.submit(path, answers);

        QCOMPARE(run.host.events, events);
        QCOMPARE(readScoreTable(path), expected);
        QCOMPARE(fileBytes(path), encoded(expected));  // byte for byte, as the game writes
        QCOMPARE(QFileInfo::exists(dir.filePath("Drovane")), !expected.isEmpty());
        QVERIFY(QDir(dir.filePath("Drovane")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size() <= 1);
    }

    void validerTwiceWithTheSameNickname()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("scores");
        QVERIFY(writeTable(path, {stored("amy", 900), stored("ben", 800), stored("cat", 100)}));
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
        QVERIFY(writeTable(path, descendingTable()));
        const QByteArray before = fileBytes(path);
        QList<QByteArray> seen;
        SubmissionRun run(2, 3500);
        run.host.whileBoxOpen = [&](const QString&) {
            seen.append(fileBytes(path));
            ScoreTableFile probe;
            QVERIFY(probe.open(path, ScoreTableFile::Access::Write));
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
        QVERIFY(writeTable(path, table));
        const QByteArray before = fileBytes(path);

        SubmissionRun run(2, 3500);
        run.submissionHost.answers = {"neo", "hi"};
        ProbeStore store(path, failingWrite);
        submitScore(run.core, run.submissionHost, run.memory, store);

        QCOMPARE(run.host.events, flow(1, true, says::notSaved));
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(QFileInfo::exists(path), !table.isEmpty());
    }

    // Whatever else stands where the score file should be: the board shows no records,
    // "Valider" reports that the score was not saved, nothing changes and nothing waits:
    // a copy of the game that waits on a pipe is killed at the time limit, failing.
    void notATableIsNeverUsed_data()
    {
        QTest::addColumn<QString>("target");  // in the test folder, or absolute
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("named pipe") << "pipe" << false;
        QTest::newRow("link to a named pipe") << "pipe" << true;
        QTest::newRow("link to a device") << "/dev/null" << true;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("no folder, so no lock either") << "plain/scores" << false;
    }

    void notATableIsNeverUsed()
    {
#ifdef Q_OS_UNIX
        QFETCH(QString, target);
        QFETCH(bool, throughLink);
        QTemporaryDir dir;
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600) == 0);
        QVERIFY(QDir().mkdir(dir.filePath("folder")));
        QVERIFY(writeBytes(dir.filePath("plain"), "x"));
        QString path = QDir(dir.path()).filePath(target);
        if (throughLink) {
            QVERIFY(QFile::link(path, dir.filePath("bdd activité 1")));
            path = dir.filePath("bdd activité 1");
        }
        const QStringList before = listing(dir.path());

        QTemporaryDir own;
        ChildCopies copies(own.path());
        QCOMPARE(copies.run(path, {{ "137" }}, 10000).value(0).join(" | "), "0 | " + says::notSaved);
        QCOMPARE(listing(dir.path()), before);
#else
        QSKIP("pipes and devices at a file's path are a Unix case");
#endif
    }

    // A link is the player's: followed to read and to write, and never removed or
    // replaced, not even by undoing a failed save.
    void linksAreFollowedAndKept_data()
    {
        QTest::addColumn<QString>("target");    // where the link leads, in the test folder
        QTest::addColumn<Table>("table");       // what it leads to; no file when empty
        QTest::addColumn<int>("failingWrite");  // 0: none fails
        QTest::addColumn<QString>("outcome");
        const Table full = descendingTable();
        QTest::newRow("into a missing folder (a drive not mounted)")
            << "unmounted/bdd" << Table{} << 0 << says::notSaved;
        QTest::newRow("to a file not made yet") << "elsewhere/bdd" << Table{} << 0 << says::firstPlace;
        QTest::newRow("to a file not made yet, failed save") << "elsewhere/bdd" << Table{} << 2 << says::notSaved;
        QTest::newRow("to a table") << "elsewhere/bdd" << full << 0 << says::firstPlace;
        QTest::newRow("to a table, failed save") << "elsewhere/bdd" << full << 15 << says::notSaved;
    }

    void linksAreFollowedAndKept()
    {
        QFETCH(QString, target);
        QFETCH(Table, table);
        QFETCH(int, failingWrite);
        QFETCH(QString, outcome);
        QTemporaryDir dir;
        QVERIFY(QDir().mkdir(dir.filePath("elsewhere")));
        const QString path = dir.filePath("bdd activité 1");
        const QString targetPath = dir.filePath(target);
        QVERIFY(QFile::link(targetPath, path));
        // Filler that is not zeros: undoing puts back the bytes, not only the records.
        QByteArray before = encoded(table);
        for (qsizetype end = scoreSlotSize; end <= before.size(); end += scoreSlotSize)
            before[end - 1] = '\xEE';
        if (!table.isEmpty())
            QVERIFY(writeBytes(targetPath, before));

        SubmissionRun run(2, 3500);
        run.submissionHost.answers = {"neo", "hi"};
        ProbeStore store(path, failingWrite);
        submitScore(run.core, run.submissionHost, run.memory, store);

        QCOMPARE(run.host.events, flow(1, true, outcome));
        QVERIFY(QFileInfo(path).isSymLink());
        QCOMPARE(QFileInfo(path).symLinkTarget(), targetPath);
        if (outcome == says::notSaved) {
            QCOMPARE(QFileInfo::exists(targetPath), !table.isEmpty());
            QCOMPARE(fileBytes(targetPath), before);
        } else {
            QCOMPARE(readScoreTable(targetPath), inserted(emptyTail(table), 1, stored("neo", 3500, "hi")));
        }
        QVERIFY(!QFileInfo::exists(dir.filePath("unmounted")));
        QVERIFY(QDir(dir.filePath("elsewhere")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size() <= 1);
    }

    // A folder that refuses new files, holding a table that the player may write (a
    // shared folder, a read-only mount with a writable file): the save goes through
    // without a journal, and copies still take turns on the table's own lock. File modes do not stop root, so as root
    // the copies run as nobody.
    void folderThatRefusesNewFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");           // the table in the folder; null: none
        QTest::addColumn<QList<QStringList>>("copies");  // each copy's scores, all running at once
        QTest::addColumn<Table>("expected");             // none: nothing may be saved
        const Table full = descendingTable();
        QStringList even;
        QStringList odd;
        for (int score = 100; score < 150; score += 2) {
            even << QString::number(score);
            odd << QString::number(score + 1);
        }
        Table best;
        for (int score = 149; score > 119; --score)
            best.append(stored(QStringLiteral("t%1").arg(score), score));
        QTest::newRow("a save into the table")
            << encoded(full) << QList<QStringList>{{"2450"}} << inserted(full, 7, stored("t2450", 2450));
        QTest::newRow("two copies at once") << encoded(emptyTail({})) << QList<QStringList>{even, odd} << best;
        QTest::newRow("no table, and none may be made") << QByteArray() << QList<QStringList>{{"137"}} << Table{};
    }

    void folderThatRefusesNewFiles()
    {
#ifdef Q_OS_UNIX
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QStringList>, copies);
        QFETCH(Table, expected);
        QTemporaryDir base;
        const QString shared = base.filePath("shared");
        const QString path = shared + "/bdd activité 1";
        QVERIFY(QDir().mkdir(shared));
        if (!bytes.isNull()) {
            QVERIFY(writeBytes(path, bytes));
            QVERIFY(::chmod(QFile::encodeName(path).constData(), 0666) == 0);
        }
        ChildCopies children(base.path());
        const QString why = children.runAsUnprivilegedUser();
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        if (::geteuid() != 0) {
            // Root's folder refuses nobody as it is; one's own folder must be made to.
            QVERIFY(::chmod(QFile::encodeName(shared).constData(), 0555) == 0);
            if (writeBytes(shared + "/probe", "x"))
                QSKIP("this file system lets the test create files in a read-only folder");
        }

        const QList<QStringList> outputs = children.run(path, copies, 60000);
        ::chmod(QFile::encodeName(shared).constData(), 0755);
        for (qsizetype i = 0; i < copies.size(); ++i) {
            const QStringList output = outputs.value(i);
            QVERIFY2(output.size() == copies[i].size() + 1, qPrintable(output.join(" | ")));
            for (const QString& message : output.mid(1))
                QVERIFY2((message == says::notSaved) == expected.isEmpty(), qPrintable(message));
        }
        QCOMPARE(readScoreTable(path), expected);
        QCOMPARE(QFileInfo::exists(path), !bytes.isNull());
        QCOMPARE(QDir(shared).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), bytes.isNull() ? 0 : 1);
        QCOMPARE(QDir(children.runtimeFolder()).entryList(QDir::Files), QStringList{});  // locks let go
#else
        QSKIP("file modes are a Unix case");
#endif
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
        QVERIFY(writeTable(path, descendingTable()));
        SubmissionRun run(2, score);
        run.submissionHost.answers = {"neo", ""};
        ProbeStore store(path, 0);
        submitScore(run.core, run.submissionHost, run.memory, store);
        QCOMPARE(store.reads, reads);
        QCOMPARE(store.writes, writes);
    }

    // What one member of a group folder, or anyone else, may leave there for another: a
    // member's save never touches the saver's own files, never aborts, never waits past
    // the lock's 3 s, and either goes into the table or is refused with the failure
    // message. Played by users of one group and one user outside it.
    void plantedThingsInAGroupFolder_data()
    {
        QTest::addColumn<QString>("before");   // the table already there: "", "0666", "0660", "saved"
        QTest::addColumn<QString>("name");     // where the other member plants it, in the folder
        QTest::addColumn<QString>("planted");  // what: a link to a file or folder of the saver's, or a thing
        QTest::addColumn<QString>("outcome");
        const QString table = QStringLiteral("bdd activité 1");
        const QString journal = table + ".journal";
        QTest::newRow("link to the saver's file") << "" << table << "link:notes.txt" << says::notSaved;
        QTest::newRow("link to a file of the saver's not made yet") << "" << table << "link:new.txt" << says::notSaved;
        QTest::newRow("link on a folder of the path") << ""
                                                      << "tables"
                                                      << "link:." << says::notSaved;
        QTest::newRow("hard link to the saver's file") << "" << table << "hard link:notes.txt" << says::notSaved;
        QTest::newRow("pipe at the old lock name") << "" << table + ".lock"
                                                   << "pipe" << says::firstPlace;
        QTest::newRow("folder at the old lock name") << "" << table + ".lock"
                                                     << "folder" << says::firstPlace;
        QTest::newRow("their file at the old lock name") << "" << table + ".lock"
                                                         << "file" << says::firstPlace;
        QTest::newRow("their file at the journal name") << "" << journal << "file" << says::firstPlace;
        QTest::newRow("journal of a huge write") << "0666" << journal << "journal:huge" << says::rank(30);
        QTest::newRow("journal bigger than its table") << "0666" << journal << "journal:inconsistent" << says::rank(30);
        QTest::newRow("an outsider's read lock") << "saved" << table << "read lock" << says::firstPlace;
        QTest::newRow("a member's write lock") << "0660" << table << "write lock" << says::notSaved;
    }

    void plantedThingsInAGroupFolder()
    {
#ifdef Q_OS_UNIX
        QFETCH(QString, before);
        QFETCH(QString, name);
        QFETCH(QString, planted);
        QFETCH(QString, outcome);
        constexpr gid_t group = 64990;  // numbers nobody else uses, and no accounts needed
        constexpr uid_t saver = 64991;
        constexpr uid_t other = 64992;
        constexpr uid_t outsider = 64993;
        QTemporaryDir base;
        ::chmod(QFile::encodeName(base.path()).constData(), 0755);
        QVERIFY(QDir().mkdir(base.filePath("saver")));
        ChildCopies copies(base.filePath("saver"));
        const QString why = copies.runAsMember(saver, group);
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        const QString shared = base.filePath("shared");
        const QByteArray sharedName = QFile::encodeName(shared);
        QVERIFY(QDir().mkdir(shared) && ::chown(sharedName.constData(), 0, group) == 0
                && ::chmod(sharedName.constData(), 02775) == 0);
        const QString notes = copies.homeFolder() + "/notes.txt";
        QVERIFY(writeBytes(notes, "the saver's own notes\n"));
        QVERIFY(::chown(QFile::encodeName(notes).constData(), saver, saver) == 0);
        const QString path = shared + (planted == "link:." ? "/tables/bdd activité 1" : "/bdd activité 1");
        const QByteArray pathName = QFile::encodeName(path);
        const mode_t savedUmask = ::umask(022);
        auto restoreUmask = qScopeGuard([&] { ::umask(savedUmask); });

        QString firstLine = "0";
        if (before == "saved") {
            QCOMPARE(copies.run(path, {{ "100" }}, 10000).value(0), (QStringList{"0", says::firstPlace}));
            firstLine = "30";  // the first save fills every slot
        } else if (!before.isEmpty()) {
            QVERIFY(writeBytes(path, encoded(descendingTable())));
            QVERIFY(::chown(pathName.constData(), other, group) == 0
                    && ::chmod(pathName.constData(), before.toUInt(nullptr, 8)) == 0);
            firstLine = "30";
        }

        const QByteArray plantedPath = QFile::encodeName(shared + "/" + name);
        std::unique_ptr<QProcess> holder;
        if (planted.startsWith("link:")) {
            QVERIFY(QFile::link(copies.homeFolder() + "/" + planted.mid(5), shared + "/" + name));
        } else if (planted.startsWith("hard link:")) {
            // As the member, so that the kernel decides whether a member may (fs.protected_hardlinks).
            QProcess ln;
            ln.start("setpriv", {QStringLiteral("--reuid=%1").arg(other), QStringLiteral("--regid=%1").arg(group),
                                 QStringLiteral("--groups=%1").arg(group), "ln",
                                 copies.homeFolder() + "/" + planted.mid(10), path});
            if (!ln.waitForFinished() || ln.exitStatus() != QProcess::NormalExit || ln.exitCode() != 0)
                QSKIP("this kernel lets no member hard-link another's file (fs.protected_hardlinks=1)");
        } else if (planted == "pipe") {
            QVERIFY(::mkfifo(plantedPath.constData(), 0644) == 0);
        } else if (planted == "folder") {
            QVERIFY(::mkdir(plantedPath.constData(), 0755) == 0);
        } else if (planted.startsWith("journal:")) {
            struct stat status {};
            QVERIFY(::stat(pathName.constData(), &status) == 0);
            const QByteArray table = fileBytes(path);
            const QByteArray mine = encodeScoreRecord({"#mine#", 9999, "#"});
            // A write 2^40 bytes in; a table that was 2^40 bytes long before a write into slot 1.
            const ScoreJournal journal =
                planted == "journal:huge"
                    ? ScoreJournal{status.st_dev, status.st_ino, 0, {}, qint64(1) << 40, mine}
                    : ScoreJournal{status.st_dev, status.st_ino, qint64(1) << 40, mine, 0, table.first(scoreSlotSize)};
            QVERIFY(writeBytes(shared + "/" + name, encodeScoreJournal(journal)));
        } else if (planted.endsWith("lock")) {
            const bool read = planted == "read lock";
            holder = std::make_unique<QProcess>();
            holder->start("setpriv",
                          {QStringLiteral("--reuid=%1").arg(read ? outsider : other),
                           QStringLiteral("--regid=%1").arg(read ? outsider : group),
                           read ? QStringLiteral("--clear-groups") : QStringLiteral("--groups=%1").arg(group),
                           base.filePath("saver/scores_child"), "--hold", read ? "read" : "write", path, "8000"});
            QVERIFY(holder->waitForReadyRead(5000));
            QCOMPARE(holder->readLine().trimmed(), read ? "refused" : "held");
        } else {
            QVERIFY(writeBytes(shared + "/" + name, "mine\n") && ::chmod(plantedPath.constData(), 0644) == 0);
        }
        if (!planted.endsWith("lock") && !planted.startsWith("hard link:"))
            QVERIFY(::lchown(plantedPath.constData(), other, group) == 0);
        const QStringList homeBefore = listing(copies.homeFolder());

        QElapsedTimer clock;
        clock.start();
        const QStringList output = copies.run(path, {{ "137" }}, 10000).value(0);
        const qint64 elapsed = clock.elapsed();
        if (holder) {
            holder->kill();
            holder->waitForFinished();
        }

        QCOMPARE(output, (QStringList{firstLine, outcome}));
        // A held lock makes the save give up after 3 s; nothing else makes it wait.
        const qint64 limit = planted == "write lock" ? 3500 : 2500;
        QVERIFY2(elapsed < limit, qPrintable(QStringLiteral("the save took %1 ms").arg(elapsed)));
        QCOMPARE(fileBytes(notes), QByteArray("the saver's own notes\n"));
        QCOMPARE(listing(copies.homeFolder()), homeBefore);
        struct stat table {};
        const bool made = ::lstat(QFile::encodeName(shared + "/bdd activité 1").constData(), &table) == 0
                          && S_ISREG(table.st_mode);
        const bool madeByTheGame = (before.isEmpty() || before == "saved") && outcome != says::notSaved;
        QCOMPARE(made, madeByTheGame || !before.isEmpty() || planted.startsWith("hard link:"));
        if (madeByTheGame)  // every member may write what the first saver made, and only they
            QCOMPARE(table.st_mode & 0077, mode_t(0060));
        if (planted.startsWith("journal:"))  // nothing of the journal's reached the table
            QCOMPARE(readScoreTable(path), inserted(descendingTable(), 30, stored("t137", 137)));
#else
        QSKIP("file owners are a Unix case");
#endif
    }

    // A copy of the game killed at random moments while it saves results one after the
    // other into a full table: each time the table is exactly what some number of whole
    // saves made it (never a record twice, never one lost), and the next save goes
    // through at once.
    void killedSavesLeaveWholeTables()
    {
#ifdef Q_OS_UNIX
        constexpr int kills = 50;
        constexpr int savesPerCopy = 200;
        QTemporaryDir dir;
        const QString path = dir.filePath("bdd activité 1");
        QList<QByteArray> states{encoded(descendingTable())};  // after 0, 1, 2... saves
        QStringList scores;
        Table table = descendingTable();
        for (int i = 0; i < savesPerCopy; ++i) {
            const int score = 1000 + 7 * i % 1900;
            scores << QString::number(score);
            const auto rank = std::find_if(table.begin(), table.end(),
                                           [&](const ScoreRecord& r) { return r.score < score; });
            table = inserted(table, int(rank - table.begin()) + 1, stored(QStringLiteral("t%1").arg(score), score));
            states << encoded(table);
        }
        QTemporaryDir own;
        const QStringList command = QStringList{own.path(), path} + scores;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(writeBytes(path, states.first()));
        QProcess wholeRun;
        wholeRun.start(DROVANE_SCORES_CHILD, command);
        QVERIFY(wholeRun.waitForFinished(60000) && wholeRun.exitCode() == 0);
        const qint64 wholeRunMs = clock.elapsed();
        QCOMPARE(fileBytes(path), states.last());

        QRandomGenerator random(20261210);
        int midway = 0;
        for (int kill = 0; kill < kills; ++kill) {
            QVERIFY(writeBytes(path, states.first()));
            QProcess copy;
            copy.start(DROVANE_SCORES_CHILD, command);
            QVERIFY(copy.waitForStarted());
            QThread::msleep(random.bounded(wholeRunMs / 10, wholeRunMs));
            copy.kill();
            copy.waitForFinished();
            const qsizetype done = states.indexOf(fileBytes(path));
            QVERIFY2(done >= 0,
                     qPrintable(QStringLiteral("kill %1 left a table that no number of saves makes").arg(kill)));
            midway += done > 0 && done < savesPerCopy;

            clock.restart();
            ScoreFileStore store(path);
            const InsertionResult next = enterResult(store, stored("after", 3500), true);
            QCOMPARE(next.outcome, InsertionResult::Outcome::Placed);
            QVERIFY2(clock.elapsed() < 1000, "the next save waited for the killed copy");
            QCOMPARE(readScoreTable(path).first(), stored("after", 3500));
        }
        QVERIFY2(midway > kills / 2, "too few kills landed while the copy was saving");
#else
        QSKIP("kills are a Unix case");
#endif
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
