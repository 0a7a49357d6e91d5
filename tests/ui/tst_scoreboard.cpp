// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/scorepaths.h"
#include "support/scoretestutil.h"
#include "ui/navigator.h"
#include "ui/scoreboard.h"

#include <QDir>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

using namespace drovane;
using namespace drovane::test;

namespace {

void checkFrame(const ScoreBoard& board)
{
    const QStringList headers{"    ", "Pseudos ", "Scores", "Commentaires"};
    for (int column = 0; column < 4; ++column)
        QCOMPARE(board.cellText(0, column), headers[column]);
    QCOMPARE(board.cellText(1, 0), QStringLiteral("1: "));
    QCOMPARE(board.cellText(9, 0), QStringLiteral("9: "));
    QCOMPARE(board.cellText(10, 0), QStringLiteral("10:"));
    QCOMPARE(board.cellText(30, 0), QStringLiteral("30:"));
}

}  // namespace

class ScoreBoardTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        quietPlatformNoise();
        Navigator::instance().setEndProgram([this] { ++endings_; });
    }

    void frameOnlyWithoutAReadableFile_data()
    {
        QTest::addColumn<bool>("folderInstead");
        QTest::newRow("no file") << false;
        QTest::newRow("folder in its place") << true;
    }

    void frameOnlyWithoutAReadableFile()
    {
        QFETCH(bool, folderInstead);
        QTemporaryDir dir;
        const QString path = dir.filePath("scores");
        if (folderInstead)
            QVERIFY(QDir().mkdir(path));
        ScoreBoard board(gameMode(4), path);
        checkFrame(board);
        for (int row = 1; row <= scoreTableSize; ++row) {
            for (int column = 1; column <= 3; ++column)
                QVERIFY(board.cellText(row, column).isEmpty());
        }
        const auto* fin = board.findChild<QPushButton*>("cmd_fin");
        const auto* grid = board.findChild<QTableWidget*>("Grd_livre");
        QCOMPARE(board.focusWidget(), grid);  // not "Fin", which a stray Space would press
        QCOMPARE(board.findChild<QTimer*>("Timer1")->interval(), 2000);
        // The whole layout is inside the window: "Fin" and the last row show.
        QVERIFY(board.rect().contains(fin->geometry()));
        QVERIFY(grid->rowViewportPosition(29) + grid->rowHeight(29) <= grid->viewport()->height());
    }

    void boardAfterTheFirstResult()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("scores");
        SubmissionRun(2, 137).submit(path, {"ace", "ok"});
        QVERIFY(writeSlot(path, 2, {"neg", -1, ""}));

        ScoreBoard board(gameMode(2), path);
        QCOMPARE(board.cellText(1, 1), QStringLiteral("ace").leftJustified(30));
        QCOMPARE(board.cellText(1, 2), QStringLiteral("137"));
        QCOMPARE(board.cellText(1, 3), QStringLiteral("ok"));
        QCOMPARE(board.cellText(2, 2), QStringLiteral("-1"));
        for (int row = 3; row <= scoreTableSize; ++row) {
            QCOMPARE(board.cellText(row, 1), QString());  // 30 NUL characters show as nothing
            QCOMPARE(board.cellText(row, 2), QStringLiteral("0"));
        }
    }

    void refreshWritesOnlyTheRecordsRead()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("scores");
        QList<ScoreRecord> table = descendingTable();
        QVERIFY(writeTable(path, table << stored("slot31", 50)));
        ScoreBoard board(gameMode(2), path);
        QCOMPARE(board.cellText(30, 1), table[29].nickname);  // slot 31 has no row

        QVERIFY(writeBytes(path, encodeScoreRecord({"new", 4500, ""})));
        board.refreshScoreBoard();
        QCOMPARE(board.cellText(1, 2), QStringLiteral("4500"));
        QCOMPARE(board.cellText(2, 1), table[1].nickname);
        checkFrame(board);
    }

    void openBoardFollowsASubmission()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("scores");
        QVERIFY(writeTable(path, descendingTable()));
        ScoreBoard board(gameMode(2), path);
        board.show();

        SubmissionRun(2, 3500).submit(path, {"neo", "hi"});
        QTRY_COMPARE_WITH_TIMEOUT(board.cellText(1, 1), QStringLiteral("neo").leftJustified(30), 2500);
        QCOMPARE(board.cellText(2, 1), descendingTable()[0].nickname);
    }

    void finEndsTheProgram()
    {
        QTemporaryDir dir;
        ScoreBoard board(gameMode(1), dir.filePath("scores"));
        board.show();
        QTest::mouseClick(board.findChild<QPushButton*>("cmd_fin"), Qt::LeftButton);
        QCOMPARE(endings_, 1);
    }

    // The keyboard never ends the program from a board: Space and Enter reach the table,
    // Escape closes the board alone. A refresh leaves the cell the player moved to.
    void keysNeverEndTheProgram()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("scores");
        QVERIFY(writeTable(path, descendingTable()));
        auto* board = new ScoreBoard(gameMode(1), path);
        board->setAttribute(Qt::WA_DeleteOnClose, false);
        board->show();
        board->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(board));
        auto* grid = board->findChild<QTableWidget*>("Grd_livre");
        const int endings = endings_;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(grid, Qt::Key_Up);
        const int row = grid->currentRow();
        board->refreshScoreBoard();
        QCOMPARE(grid->currentRow(), row);
        QTest::keyClick(grid, Qt::Key_Escape);
        QVERIFY(!board->isVisible());
        QCOMPARE(endings_, endings);
        delete board;
    }

    void fileLivesInTheDataFolder()
    {
#ifndef Q_OS_WIN
        QCOMPARE(scoreFileLocation(gameMode(2)), QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                                                     + QStringLiteral("/Drovane/bdd activité 1"));
        QVERIFY(scoreFileLocation(gameMode(1)).endsWith(QStringLiteral("/Drovane/bdd activité 4")));
#endif
    }

private:
    int endings_ = 0;
};

DROVANE_TEST_MAIN(ScoreBoardTest)
#include "tst_scoreboard.moc"
