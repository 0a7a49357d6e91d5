// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

namespace drovane {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    constexpr bool operator==(const Rgb&) const = default;
};

// Colours of the desktop's theme; the widgets map them to palette roles.
enum class SystemColour { InactiveTitleBar, WindowText, ButtonFace, ButtonText };

using ColourRef = std::variant<Rgb, SystemColour>;

// Everything that differs between the five modes. An empty optional means the mode
// has no such object or no such limit.
struct GameMode {
    int index;                    // 1 to 5, menu order
    std::string_view menuOption;  // objectName of the menu's option button
    std::string_view menuCaption;
    std::string_view gameScreen;  // objectName of the game screen window
    std::string_view gameCaption;
    std::string_view scoreBoard;  // objectName of the score board window
    std::string_view boardCaption;
    std::string_view scoreFilePath;  // the classic path; see scores/scorepaths.h for where it lives

    std::uint16_t tickInterval;
    std::optional<int> stoneInterval;
    std::optional<int> bonusInterval;
    std::optional<int> pelletInterval;

    std::optional<std::int16_t> stoneScoreLimit;
    std::optional<std::int16_t> nearWallScore;
    // A score that rose by more than scoreTolerance between two ticks is forced to
    // cheatMarkerScore, one above scoreCap: the highest score the submission accepts.
    std::int16_t scoreTolerance;
    std::int16_t cheatMarkerScore;
    std::int16_t scoreCap;

    double driftLimit;
    double driftIncrement;
    double gapDecrement;

    Rgb backdropColour;
    Rgb wallColour;
    Rgb statusColour;
    std::optional<Rgb> stoneFillColour;
    std::optional<ColourRef> stoneBorderColour;
    std::optional<Rgb> pelletColour;
    std::optional<Rgb> bonusBackdropColour;
    Rgb gridHeaderColour;
    Rgb gridHeaderTextColour;
    Rgb gridOutsideColour;
    Rgb gridHeaderLineColour;

    bool hasStone() const { return stoneInterval.has_value(); }
    bool hasBonus() const { return bonusInterval.has_value(); }
    bool hasPellet() const { return pelletInterval.has_value(); }
};

inline constexpr int modeCount = 5;

// The five modes, indexed 1 to 5 in menu order.
const GameMode& gameMode(int index);
const std::array<GameMode, modeCount>& allGameModes();

// The mode whose game screen or score board carries this objectName, or nullptr.
const GameMode* gameModeByWindowName(std::string_view windowName);

// The mode the menu opens on ("Normal ").
inline constexpr int defaultModeIndex = 2;

}  // namespace drovane
