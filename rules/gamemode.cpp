// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/gamemode.h"

#include <stdexcept>

namespace drovane {
namespace {

constexpr SystemColour inactiveTitle = SystemColour::InactiveTitleBar;

const std::array<GameMode, modeCount> modes = {{
    {
        .index = 1,
        .menuOption = "Option1",
        .menuCaption = "Débutant (V0)",
        .gameScreen = "space0",
        .gameCaption = "Drovane V0",
        .scoreBoard = "score0",
        .boardCaption = "Scores Drovane V0",
        .scoreFilePath = "C:\\bdd activité 4",
        .tickInterval = 25,
        .stoneInterval = std::nullopt,
        .bonusInterval = std::nullopt,
        .pelletInterval = std::nullopt,
        .stoneScoreLimit = std::nullopt,
        .nearWallScore = std::nullopt,
        .scoreTolerance = 101,
        .cheatMarkerScore = 4501,
        .scoreCap = 4500,
        .driftLimit = 150,
        .driftIncrement = 0.1,
        .gapDecrement = 0.5,
        .backdropColour = {128, 0, 0},
        .wallColour = {0, 128, 0},
        .statusColour = {0, 0, 128},
        .stoneFillColour = std::nullopt,
        .stoneBorderColour = std::nullopt,
        .pelletColour = std::nullopt,
        .bonusBackdropColour = std::nullopt,
        .gridHeaderColour = {0, 0, 192},
        .gridHeaderTextColour = {128, 255, 128},
        .gridOutsideColour = {0, 64, 0},
        .gridHeaderLineColour = {128, 0, 128},
    },
    {
        .index = 2,
        .menuOption = "Option2",
        .menuCaption = "Normal ",
        .gameScreen = "space",
        .gameCaption = "Drovane",
        .scoreBoard = "sco",
        .boardCaption = "Scores Drovane",
        .scoreFilePath = "C:\\bdd activité 1",
        .tickInterval = 25,
        .stoneInterval = 5000,
        .bonusInterval = 4000,
        .pelletInterval = std::nullopt,
        .stoneScoreLimit = 2000,
        .nearWallScore = 2000,
        .scoreTolerance = 101,
        .cheatMarkerScore = 4501,
        .scoreCap = 4500,
        .driftLimit = 150,
        .driftIncrement = 0.1,
        .gapDecrement = 0.5,
        .backdropColour = {0, 0, 128},
        .wallColour = {128, 128, 128},
        .statusColour = {128, 0, 128},
        .stoneFillColour = Rgb{192, 192, 192},
        .stoneBorderColour = inactiveTitle,
        .pelletColour = std::nullopt,
        .bonusBackdropColour = Rgb{0, 0, 128},
        .gridHeaderColour = {128, 0, 128},
        .gridHeaderTextColour = {0, 192, 0},
        .gridOutsideColour = {0, 0, 128},
        .gridHeaderLineColour = {128, 0, 128},
    },
    {
        .index = 3,
        .menuOption = "Option3",
        .menuCaption = "Confirmé (V3)",
        .gameScreen = "space3",
        .gameCaption = "Drovane V3",
        .scoreBoard = "score3",
        .boardCaption = "Scores Drovane V3",
        .scoreFilePath = "C:\\bdd activité 3",
        .tickInterval = 25,
        .stoneInterval = 3000,
        .bonusInterval = std::nullopt,
        .pelletInterval = std::nullopt,
        .stoneScoreLimit = std::nullopt,
        .nearWallScore = std::nullopt,
        .scoreTolerance = 1,
        .cheatMarkerScore = 4501,
        .scoreCap = 4500,
        .driftLimit = 150,
        .driftIncrement = 0.1,
        .gapDecrement = 0.5,
        .backdropColour = {0, 128, 255},
        .wallColour = {128, 0, 0},
        .statusColour = {0, 128, 0},
        .stoneFillColour = Rgb{128, 128, 128},
        .stoneBorderColour = Rgb{64, 64, 64},
        .pelletColour = std::nullopt,
        .bonusBackdropColour = std::nullopt,
        .gridHeaderColour = {0, 64, 0},
        .gridHeaderTextColour = {128, 255, 128},
        .gridOutsideColour = {0, 0, 255},
        .gridHeaderLineColour = {128, 0, 128},
    },
    {
        .index = 4,
        .menuOption = "Option4",
        .menuCaption = "Expert (V2)",
        .gameScreen = "space2",
        .gameCaption = "Drovane V2",
        .scoreBoard = "score2",
        .boardCaption = "Scores Drovane V2",
        .scoreFilePath = "C:\\bdd activité 2",
        .tickInterval = 25,
        .stoneInterval = 5000,
        .bonusInterval = 4000,
        .pelletInterval = 1555,
        .stoneScoreLimit = 2300,
        .nearWallScore = 2300,
        .scoreTolerance = 131,
        .cheatMarkerScore = 5001,
        .scoreCap = 5000,
        .driftLimit = 150,
        .driftIncrement = 0.1,
        .gapDecrement = 0.5,
        .backdropColour = {0, 0, 0},
        .wallColour = {0, 0, 192},
        .statusColour = {192, 0, 0},
        .stoneFillColour = Rgb{192, 192, 192},
        .stoneBorderColour = inactiveTitle,
        .pelletColour = Rgb{255, 0, 0},
        .bonusBackdropColour = Rgb{0, 0, 0},
        .gridHeaderColour = {192, 0, 0},
        .gridHeaderTextColour = {0, 192, 0},
        .gridOutsideColour = {0, 0, 0},
        .gridHeaderLineColour = {192, 0, 0},
    },
    {
        .index = 5,
        .menuOption = "Option5",
        .menuCaption = "Inhumain (V4)",
        .gameScreen = "space4",
        .gameCaption = "Drovane V4",
        .scoreBoard = "score4",
        .boardCaption = "Scores Drovane V4",
        .scoreFilePath = "C:\\bdd activité 5",
        .tickInterval = 25,
        .stoneInterval = 2000,
        .bonusInterval = 4000,
        .pelletInterval = 1555,
        .stoneScoreLimit = std::nullopt,
        .nearWallScore = 2300,
        .scoreTolerance = 131,
        .cheatMarkerScore = 5001,
        .scoreCap = 5000,
        .driftLimit = 200,
        .driftIncrement = 0.2,
        .gapDecrement = 0.8,
        .backdropColour = {0, 0, 0},
        .wallColour = {128, 128, 128},
        .statusColour = {128, 0, 0},
        .stoneFillColour = Rgb{192, 192, 192},
        .stoneBorderColour = inactiveTitle,
        .pelletColour = Rgb{192, 0, 192},
        .bonusBackdropColour = Rgb{0, 0, 0},
        .gridHeaderColour = {128, 0, 0},
        .gridHeaderTextColour = {0, 192, 0},
        .gridOutsideColour = {0, 0, 0},
        .gridHeaderLineColour = {128, 0, 0},
    },
}};

}  // namespace

const GameMode& gameMode(int index)
{
    if (index < 1 || index > modeCount)
        throw std::out_of_range("game mode index out of range");
    return modes[static_cast<std::size_t>(index - 1)];
}

const std::array<GameMode, modeCount>& allGameModes()
{
    return modes;
}

const GameMode* gameModeByWindowName(std::string_view windowName)
{
    for (const GameMode& mode : modes) {
        if (mode.gameScreen == windowName || mode.scoreBoard == windowName)
            return &mode;
    }
    return nullptr;
}

}  // namespace drovane
