// SPDX-License-Identifier: GPL-3.0-or-later
// The stone, the bonus and the pellet: launches, falls, contacts and resets.
#include "rules/fallingobjects.h"
#include "support/corefixture.h"

using namespace drovane;
using namespace drovane::test;

namespace {

enum Kind { Stone, Bonus, Pellet };

FallingObject& object(CoreFixture& f, int kind)
{
    Playfield& field = f.core.playfield();
    return kind == Stone ? field.stone : kind == Bonus ? field.bonus : field.pellet;
}

void launch(CoreFixture& f, int kind)
{
    if (kind == Stone)
        f.core.launchStone();
    else if (kind == Bonus)
        f.core.launchBonus();
    else
        f.core.launchPellet();
}

// An object about to enter the ship's row on the next tick.
void placeAboveShip(CoreFixture& f, int kind, float left)
{
    object(f, kind) = {left, 3240, true};
}

}  // namespace

class TestFallingObjects : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietPlatformNoise(); }

    void launchesFromTheDesignCorridor()
    {
        CoreFixture f(4);
        f.loadStraight();  // row 1 still at its design place: 0 and 3960
        f.core.launchStone();
        QCOMPARE(f.core.playfield().stone.left, 2940.0f);
        QCOMPARE(f.core.playfield().stone.top, -120.0f);
        QVERIFY(f.core.playfield().stone.visible);
        for (int kind : {Bonus, Pellet}) {
            launch(f, kind);
            QCOMPARE(object(f, kind).left, 2460.0f);
            QCOMPARE(object(f, kind).top, -120.0f);
            launch(f, kind);
            QCOMPARE(object(f, kind).left, 3440.0f);
        }
        QCOMPARE(f.state.bonusSide, 1);
        QCOMPARE(f.state.pelletSide, 1);
    }

    void stoneLaunchKeepsFractions()
    {
        CoreFixture f(3);
        f.loadStraight();
        f.core.playfield().barLeft[1] = 1;
        f.core.launchStone();
        QCOMPARE(f.core.playfield().stone.left, float(3960 - (3960 - 1 + 2160) / 6.0));
    }

    void stoneHit_data()
    {
        QTest::addColumn<float>("ship");
        QTest::addColumn<bool>("hit");
        QTest::newRow("2830") << 2830.0f << true;
        QTest::newRow("3250") << 3250.0f << true;
        QTest::newRow("2780") << 2780.0f << false;
        QTest::newRow("2820 touching") << 2820.0f << false;
        QTest::newRow("3282 touching") << 3282.0f << false;
        QTest::newRow("3300") << 3300.0f << false;
    }
    void stoneHit()
    {
        QFETCH(float, ship);
        QFETCH(bool, hit);
        CoreFixture f(3);
        f.loadStraight();
        f.core.playfield().shipLeft = ship;
        placeAboveShip(f, Stone, 2940);
        f.tickStraight();
        QCOMPARE(f.host.messages(), hit ? QStringList{"Perdu !"} : QStringList{});
        // A hit leaves the stone where it is.
        QCOMPARE(f.core.playfield().stone.top, 3360.0f);
        QVERIFY(f.core.playfield().stone.visible);
    }

    void prizePickup_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<float>("ship");
        QTest::addColumn<int>("points");
        for (int kind : {Bonus, Pellet}) {
            const int reward = kind == Bonus ? 100 : 30;
            const QByteArray name = kind == Bonus ? "bonus " : "pellet ";
            QTest::newRow(name + "2900") << kind << 2900.0f << reward;
            QTest::newRow(name + "3100") << kind << 3100.0f << reward;
            QTest::newRow(name + "2880 touching") << kind << 2880.0f << 0;
            QTest::newRow(name + "3102 touching") << kind << 3102.0f << 0;
        }
    }
    void prizePickup()
    {
        QFETCH(int, kind);
        QFETCH(float, ship);
        QFETCH(int, points);
        CoreFixture f(4);
        f.loadStraight();
        f.core.playfield().shipLeft = ship;
        placeAboveShip(f, kind, 3000);
        f.tickStraight();
        QCOMPARE(int(f.state.scoreCount), 1 + points);
        QCOMPARE(f.host.events.count(QStringLiteral("beep")), points ? 1 : 0);
        QCOMPARE(f.core.playfield().scoreCaption, QStringLiteral("1"));  // shown at the next tick
        QVERIFY(object(f, kind).visible);                                // a pickup does not hide the prize
    }

    void objectsReachTheShipAfter29TicksAndGoAfter30_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("stone") << int(Stone);
        QTest::newRow("bonus") << int(Bonus);
        QTest::newRow("pellet") << int(Pellet);
    }
    void objectsReachTheShipAfter29TicksAndGoAfter30()
    {
        QFETCH(int, kind);
        CoreFixture f(4);
        f.loadStraight();
        f.core.playfield().shipLeft = 2450;  // under the left launch place, clear of the stone
        launch(f, kind);
        f.tickStraight(28);
        QCOMPARE(object(f, kind).top, 3240.0f);
        f.tickStraight();
        QCOMPARE(object(f, kind).top, 3360.0f);
        QVERIFY(object(f, kind).visible);
        f.tickStraight();
        QCOMPARE(object(f, kind).top, 3480.0f);
        QVERIFY(!object(f, kind).visible);
        f.tickStraight();
        QCOMPARE(object(f, kind).top, 3480.0f);  // at rest until the next launch
    }

    void relaunchWhileFallingStartsOver()
    {
        CoreFixture f(2);
        f.loadStraight();
        f.core.launchStone();
        f.tickStraight(12);
        f.core.playfield().barLeft[1] = 120;
        f.core.launchStone();
        QCOMPARE(f.core.playfield().stone.top, -120.0f);
        QCOMPARE(f.core.playfield().stone.left,
                 float(f.core.playfield().barLeft[31] - (f.core.playfield().barLeft[31] - 120 + 2160) / 6.0));
    }

    void stoneScoreLimit_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("score");
        QTest::addColumn<bool>("launched");
        QTest::newRow("space 1999") << 2 << 1999 << true;
        QTest::newRow("space 2000") << 2 << 2000 << false;
        QTest::newRow("space2 2299") << 4 << 2299 << true;
        QTest::newRow("space2 2300") << 4 << 2300 << false;
        QTest::newRow("space3 no limit") << 3 << 30000 << true;
        QTest::newRow("space4 no limit") << 5 << 30000 << true;
    }
    void stoneScoreLimit()
    {
        QFETCH(int, mode);
        QFETCH(int, score);
        QFETCH(bool, launched);
        CoreFixture f(mode);
        f.loadStraight();
        f.core.playfield().stone = {1000, 1200, true};
        f.state.scoreCount = std::int16_t(score);
        f.core.launchStone();
        QCOMPARE(f.core.playfield().stone.top, launched ? -120.0f : 1200.0f);
    }

    void nearWallOffsets_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("score");
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("right");
        QTest::newRow("space bonus 1999") << 2 << int(Bonus) << 1999 << 2460.0f << 3440.0f;
        QTest::newRow("space bonus 2000") << 2 << int(Bonus) << 2000 << 2260.0f << 3640.0f;
        QTest::newRow("space2 bonus 2299") << 4 << int(Bonus) << 2299 << 2460.0f << 3440.0f;
        QTest::newRow("space2 bonus 2300") << 4 << int(Bonus) << 2300 << 2260.0f << 3640.0f;
        QTest::newRow("space4 pellet 2299") << 5 << int(Pellet) << 2299 << 2460.0f << 3440.0f;
        QTest::newRow("space4 pellet 2300") << 5 << int(Pellet) << 2300 << 2260.0f << 3640.0f;
    }
    void nearWallOffsets()
    {
        QFETCH(int, mode);
        QFETCH(int, kind);
        QFETCH(int, score);
        QFETCH(float, left);
        QFETCH(float, right);
        CoreFixture f(mode);
        f.loadStraight();
        f.state.scoreCount = std::int16_t(score);
        launch(f, kind);
        QCOMPARE(object(f, kind).left, left);
        launch(f, kind);
        QCOMPARE(object(f, kind).left, right);
    }

    void stoneHitComesBeforeAPickupInTheSameTick()
    {
        CoreFixture f(2);
        f.loadStraight();
        f.core.playfield().shipLeft = 2900;
        placeAboveShip(f, Stone, 2900);
        placeAboveShip(f, Bonus, 2950);
        std::int16_t scoreInBox = -1;
        f.host.whileBoxOpen = [&](const QString&) { scoreInBox = f.state.scoreCount; };
        f.host.events.clear();
        f.tickStraight();
        QCOMPARE(f.host.events, (QStringList{"Tick=off", "Stone=off", "Bonus=off", "message:Perdu !", "beep"}));
        QCOMPARE(scoreInBox, 1);
        QCOMPARE(f.state.scoreCount, 101);
        QCOMPARE(f.core.runState(), RunState::Lost);
    }

    void pelletAndBonusInOneTick()
    {
        CoreFixture f(5);
        f.loadStraight();
        f.tickStraight(9);
        f.core.playfield().shipLeft = 2900;
        placeAboveShip(f, Pellet, 2950);
        placeAboveShip(f, Bonus, 2850);
        QList<int> scoreAtBeeps;
        f.host.onBeep = [&] { scoreAtBeeps.append(f.state.scoreCount); };
        f.tickStraight();
        QCOMPARE(scoreAtBeeps, (QList<int>{10, 40}));  // the pellet's tone first
        QCOMPARE(f.state.scoreCount, 140);
        f.tickStraight();
        QCOMPARE(f.state.scoreCount, 141);  // +130 is within the tolerance: no clamp
        QCOMPARE(f.core.playfield().scoreCaption, QStringLiteral("141"));
    }

    void stoneThatHitStaysUntilReplay()
    {
        CoreFixture f(5);
        f.loadStraight();
        placeAboveShip(f, Stone, 2800);
        f.tickStraight();
        QCOMPARE(f.core.runState(), RunState::Lost);
        QVERIFY(f.core.playfield().stone.visible);
        QCOMPARE(f.core.playfield().stone.top, 3360.0f);
        f.random.scriptRepeated(0.0f, drawsPerBuild);
        f.core.clickPause();
        QVERIFY(!f.core.playfield().stone.visible);
        QCOMPARE(f.core.playfield().stone.top, 0.0f);
        QCOMPARE(f.core.playfield().stone.left, 2800.0f);
    }

    // Both ways of starting a new run hide the mode's objects and put the stone back at the
    // top; only the replay puts the prizes back at the top and sets scoreCheck back too.
    void restartsPutTheModesObjectsToRest_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("replay");
        for (const GameMode& mode : allGameModes()) {
            QTest::addRow("%s replay", mode.gameScreen.data()) << mode.index << true;
            QTest::addRow("%s cheat restart", mode.gameScreen.data()) << mode.index << false;
        }
    }
    void restartsPutTheModesObjectsToRest()
    {
        QFETCH(int, mode);
        QFETCH(bool, replay);
        CoreFixture f(mode);
        const GameMode& m = gameMode(mode);
        f.loadStraight();
        for (int kind : {Stone, Bonus, Pellet})
            object(f, kind) = {1234, 2400, true};
        f.state.bonusSide = 2;
        f.state.pelletSide = 2;
        f.state.scoreCheck = 77;
        f.core.lose();
        f.random.scriptRepeated(0.0f, drawsPerBuild);
        if (replay)
            f.core.clickPause();
        else
            f.core.cheatRestart();
        const bool has[] = {m.hasStone(), m.hasBonus(), m.hasPellet()};
        for (int kind : {Stone, Bonus, Pellet}) {
            const bool toTop = has[kind] && (replay || kind == Stone);
            QCOMPARE(object(f, kind).visible, !has[kind]);
            QCOMPARE(object(f, kind).top, toTop ? 0.0f : 2400.0f);
            QCOMPARE(object(f, kind).left, 1234.0f);
        }
        QCOMPARE(f.state.bonusSide, 1);  // on every screen
        QCOMPARE(f.state.pelletSide, m.hasPellet() ? 1 : 2);
        QCOMPARE(f.state.scoreCheck, replay ? 0 : 77);
        QCOMPARE(f.core.runState(), RunState::Running);
    }
};

DROVANE_TEST_MAIN(TestFallingObjects)
#include "test_fallingobjects.moc"
