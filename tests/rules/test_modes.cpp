// SPDX-License-Identifier: GPL-3.0-or-later
// What must hold across the five modes, rather than the table typed out again.
#include "rules/gamemode.h"
#include "support/testmain.h"

#include <set>
#include <string>
#include <type_traits>

using namespace drovane;

static_assert(std::is_same_v<decltype(allGameModes()), const std::array<GameMode, modeCount>&>,
              "the mode table is read-only");

class TestModes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::quietPlatformNoise(); }

    void menuOrderAndNames()
    {
        for (const GameMode& mode : allGameModes()) {
            QCOMPARE(&gameMode(mode.index), &mode);
            QCOMPARE(std::string(mode.menuOption), "Option" + std::to_string(mode.index));
            QCOMPARE(gameModeByWindowName(mode.gameScreen), &mode);
            QCOMPARE(gameModeByWindowName(mode.scoreBoard), &mode);
            // Captions carry the screen's digit, not the menu position.
            const std::string digit(mode.gameScreen.substr(5));
            const std::string caption = digit.empty() ? "Drovane" : "Drovane V" + digit;
            QCOMPARE(std::string(mode.gameCaption), caption);
            QCOMPARE(std::string(mode.boardCaption), "Scores " + caption);
            if (!digit.empty())
                QVERIFY(std::string(mode.menuCaption).ends_with("(V" + digit + ")"));
        }
        QCOMPARE(std::string(gameMode(defaultModeIndex).menuCaption), std::string("Normal "));
        QCOMPARE(gameModeByWindowName("menu"), nullptr);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, gameMode(6));
    }

    void scoreFilesAreDistinctAndKeepTheirNumbers()
    {
        std::set<std::string_view> paths;
        std::string numbers;
        for (const GameMode& mode : allGameModes()) {
            QVERIFY(mode.scoreFilePath.starts_with("C:\\bdd activité "));
            paths.insert(mode.scoreFilePath);
            numbers += mode.scoreFilePath.back();
        }
        QCOMPARE(paths.size(), std::size_t(modeCount));
        QCOMPARE(numbers, std::string("41325"));  // stored files are found by these names
    }

    void scoreLimitsFitTogether()
    {
        for (const GameMode& mode : allGameModes()) {
            // A score the tick forced is always refused by the submission.
            QCOMPARE(mode.cheatMarkerScore, mode.scoreCap + 1);
            // Between two ticks only pickups raise the score.
            const int largestRise = (mode.hasBonus() ? 100 : 0) + (mode.hasPellet() ? 30 : 0);
            QVERIFY(mode.scoreTolerance >= largestRise + 1);
            if (largestRise > 0 || mode.hasStone())
                QCOMPARE(int(mode.scoreTolerance), largestRise + 1);
        }
    }

    void absentObjectsHaveNoSettings()
    {
        for (const GameMode& mode : allGameModes()) {
            QCOMPARE(mode.stoneFillColour.has_value(), mode.hasStone());
            QCOMPARE(mode.stoneBorderColour.has_value(), mode.hasStone());
            QCOMPARE(mode.bonusBackdropColour.has_value(), mode.hasBonus());
            QCOMPARE(mode.pelletColour.has_value(), mode.hasPellet());
            QCOMPARE(mode.nearWallScore.has_value(), mode.hasBonus());
            if (!mode.hasStone())
                QVERIFY(!mode.stoneScoreLimit);
            if (mode.hasPellet())
                QVERIFY(mode.hasBonus() && mode.hasStone());
            if (mode.bonusBackdropColour)
                QCOMPARE(*mode.bonusBackdropColour, mode.backdropColour);
        }
        QVERIFY(!gameMode(1).hasStone() && !gameMode(1).hasBonus());
    }
};

DROVANE_TEST_MAIN(TestModes)
#include "test_modes.moc"
