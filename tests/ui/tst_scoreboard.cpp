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

    // Tab and Shift+Tab go between the table and "Fin"; the arrows stay in the table.
    void tabLeavesTheTableForFin()
    {
        QTemporaryDir dir;
        auto* board = new ScoreBoard(gameMode(2), dir.filePath("scores"));
        board->setAttribute(Qt::WA_DeleteOnClose, false);
        board->show();
        board->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(board));
        auto* grid = board->findChild<QTableWidget*>("Grd_livre");
        auto* fin = board->findChild<QPushButton*>("cmd_fin");
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), grid);
        QCOMPARE(grid->currentRow(), 1);
        QCOMPARE(grid->currentColumn(), 1);
        QTest::keyClick(grid, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), fin);
        QTest::keyClick(fin, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), grid);
        QTest::keyClick(grid, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), fin);
        delete board;
    }

    // Results arriving on a board opened on an empty table: the current cell is the comment
    // of the last record written, whatever first cell Qt picked when the table took the focus.
    void currentCellAfterResultsArrive()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("scores");
        auto* board = new ScoreBoard(gameMode(3), path);
        board->setAttribute(Qt::WA_DeleteOnClose, false);
        board->show();
        board->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(board));
        auto* grid = board->findChild<QTableWidget*>("Grd_livre");
        QVERIFY(writeTable(path, descendingTable()));
        board->refreshScoreBoard();
        QCOMPARE(grid->currentRow(), scoreTableSize - 1);
        QCOMPARE(grid->currentColumn(), 3);
        delete board;
    }

    // At --zoom N a board that does not fit its screen takes the largest scale in tenths of
    // a screen pixel that does, and never less than one screen pixel per pixel.
    void scaleThatFitsTheScreen_data()
    {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("screenPixels");
        QTest::newRow("zoom 1, room enough") << QSize(1920, 1080) << 1.0 << 1.0;
        QTest::newRow("zoom 1, small screen") << QSize(800, 600) << 1.0 << 1.0;
        QTest::newRow("zoom 2, 1920 x 1080") << QSize(960, 540) << 2.0 << 1.6;
        QTest::newRow("zoom 3, 1920 x 1080") << QSize(640, 360) << 3.0 << 1.5;
        QTest::newRow("zoom 2, room enough") << QSize(1920, 1440) << 2.0 << 2.0;
        QTest::newRow("zoom 1.5, room enough") << QSize(1280, 720) << 1.5 << 1.5;
        QTest::newRow("zoom 2, small screen") << QSize(400, 300) << 2.0 << 1.0;
    }
    void scaleThatFitsTheScreen()
    {
        QFETCH(QSize, available);
        QFETCH(double, ratio);
        QFETCH(double, screenPixels);
        const QSize board(663, 649);
        const QMargins frame(2, 15, 2, 2);
        const BoardScale scale = BoardScale::fitting(board, available, frame, ratio);
        QCOMPARE(scale.factor * ratio, screenPixels);
        if (screenPixels > 1) {
            QVERIFY(available.height() >= scale.size(board).grownBy(frame).height());
            QVERIFY(available.width() >= scale.size(board).grownBy(frame).width());
        }
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
