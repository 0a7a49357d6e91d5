// SPDX-License-Identifier: GPL-3.0-or-later
// The real game screen: its timers, keys and label clicks reach the rules.
#include "rules/gamemode.h"
#include "support/corridor.h"
#include "support/modalanswerer.h"
#include "support/testdoubles.h"
#include "support/testmain.h"
#include "ui/gamescreen.h"
#include "ui/navigator.h"
#include "ui/screenlabel.h"
#include "ui/soundswitch.h"

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

QString describe(const GameScreen::KeyMeaning& meaning)
{
    using Action = GameScreen::ScreenAction;
    if (const auto* command = std::get_if<Command>(&meaning)) {
        switch (*command) {
        case Command::SteerLeft:
            return QStringLiteral("steer left");
        case Command::SteerRight:
            return QStringLiteral("steer right");
        case Command::Pause:
            return QStringLiteral("pause");
        case Command::Replay:
            return QStringLiteral("replay");
        }
    }
    if (const auto* action = std::get_if<Action>(&meaning))
        return *action == Action::Submit ? QStringLiteral("submit")
               : *action == Action::Quit ? QStringLiteral("quit")
                                         : QStringLiteral("switch sound");
    return QStringLiteral("nothing");
}

}  // namespace

class TestGameScreen : public QObject {
    Q_OBJECT
    bool ended_ = false;

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

