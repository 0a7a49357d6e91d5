// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/geometry.h"

#include <QMargins>
#include <QRect>
#include <QSize>

#include <cmath>

// Where every control of the menu, the game screen and the score board stands, in twips
// from the top-left corner of its window's client area, under its name in the game's
// design, which the control keeps as its objectName.
namespace drovane {

struct TwipsSize {
    int width;
    int height;
};

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct Control {
    const char* name;
    TwipsRect place;
};

// A position in twips to the nearest pixel: where a control or a moving object is drawn.
inline int twipsPositionToPixels(float twips)
{
    return static_cast<int>(std::lround(twips / float(geometry::twipsPerPixel)));
}

// A length in twips to the whole pixels it covers; a remainder is dropped, so 650 twips
// are 43 pixels.
constexpr int twipsLengthToPixels(int twips)
{
    return twips / geometry::twipsPerPixel;
}

constexpr QSize twipsLengthToPixels(TwipsSize twips)
{
    return {twipsLengthToPixels(twips.width), twipsLengthToPixels(twips.height)};
}

inline QRect twipsToPixels(const TwipsRect& twips)
{
    return {twipsPositionToPixels(float(twips.left)), twipsPositionToPixels(float(twips.top)),
            twipsLengthToPixels(twips.width), twipsLengthToPixels(twips.height)};
}

namespace layout {

// The start-up menu, `menu`.
namespace menu {
inline constexpr TwipsSize clientArea{5655, 4620};
inline constexpr Control playButton{"Command1", {1200, 3720, 1215, 615}};
inline constexpr Control scoresButton{"Command2", {3120, 3720, 1215, 615}};
// `Option1` to `Option5`, in menu order; each option's name is its mode's menuOption.
inline constexpr TwipsRect modeOptions[] = {
    {1920, 1440, 1935, 405}, {1920, 1800, 1095, 375}, {1920, 2160, 1815, 405},
    {1920, 2520, 1815, 405}, {1920, 2880, 1815, 405},
};
inline constexpr Control modePrompt{"Label2", {960, 1080, 2775, 375}};
inline constexpr Control logo{"Image1", {840, 240, 3900, 645}};
}  // namespace menu

// A game screen, the same on all five (the walls and the ship are in rules/geometry.h).
namespace gameScreen {
inline constexpr TwipsSize clientArea{geometry::clientWidth, geometry::clientHeight};
// It reaches 75 twips past the client area's right edge; that part is never seen.
inline constexpr Control statusBar{"Shape3", {0, 3600, 6135, 375}};
inline constexpr Control credit{"Label2", {240, 3600, 1095, 255}};
inline constexpr Control submitButton{"Label3", {1320, 3720, 855, 255}};
inline constexpr Control pauseButton{"pause", {2280, 3720, 855, 255}};
inline constexpr Control quitButton{"Label4", {3240, 3720, 855, 255}};
inline constexpr Control scoreTitle{"Label1", {4200, 3720, 615, 255}};
inline constexpr Control score{"score", {4920, 3720, 975, 255}};
inline constexpr TwipsSize stone{375, 135};   // `pierre`
inline constexpr TwipsSize pellet{135, 135};  // `pellet`
}  // namespace gameScreen

// A score board, the same on all five.
namespace scoreBoard {
// As far as its controls reach, so that "Fin" and the grid's last rows show.
inline constexpr TwipsSize clientArea{9945, 9735};
inline constexpr Control endButton{"cmd_fin", {4080, 9120, 1695, 615}};
inline constexpr Control webAddress{"Label1", {600, 9240, 2415, 375}};
inline constexpr Control credit{"Label2", {8040, 9240, 1575, 495}};
inline constexpr Control grid{"Grd_livre", {0, 0, 9945, 9015}};
inline constexpr int gridRowHeight = 240;                     // all 31 rows fit the grid's height
inline constexpr int gridColumnWidths[] = {1500, 650, 7300};  // columns 1 to 3
// The window manager's frame, in pixels, where no open window of the game shows it.
inline constexpr QMargins usualFrame{4, 30, 4, 4};
}  // namespace scoreBoard

}  // namespace layout
}  // namespace drovane
