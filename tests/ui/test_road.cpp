// SPDX-License-Identifier: GPL-3.0-or-later
// One whole run on the real windows: "Expert (V2)" from the menu to its score board,
// with scripted draws and every box answered as a player would.
#include "rules/gamemode.h"
#include "scores/scorepaths.h"
#include "support/corridor.h"
#include "support/modalanswerer.h"
#include "support/scoretestutil.h"
#include "support/testdoubles.h"
#include "support/testmain.h"
#include "ui/gamescreen.h"
#include "ui/navigator.h"
#include "ui/pickuptone.h"
#include "ui/scoreboard.h"
#include "ui/screenlabel.h"
#include "ui/windowfactory.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace drovane;
using namespace drovane::test;

class TestRoad : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietPlatformNoise(); }

    void expertRunFromMenuToBoard()
    {
        ScriptedRandom random;
        Navigator& nav = Navigator::instance();
        nav.setFactory([&](const QString& name) -> QWidget* {
            if (name == QLatin1String("space2"))
                return new GameScreen(gameMode(4), sharedGameState(), random);
            return createWindow(name);
        });
        nav.setEndProgram([] { QFAIL("the program must not end"); });
        const QString scoreFile = scoreFileLocation(gameMode(4));
        QVERIFY(writeSlot(scoreFile, 1, {QStringLiteral("champion"), 9999, QStringLiteral("imbattable")}));

        // The menu: "Expert (V2)", then "Jouer" on a straight corridor.
        QWidget* menu = nav.show(QStringLiteral("menu"));
        QTest::mouseClick(menu->findChild<QRadioButton*>(QStringLiteral("Option4")), Qt::LeftButton);
        random.scriptRepeated(0.0f, test::drawsPerBuild);
        QTest::mouseClick(menu->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        auto* screen = qobject_cast<GameScreen*>(nav.find(QStringLiteral("space2")));
        QVERIFY(screen);
        QVERIFY(!nav.find(QStringLiteral("menu")));
        QCOMPARE(screen->windowTitle(), QStringLiteral("Drovane V2"));
        for (QTimer* timer : screen->findChildren<QTimer*>())
            timer->stop();  // the test ticks and launches by hand
        GameCore& core = screen->core();
        const auto tick = [&](int count) {
            for (int i = 0; i < count; ++i) {
                random.scriptRepeated(0.0f, 3);
                core.tick();
            }
        };

        // A pellet and a bonus, both launched beside the left wall, caught together.
        tick(5);
        core.launchPellet();
        core.launchBonus();
        for (int i = 0; i < 9; ++i)
            QTest::keyClick(screen, Qt::Key_Left);
        QCOMPARE(core.playfield().shipLeft, 2430.0f);
        const int tonesBefore = PickupTone::instance().requests();
        tick(29);
        QCOMPARE(PickupTone::instance().requests() - tonesBefore, 2);
        QCOMPARE(sharedGameState().scoreCount, 34 + 30 + 100);

        // Into the left wall.
        ModalAnswerer answerer;
        answerer.answer(QStringLiteral("ace"));
        answerer.answer(QStringLiteral("deux prix"));
        for (int i = 0; i < 7; ++i)
            QTest::keyClick(screen, Qt::Key_Left);
        tick(1);
        QCOMPARE(core.runState(), RunState::Lost);

        // "Valider": nickname, comment, rank, board.
        const QPoint valider = screen->label(QStringLiteral("Label3"))->look().rect.center();
        QTest::mouseClick(screen, Qt::LeftButton, {}, valider);
        QCOMPARE(answerer.seen(), (QStringList{"Drovane|Perdu !", "Drovane|entrez votre pseudo", "Drovane|commentaire:",
                                               "Drovane|Bravo, vous étes classé à la 2éme place ! pour plus de détail "
                                               "consultez le fichier scores jeux"}));
        const ScoreRecord stored = readScoreRecord(scoreFile, 2);
        QCOMPARE(stored.nickname, QStringLiteral("ace").leftJustified(30));
        QCOMPARE(int(stored.score), 165);
        QCOMPARE(stored.comment, QStringLiteral("deux prix"));

        auto* board = qobject_cast<ScoreBoard*>(nav.find(QStringLiteral("score2")));
        QVERIFY(board);
        QCOMPARE(board->cellText(1, 1).trimmed(), QStringLiteral("champion"));
        QCOMPARE(board->cellText(2, 1).trimmed(), QStringLiteral("ace"));
        QCOMPARE(board->cellText(2, 2), QStringLiteral("165"));
        QCOMPARE(board->cellText(2, 3), QStringLiteral("deux prix"));
        nav.reset();
    }
};

DROVANE_TEST_MAIN(TestRoad)
#include "test_road.moc"
