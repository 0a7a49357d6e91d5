// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/rowarray.h"

#include <QString>

namespace drovane {

// Fixed geometry of the game screen, in twips (15 twips per pixel).
namespace geometry {
inline constexpr int twipsPerPixel = 15;
inline constexpr int clientWidth = 6060;
inline constexpr int clientHeight = 3975;
inline constexpr int rowsPerWall = 30;
inline constexpr int rowPitch = 120;
inline constexpr int barWidth = 2175;
inline constexpr int barHeight = 135;
inline constexpr int leftBarDesignLeft = 0;
inline constexpr int rightBarDesignLeft = 3960;
inline constexpr int collisionRow = 29;
inline constexpr int shipDesignLeft = 2880;
inline constexpr int shipTop = 3360;
inline constexpr int shipWidth = 150;
inline constexpr int shipHeight = 225;
inline constexpr int shipLeftAfterReplay = 3000;
inline constexpr int shipStep = 50;
constexpr int rowTop(int row)
{
    return (row - 1) * rowPitch;
}
}  // namespace geometry

// What the caption of the `pause` label reads; it doubles as the run's visible state.
enum class PauseCaption { Pause, Reprendre, Rejouer };

QString captionText(PauseCaption caption);

// A stone, bonus or pellet: one per screen, reused by every launch.
struct FallingObject {
    float left = 0;
    float top = 0;
    bool visible = false;
};

// The controls of a game screen that the rules move.
struct Playfield {
    RowArray<float, 60> barLeft;                // Shape1(1..30) left wall, Shape1(31..60) right wall
    float shipLeft = geometry::shipDesignLeft;  // Shape2
    FallingObject stone{2880, 120, false};      // pierre
    FallingObject bonus{3000, 0, false};
    FallingObject pellet{3120, 0, false};
    PauseCaption pause = PauseCaption::Pause;
    QString scoreCaption = QStringLiteral("0");

    Playfield();
};

}  // namespace drovane