    void keysMeanWhatTheySay_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("meaning");
        const Qt::KeyboardModifiers none;
        QTest::newRow("left") << int(Qt::Key_Left) << none << "steer left";
        QTest::newRow("Ctrl+Shift+left") << int(Qt::Key_Left) << (Qt::ControlModifier | Qt::ShiftModifier)
                                         << "steer left";
        QTest::newRow("right") << int(Qt::Key_Right) << none << "steer right";
        QTest::newRow("Alt+right") << int(Qt::Key_Right) << Qt::KeyboardModifiers(Qt::AltModifier) << "steer right";
        QTest::newRow("P") << int(Qt::Key_P) << none << "pause";
        QTest::newRow("Shift+P") << int(Qt::Key_P) << Qt::KeyboardModifiers(Qt::ShiftModifier) << "pause";
        QTest::newRow("Ctrl+P") << int(Qt::Key_P) << Qt::KeyboardModifiers(Qt::ControlModifier) << "pause";
        QTest::newRow("R") << int(Qt::Key_R) << none << "replay";
        QTest::newRow("F2") << int(Qt::Key_F2) << none << "replay";
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << Qt::KeyboardModifiers(Qt::ControlModifier) << "submit";
        QTest::newRow("Ctrl+Shift+S") << int(Qt::Key_S) << (Qt::ControlModifier | Qt::ShiftModifier) << "submit";
        QTest::newRow("S") << int(Qt::Key_S) << none << "nothing";
        QTest::newRow("Shift+S") << int(Qt::Key_S) << Qt::KeyboardModifiers(Qt::ShiftModifier) << "nothing";
        QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << Qt::KeyboardModifiers(Qt::ControlModifier) << "quit";
        QTest::newRow("Q") << int(Qt::Key_Q) << none << "nothing";
        QTest::newRow("M") << int(Qt::Key_M) << none << "switch sound";
        QTest::newRow("Ctrl+M") << int(Qt::Key_M) << Qt::KeyboardModifiers(Qt::ControlModifier) << "switch sound";
        QTest::newRow("up") << int(Qt::Key_Up) << none << "nothing";
        QTest::newRow("space") << int(Qt::Key_Space) << none << "nothing";
    }
    void keysMeanWhatTheySay()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, meaning);
        QCOMPARE(describe(GameScreen::keyMeaning(key, modifiers)), meaning);
    }

    // "Valider", "Quitter" and M, by key or click, in every state: the screen does them
    // itself and the run's state stays as it was. "Valider" stops the tick alone.
    void screensOwnActionsInEveryState_data()
    {
        QTest::addColumn<QString>("state");   // running, paused or lost
        QTest::addColumn<QString>("action");  // a key, or the label clicked
        QTest::addColumn<QStringList>("seen");
        QTest::addColumn<bool>("ended");
        QTest::addColumn<bool>("soundSwitched");
        const QStringList tooLow{"Drovane|Bouhhhhh ! vous ne faite même pas partie des 30 premiers. Pour voir les "
                                 "scores des autres consultez le fichier scores jeux"};
        QTest::newRow("running Ctrl+S") << "running"
                                        << "Ctrl+S" << tooLow << false << false;
        QTest::newRow("running Valider") << "running"
                                         << "Label3" << tooLow << false << false;
        QTest::newRow("lost Ctrl+S") << "lost"
                                     << "Ctrl+S" << tooLow << false << false;
        QTest::newRow("paused Ctrl+Q") << "paused"
                                       << "Ctrl+Q" << QStringList() << true << false;
        QTest::newRow("running Quitter") << "running"
                                         << "Label4" << QStringList() << true << false;
        QTest::newRow("paused Quitter") << "paused"
                                        << "Label4" << QStringList() << true << false;
        QTest::newRow("lost Quitter") << "lost"
                                      << "Label4" << QStringList() << true << false;
        QTest::newRow("running M") << "running"
                                   << "M" << QStringList() << false << true;
        QTest::newRow("lost M") << "lost"
                                << "M" << QStringList() << false << true;
    }
    void screensOwnActionsInEveryState()
    {
        QFETCH(QString, state);
        QFETCH(QString, action);
        QFETCH(QStringList, seen);
        QFETCH(bool, ended);
        QFETCH(bool, soundSwitched);
        GameState gameState;
        ScriptedRandom random;
        random.scriptRepeated(0.0f, drawsPerBuild);
        GameScreen screen(gameMode(4), gameState, random);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        QTimer* tick = screen.timer(GameTimer::Tick);
        tick->stop();  // the test ticks by hand
        if (state == QLatin1String("paused"))
            QTest::keyClick(&screen, Qt::Key_P);
        if (state == QLatin1String("lost")) {
            ModalAnswerer answerer;
            screen.core().lose();
            QCOMPARE(answerer.seen(), QStringList{"Drovane|Perdu !"});
            screen.repaint();  // the labels show the loss
        }
        const RunState before = screen.core().runState();
        const QString caption = pauseCaption(before);
        const bool launching = screen.timer(GameTimer::Stone)->isActive();
        const bool soundWasOn = SoundSwitch::instance().isOn();
        ended_ = false;
        Navigator::instance().setEndProgram([this] { ended_ = true; });

        ModalAnswerer answerer;
        if (state != QLatin1String("paused"))
            tick->start();  // no tick can come before the action: the event loop does not run
        if (action.startsWith(QLatin1String("Label")))
            clickLabel(screen, action.toLatin1().constData());
        else if (action == QLatin1String("M"))
            QTest::keyClick(&screen, Qt::Key_M);
        else
            QTest::keyClick(&screen, action.endsWith('S') ? Qt::Key_S : Qt::Key_Q, Qt::ControlModifier);
        const bool submitted = !seen.isEmpty();
        QCOMPARE(tick->isActive(), state != QLatin1String("paused") && !submitted);
        tick->stop();

        QCOMPARE(answerer.seen(), seen);
        QCOMPARE(ended_, ended);
        QCOMPARE(SoundSwitch::instance().isOn(), soundWasOn != soundSwitched);
        QCOMPARE(screen.core().runState(), before);
        QCOMPARE(screen.label("pause")->caption(), caption);  // a run going on still reads "Pause"
        QCOMPARE(screen.timer(GameTimer::Stone)->isActive(), launching);
        Navigator::instance().setEndProgram([] {});
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
