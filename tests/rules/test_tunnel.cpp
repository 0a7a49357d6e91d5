// SPDX-License-Identifier: GPL-3.0-or-later
// The tunnel build, the game tick and the loss.
#include "support/corefixture.h"

#include <random>

using namespace drovane;
using namespace drovane::test;

class TestTunnel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietPlatformNoise(); }

    void loadResetsStateAndBuildsFromRowOne()
    {
        CoreFixture f(4);
        f.state.scoreCount = 77;
        f.state.wallLeft[1] = 0;
        f.loadStraight();
        QCOMPARE(f.host.events.first(), QStringLiteral("closeMenuAndBoards"));
        QCOMPARE(f.state.scoreCount, 0);
        QCOMPARE(f.state.driftStep, 50.0);
        QCOMPARE(f.state.corridorGap, 4000.0);
        QCOMPARE(f.state.bonusSide, 1);
        QCOMPARE(f.state.pelletSide, 1);
        // Row 1 stays at its design place until the first tick.
        QCOMPARE(f.core.playfield().barLeft[1], 0.0f);
        QCOMPARE(f.core.playfield().barLeft[31], 3960.0f);
        QCOMPARE(f.core.playfield().barLeft[30], 0.0f);
        QCOMPARE(f.core.playfield().barLeft[60], 4000.0f);
        QCOMPARE(f.random.remaining(), std::size_t(0));
    }

    void buildUsesSeparateDrawsForBarAndOffset()
    {
        CoreFixture f;
        // Row 2: right, bar from 0.5, offset from 0.25 (12.5 rounds to even 12).
        // Row 3: left, bar from 0.75, offset from 0.25 (12 - 12.5 = -0.5 rounds to 0).
        // Row 4: right, offset from 0.75 (0 + 37.5 rounds to even 38).
        f.random.script({0.25f, 0.5f, 0.25f, 0.5f, 0.75f, 0.25f, 0.0f, 0.0f, 0.75f});
        f.random.scriptRepeated(0.0f, drawsPerBuild - 9);
        f.core.load();
        const Playfield& field = f.core.playfield();
        QCOMPARE(field.barLeft[2], 25.0f);
        QCOMPARE(f.state.wallLeft[2], 12);
        QCOMPARE(field.barLeft[32], 4012.0f);
        QCOMPARE(field.barLeft[3], -25.5f);
        QCOMPARE(f.state.wallLeft[3], 0);
        QCOMPARE(field.barLeft[33], 4000.0f);
        QCOMPARE(field.barLeft[4], 0.0f);
        QCOMPARE(f.state.wallLeft[4], 38);
        QCOMPARE(field.barLeft[34], 4038.0f);
        // Each row reseeds before its direction and before its bar, not before its offset.
        const QStringList firstRow = f.random.log().mid(0, 5);
        QCOMPARE(firstRow, (QStringList{"reseed", "draw 0.25", "reseed", "draw 0.5", "draw 0.25"}));
        QCOMPARE(f.random.log().count(QStringLiteral("reseed")), 2 * 29);
    }

    void tickRunsItsStepsInOrder()
    {
        CoreFixture f;
        f.loadStraight();
        f.host.events.clear();
        f.core.playfield().shipLeft = 100;  // against the left wall of row 29
        const float row28 = f.core.playfield().barLeft[28] = 500;
        bool checkedInsideBox = false;
        f.host.whileBoxOpen = [&](const QString&) {
            // The box opens before the run is marked lost and before the scroll.
            QCOMPARE(f.core.runState(), RunState::Running);
            QCOMPARE(f.core.playfield().scoreCaption, QStringLiteral("1"));
            QCOMPARE(f.core.playfield().barLeft[29], 0.0f);
            checkedInsideBox = true;
        };
        f.tickStraight();
        QVERIFY(checkedInsideBox);
        QCOMPARE(f.host.events, (QStringList{"Tick=off", "message:Perdu !"}));
        QCOMPARE(f.core.runState(), RunState::Lost);
        QCOMPARE(f.core.playfield().barLeft[29], row28);  // the rest of the tick still ran
        QCOMPARE(f.state.driftStep, 50.1);
        QCOMPARE(f.state.corridorGap, 3999.5);
        QCOMPARE(f.state.rowIndex, 1);
    }

    void scoreRule_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("rise");
        QTest::addColumn<int>("expected");
        for (const GameMode& mode : allGameModes()) {
            const QByteArray name(mode.gameScreen.data(), qsizetype(mode.gameScreen.size()));
            QTest::newRow(name + " at tolerance")
                << mode.index << int(mode.scoreTolerance) << 10 + mode.scoreTolerance + 1;
            QTest::newRow(name + " one over") << mode.index << mode.scoreTolerance + 1 << mode.cheatMarkerScore + 1;
        }
        QTest::newRow("space3 two points forced") << 3 << 2 << 4502;
        QTest::newRow("space a bonus passes") << 2 << 100 << 111;
        QTest::newRow("space2 pellet and bonus pass") << 4 << 130 << 141;
    }
    void scoreRule()
    {
        QFETCH(int, mode);
        QFETCH(int, rise);
        QFETCH(int, expected);
        CoreFixture f(mode);
        f.loadStraight();
        f.state.scoreCheck = 10;
        f.state.scoreCount = std::int16_t(10 + rise);
        f.tickStraight();
        QCOMPARE(int(f.state.scoreCount), expected);
        QCOMPARE(f.state.scoreCheck, f.state.scoreCount);
        QCOMPARE(f.core.playfield().scoreCaption, QString::number(expected));
    }

    void wallContact_data()
    {
        QTest::addColumn<float>("ship");
        QTest::addColumn<float>("leftBar");
        QTest::addColumn<float>("rightBar");
        QTest::addColumn<int>("losses");
        QTest::newRow("left wall touching only") << 2142.0f << 0.0f << 4000.0f << 0;
        QTest::newRow("left wall one in") << 2141.0f << 0.0f << 4000.0f << 1;
        QTest::newRow("right wall touching only") << 3880.0f << 0.0f << 4000.0f << 0;
        QTest::newRow("right wall one in") << 3881.0f << 0.0f << 4000.0f << 1;
        QTest::newRow("fractional step in") << 2141.75f << 0.0f << 4000.0f << 1;
        QTest::newRow("both walls") << 2880.0f << 2000.0f << 2000.0f << 2;
    }
    void wallContact()
    {
        QFETCH(float, ship);
        QFETCH(float, leftBar);
        QFETCH(float, rightBar);
        QFETCH(int, losses);
        CoreFixture f;
        f.loadStraight();
        f.core.playfield().shipLeft = ship;
        f.core.playfield().barLeft[29] = leftBar;
        f.core.playfield().barLeft[59] = rightBar;
        f.tickStraight();
        QCOMPARE(f.host.messages().size(), losses);
        QCOMPARE(isLost(f.core.runState()), losses > 0);
    }

    void newRowDirection_data()
    {
        QTest::addColumn<float>("previousLeft");
        QTest::addColumn<float>("signDraw");  // < 0: no draw expected
        QTest::addColumn<float>("expectedSign");
        QTest::newRow("below -1500 goes right") << -1500.5f << -1.0f << 1.0f;
        QTest::newRow("above 1500 goes left") << 1500.5f << -1.0f << -1.0f;
        QTest::newRow("at -1500 drawn left") << -1500.0f << 0.5f << -1.0f;
        QTest::newRow("at 1500 drawn right") << 1500.0f << 0.49f << 1.0f;
        QTest::newRow("inside drawn right") << 0.0f << 0.0f << 1.0f;
    }
    void newRowDirection()
    {
        QFETCH(float, previousLeft);
        QFETCH(float, signDraw);
        QFETCH(float, expectedSign);
        CoreFixture f;
        f.loadStraight();
        f.core.playfield().barLeft[1] = previousLeft;
        f.random.clearLog();
        if (signDraw >= 0)
            f.random.script({signDraw});
        f.random.script({0.5f, 0.5f});
        f.core.tick();
        QCOMPARE(f.random.remaining(), std::size_t(0));
        // Both values start from the old offset 0 with a step of 50.1.
        QCOMPARE(f.core.playfield().barLeft[1], float(expectedSign * 0.5 * 50.1));
        QCOMPARE(int(f.state.wallLeft[1]), expectedSign > 0 ? 25 : -25);
        QCOMPARE(f.core.playfield().barLeft[31], float(f.state.wallLeft[1] + 3999.5));
        QCOMPARE(f.core.playfield().barLeft[2], previousLeft);
        QCOMPARE(f.random.log().count(QStringLiteral("reseed")), signDraw >= 0 ? 2 : 1);
    }

    void driftStepStopsJustAbove150()
    {
        CoreFixture f;
        f.loadStraight();
        int steps = 0;
        for (int i = 0; i < 1100; ++i) {
            const double before = f.state.driftStep;
            f.tickStraight();
            if (f.state.driftStep != before)
                ++steps;
        }
        QCOMPARE(steps, 1001);
        QVERIFY(f.state.driftStep > 150.0);
        QVERIFY(f.state.driftStep < 150.1);
        QCOMPARE(f.state.corridorGap, 4000.0 - 0.5 * 1100);
        QCOMPARE(f.host.messages().size(), 0);
    }

    void inhumanModeNarrowsFaster()
    {
        CoreFixture f(5);
        f.loadStraight();
        f.tickStraight(10);
        QCOMPARE(f.state.corridorGap, 4000.0 - 10 * 0.8);
        QCOMPARE(f.state.driftStep, 50.0 + 10 * 0.2);
    }

    void rightBarsFollowOffsetAndGap()
    {
        CoreFixture f(5);
        std::mt19937 generator(42);
        const auto draw = [&] { return float(generator() >> 8) * 0x1.0p-24f; };
        for (int i = 0; i < drawsPerBuild; ++i)
            f.random.script({draw()});
        f.core.load();
        f.core.playfield().shipLeft = 1e6f;  // losing changes nothing of the walls
        f.host.whileBoxOpen = nullptr;
        for (int tick = 0; tick < 200; ++tick) {
            for (int i = 0; i < drawsPerTick; ++i)
                f.random.script({draw()});
            f.core.tick();
            for (int k = 1; k <= 30; ++k) {
                const auto expected = float(f.state.wallLeft[k] + f.state.corridorGap);
                QCOMPARE(f.core.playfield().barLeft[k + 30], expected);
                // The left bar stays within one step of its offset.
                QVERIFY(std::abs(f.core.playfield().barLeft[k] - f.state.wallLeft[k]) < 90.5f);
            }
        }
    }
};

DROVANE_TEST_MAIN(TestTunnel)
#include "test_tunnel.moc"
