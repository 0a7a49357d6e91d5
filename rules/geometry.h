// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The fixed geometry of a game screen, in twips (15 twips per pixel), shared by the
// rules, the painter, the tests and the benchmarks.
namespace drovane::geometry {

inline constexpr int twipsPerPixel = 15;   // the screen's unit to a pixel
inline constexpr int clientWidth = 6060;   // the game screen's client area, across
inline constexpr int clientHeight = 3975;  // and down

// The walls: row k is bar k (left wall) and bar k + 30 (right wall).
inline constexpr int rowsPerWall = 30;           // bars in each wall, one per row
inline constexpr int rowPitch = 120;             // from the Top of one row to the next
inline constexpr int barWidth = 2175;            // a wall bar, across
inline constexpr int barHeight = 135;            // and down: 15 more than the pitch, so rows overlap
inline constexpr int leftBarDesignLeft = 0;      // where the left bars stand before the first tick
inline constexpr int rightBarDesignLeft = 3960;  // and the right bars
inline constexpr int collisionRow = 29;          // the only row the ship is tested against
inline constexpr int leftBarContact = 2160;      // from a left bar's Left to where the ship touches it
constexpr int rowTop(int row)
{
    return (row - 1) * rowPitch;
}

// The ship.
inline constexpr int shipDesignLeft = 2880;           // its Left when the screen loads
inline constexpr int shipTop = rowTop(collisionRow);  // it never leaves the collision row
inline constexpr int shipWidth = 150;                 // its picture, across
inline constexpr int shipHeight = 225;                // and down
inline constexpr int shipLeftAfterReplay = 3000;      // its Left when a new run starts on the screen
inline constexpr int shipStep = 50;                   // how far one arrow key moves it
inline constexpr int shipContactFront = 18;           // from its Left to the first twip a wall or object touches
inline constexpr int shipContactBack = 120;           // from its Left to the end of the part that touches

// The falling objects move down in whole rows; where they are launched is measured from
// the Lefts of the top row's bars.
inline constexpr int launchTop = -rowPitch;               // a launched object's Top: a row above the top row
inline constexpr int bottomRowTop = rowTop(rowsPerWall);  // an object reaching it is hidden
inline constexpr int stoneReach = 360;                    // from the stone's Left to the end of the part that hits
inline constexpr int prizeReach = 120;                    // from a prize's Left to the end of what can be caught
inline constexpr int stoneLaunchSpan = 2160;              // added to the distance between the top row's bars
inline constexpr int stoneLaunchDivisor = 6;              // the stone starts that sum over this left of the right bar
inline constexpr int prizeBesideLeftBar = 2460;           // from the left bar's Left to a prize beside it
inline constexpr int prizeNearLeftBar = 2260;             // the same once the score reaches the mode's nearWallScore
inline constexpr int prizeBesideRightBar = 520;           // from a prize beside the right bar to that bar's Left
inline constexpr int prizeNearRightBar = 320;             // the same once the score reaches nearWallScore

}  // namespace drovane::geometry
