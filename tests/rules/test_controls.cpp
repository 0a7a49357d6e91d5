// SPDX-License-Identifier: GPL-3.0-or-later
// Steering, pause, resume and replay, in each state of the run.
#include "support/corefixture.h"

#include <QRegularExpression>

using namespace drovane;
using namespace drovane::test;

Q_DECLARE_METATYPE(drovane::RunState)

namespace {

enum class Action { Left, Right, P, ClickPause, Replay };

// Brings a freshly loaded straight run into the given state.
void enter(CoreFixture& f, RunState state)
{
    f.loadStraight();
    switch (state) {
    case RunState::Running:
        break;
    case RunState::Paused:
        f.core.command(Command::Pause);
        break;
    case RunState::Lost:
        f.core.lose();
        break;
    case RunState::ResumedAfterLoss:
        f.core.lose();
        f.core.command(Command::Pause);
        break;
    case RunState::LostPaused:
        f.core.lose();
        f.core.command(Command::Pause);
        f.core.command(Command::Pause);
        break;
    }
    QCOMPARE(f.core.runState(), state);
}

}  // namespace

Q_DECLARE_METATYPE(Action)

class TestControls : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietPlatformNoise(); }

    void actionInEachState_data()
    {
        QTest::addColumn<RunState>("state");
        QTest::addColumn<Action>("action");
        QTest::addColumn<RunState>("after");
        QTest::addColumn<float>("shipMove");
        QTest::addColumn<bool>("timersOn");

        using R = RunState;
        using A = Action;
        // state, action, state after, ship move, timers running after
        QTest::newRow("running left") << R::Running << A::Left << R::Running << -50.0f << true;
        QTest::newRow("running right") << R::Running << A::Right << R::Running << 50.0f << true;
        QTest::newRow("running P") << R::Running << A::P << R::Paused << 0.0f << false;
        QTest::newRow("running click") << R::Running << A::ClickPause << R::Paused << 0.0f << false;
        QTest::newRow("paused left") << R::Paused << A::Left << R::Paused << 0.0f << false;
        QTest::newRow("paused right") << R::Paused << A::Right << R::Paused << 0.0f << false;
        QTest::newRow("paused P") << R::Paused << A::P << R::Running << 0.0f << true;
        QTest::newRow("paused click") << R::Paused << A::ClickPause << R::Running << 0.0f << true;
        QTest::newRow("lost left") << R::Lost << A::Left << R::Lost << 0.0f << false;
        QTest::newRow("lost P resumes") << R::Lost << A::P << R::ResumedAfterLoss << 0.0f << true;
        QTest::newRow("resumed left") << R::ResumedAfterLoss << A::Left << R::ResumedAfterLoss << -50.0f << true;
        QTest::newRow("resumed P") << R::ResumedAfterLoss << A::P << R::LostPaused << 0.0f << false;
        QTest::newRow("lost-paused right") << R::LostPaused << A::Right << R::LostPaused << 0.0f << false;
        QTest::newRow("lost-paused P") << R::LostPaused << A::P << R::ResumedAfterLoss << 0.0f << true;
        // R and F2 only replay a lost run.
        QTest::newRow("running replay") << R::Running << A::Replay << R::Running << 0.0f << true;
        QTest::newRow("paused replay") << R::Paused << A::Replay << R::Paused << 0.0f << false;
        QTest::newRow("lost replay") << R::Lost << A::Replay << R::Running << 120.0f << true;
        QTest::newRow("resumed replay") << R::ResumedAfterLoss << A::Replay << R::Running << 120.0f << true;
        QTest::newRow("lost-paused replay") << R::LostPaused << A::Replay << R::Running << 120.0f << true;
    }
    void actionInEachState()
    {
        QFETCH(RunState, state);
        QFETCH(Action, action);
        QFETCH(RunState, after);
        QFETCH(float, shipMove);
        QFETCH(bool, timersOn);
        CoreFixture f(4);
        enter(f, state);
        f.random.scriptRepeated(0.0f, drawsPerBuild);  // for a replay
        f.host.events.clear();
        const float ship = f.core.playfield().shipLeft;
        switch (action) {
        case Action::Left:
            f.core.command(Command::SteerLeft);
            break;
        case Action::Right:
            f.core.command(Command::SteerRight);
            break;
        case Action::P:
            f.core.command(Command::Pause);
            break;
        case Action::ClickPause:
            f.core.clickPause();
            break;
        case Action::Replay:
            f.core.command(Command::Replay);
            break;
        }
        QCOMPARE(f.core.runState(), after);
        QCOMPARE(f.core.playfield().shipLeft, ship + shipMove);
        for (GameTimer timer : {GameTimer::Tick, GameTimer::Stone, GameTimer::Bonus, GameTimer::Pellet})
            QCOMPARE(f.host.timerEnabled(timer), timersOn);
        QCOMPARE(f.host.events.filter(QRegularExpression(QStringLiteral("^[a-zA-Z]+$"))), QStringList());
    }

    void timerSwitchCoversExactlyTheModesTimers_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("switchedOff");
        QTest::newRow("space0") << 1 << QStringList{"Tick=off"};
        QTest::newRow("space") << 2 << QStringList{"Tick=off", "Stone=off", "Bonus=off"};
        QTest::newRow("space3") << 3 << QStringList{"Tick=off", "Stone=off"};
        QTest::newRow("space2") << 4 << QStringList{"Tick=off", "Stone=off", "Bonus=off", "Pellet=off"};
        QTest::newRow("space4") << 5 << QStringList{"Tick=off", "Stone=off", "Bonus=off", "Pellet=off"};
    }
    void timerSwitchCoversExactlyTheModesTimers()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, switchedOff);
        CoreFixture f(mode);
        f.loadStraight();
        f.host.events.clear();
        f.core.command(Command::Pause);
        QCOMPARE(f.host.events, switchedOff);
    }

    void clickWhileLostReplaysAtOnce()
    {
        CoreFixture f(2);
        f.loadStraight();
        f.random.script({0.0f, 0.5f, 0.5f});
        f.core.tick();  // top row offset 25, its left bar 25.05
        f.core.playfield().shipLeft = 2000;
        f.state.scoreCount = 345;
        f.core.lose();
        const float rightTopBar = f.core.playfield().barLeft[31];
        const QString shownScore = f.core.playfield().scoreCaption;

        f.random.scriptRepeated(0.75f, drawsPerBuild);  // every row steps left
        f.core.clickPause();

        QCOMPARE(f.core.runState(), RunState::Running);
        QVERIFY(f.host.timerEnabled(GameTimer::Tick));
        QCOMPARE(f.core.playfield().shipLeft, 3000.0f);
        QCOMPARE(f.state.scoreCount, 0);
        QCOMPARE(f.state.scoreCheck, 0);
        QCOMPARE(f.state.driftStep, 50.0);
        QCOMPARE(f.state.corridorGap, 4000.0);
        // A fresh tunnel from zero offsets; row 1's right bar and the score wait for the next tick.
        QCOMPARE(f.state.wallLeft[1], 0);
        QCOMPARE(f.core.playfield().barLeft[1], 0.0f);
        QCOMPARE(f.core.playfield().barLeft[2], -37.5f);
        QCOMPARE(f.state.wallLeft[2], -38);
        QCOMPARE(f.core.playfield().barLeft[32], 3962.0f);
        QCOMPARE(f.core.playfield().barLeft[31], rightTopBar);
        QCOMPARE(f.core.playfield().scoreCaption, shownScore);
        QCOMPARE(f.random.remaining(), std::size_t(0));
    }

    void pAfterLossGoesOnWithoutReset()
    {
        CoreFixture f;
        f.loadStraight();
        f.tickStraight(5);
        f.core.playfield().shipLeft = 100;
        f.tickStraight();  // lost on the left wall
        f.core.playfield().shipLeft = 2880;
        const double gap = f.state.corridorGap;
        f.core.command(Command::Pause);
        f.tickStraight();
        QCOMPARE(f.state.scoreCount, 7);
        QCOMPARE(f.state.corridorGap, gap - 0.5);
        QCOMPARE(f.core.runState(), RunState::ResumedAfterLoss);
    }

    void replayTwiceGivesFreshTunnels()
    {
        CoreFixture f;
        f.loadStraight();
        for (int round = 0; round < 2; ++round) {
            f.random.script({0.0f, 0.5f, 0.5f});
            f.core.tick();
            f.core.lose();
            f.random.scriptRepeated(0.0f, drawsPerBuild);
            f.core.clickPause();
            for (int k = 1; k <= 30; ++k)
                QCOMPARE(f.state.wallLeft[k], 0);
        }
    }
};

DROVANE_TEST_MAIN(TestControls)
#include "test_controls.moc"
