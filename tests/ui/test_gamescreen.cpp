// SPDX-License-Identifier: GPL-3.0-or-later
// The real game screen: its timers, keys and label clicks reach the rules.
#include "rules/gamemode.h"
#include "support/corridor.h"
#include "support/modalanswerer.h"
#include "support/testmain.h"
#include "ui/gamescreen.h"
#include "ui/navigator.h"
#include "ui/screenlabel.h"

#include <QApplication>
#include <QTimer>

using namespace drovane;
using namespace drovane::test;

namespace {

void clickLabel(GameScreen& screen, const char* name)
{
    const QPoint centre = screen.label(QString::fromLatin1(name))->look().rect.center();
    QTest::mouseClick(&screen, Qt::LeftButton, {}, centre);
}

}  // namespace

class TestGameScreen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietPlatformNoise(); }

    void timersMatchTheMode_data() { addRowPerMode(); }
    void timersMatchTheMode()
    {
        QFETCH(int, mode);
        const GameMode& m = gameMode(mode);
        GameState state;
        ScriptedRandom random;
        random.scriptRepeated(0.0f, drawsPerBuild);
        GameScreen screen(m, state, random);
        QCOMPARE(screen.objectName(), QString::fromUtf8(m.gameScreen.data()));
        QCOMPARE(screen.windowTitle(), QString::fromUtf8(m.gameCaption.data()));
        const std::optional<int> intervals[] = {int(m.tickInterval), m.stoneInterval, m.bonusInterval,
                                                m.pelletInterval};
        for (int n = 1; n <= 4; ++n) {
            auto* timer = screen.findChild<QTimer*>(QStringLiteral("Timer%1").arg(n));
            QCOMPARE(timer != nullptr, intervals[n - 1].has_value());
            if (!timer)
                continue;
            QVERIFY(timer->isActive());
            QCOMPARE(timer->interval(), *intervals[n - 1]);
            QCOMPARE(timer->timerType(), Qt::PreciseTimer);
        }
    }

    void keysAndLabelsDriveTheRun()
    {
        GameState state;
        ScriptedRandom random;
        random.scriptRepeated(0.0f, drawsPerBuild);
        GameScreen screen(gameMode(1), state, random);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        QTimer* tick = screen.timer(GameTimer::Tick);
        tick->stop();  // the test ticks by hand

        QTest::keyClick(&screen, Qt::Key_Left);
        QTest::keyClick(&screen, Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(screen.core().playfield().shipLeft, 2780.0f);
        QTest::keyClick(&screen, Qt::Key_Right);
        QCOMPARE(screen.core().playfield().shipLeft, 2830.0f);

        QTest::keyClick(&screen, Qt::Key_P, Qt::ShiftModifier);
        QCOMPARE(screen.label("pause")->caption(), QStringLiteral("Reprendre"));
        QVERIFY(!tick->isActive());
        clickLabel(screen, "pause");
        QCOMPARE(screen.label("pause")->caption(), QStringLiteral("Pause"));
        QVERIFY(tick->isActive());

        // A wall touch opens the real "Perdu !" box with the timers already off.
        ModalAnswerer answerer;
        screen.core().playfield().shipLeft = 100;
        random.scriptRepeated(0.0f, 3);
        screen.core().tick();
        QCOMPARE(answerer.seen(), QStringList{"Drovane|Perdu !"});
        QVERIFY(!tick->isActive());

        // "Rejouer" replays.
        random.scriptRepeated(0.0f, drawsPerBuild);
        clickLabel(screen, "pause");
        QCOMPARE(screen.label("pause")->caption(), QStringLiteral("Pause"));
        QCOMPARE(screen.core().playfield().shipLeft, 3000.0f);
        QVERIFY(tick->isActive());
        tick->stop();

        bool ended = false;
        Navigator::instance().setEndProgram([&] { ended = true; });
        clickLabel(screen, "Label4");
        QVERIFY(ended);
    }

    // Another program taking the focus, or the window going down to the taskbar, pauses a
    // run that is going, as P does; coming back resumes nothing. A paused or lost run stays so.
    void leavingTheWindowPausesTheRun_data()
    {
        QTest::addColumn<QString>("state");  // running, paused or lost
        QTest::addColumn<bool>("minimise");  // else another program takes the focus
        QTest::addColumn<QString>("caption");
        for (const bool minimise : {false, true}) {
            const char* how = minimise ? "minimised" : "focus lost";
            QTest::addRow("running, %s", how) << "running" << minimise << "Reprendre";
            QTest::addRow("paused, %s", how) << "paused" << minimise << "Reprendre";
            QTest::addRow("lost, %s", how) << "lost" << minimise << "Rejouer";
        }
    }
    void leavingTheWindowPausesTheRun()
    {
        QFETCH(QString, state);
        QFETCH(bool, minimise);
        QFETCH(QString, caption);
        GameState gameState;
        ScriptedRandom random;
        random.scriptRepeated(0.0f, 87 + 3 * 400);  // a straight corridor, whatever ticks come
        GameScreen screen(gameMode(5), gameState, random);
        screen.show();
        screen.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        if (state == QLatin1String("paused"))
            QTest::keyClick(&screen, Qt::Key_P);
        if (state == QLatin1String("lost")) {
            ModalAnswerer answerer;
            screen.core().playfield().shipLeft = 100;
            screen.core().tick();
            QCOMPARE(answerer.seen(), QStringList{"Drovane|Perdu !"});
            screen.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&screen));
        }
        const RunState before = screen.core().runState();

        if (minimise)
            screen.showMinimized();
        else
            QApplication::setActiveWindow(nullptr);
        QTRY_COMPARE(screen.label("pause")->caption(), caption);
        const bool running = before == RunState::Running;
        QCOMPARE(screen.core().runState(), running ? RunState::Paused : before);
        for (const GameTimer timer : {GameTimer::Tick, GameTimer::Stone, GameTimer::Bonus, GameTimer::Pellet})
            QVERIFY(!screen.timer(timer)->isActive());

        // Back in the window: still paused until the player says so.
        screen.showNormal();
        screen.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        QCOMPARE(screen.label("pause")->caption(), caption);
        QVERIFY(!screen.timer(GameTimer::Tick)->isActive());
    }

    void ticksScrollTheCorridorOnTheirOwn()
    {
        GameState state;
        ScriptedRandom random;
        random.scriptRepeated(0.0f, drawsPerBuild + drawsPerTick * 200);
        GameScreen screen(gameMode(1), state, random);
        screen.show();
        QTRY_VERIFY_WITH_TIMEOUT(state.scoreCount >= 4, 2000);
        QCOMPARE(screen.label("score")->caption().toInt(), int(state.scoreCount));
    }
};

DROVANE_TEST_MAIN(TestGameScreen)
#include "test_gamescreen.moc"
