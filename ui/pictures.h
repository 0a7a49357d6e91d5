// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/gamemode.h"

#include <QIcon>
#include <QImage>

namespace drovane {

// The stored star field, ship and bonus pictures surround their drawing with this
// colour, which the drawings never use; it is replaced by the backdrop on load.
inline constexpr Rgb pictureKeyColour{255, 0, 255};

// The title banner of the menu, 260 x 43.
QImage logoPicture();

// Pictures drawn on a plain backdrop, in Format_RGB32. Each colour is made once and
// shared: asking twice for the same backdrop gives the same image data.
QImage starfieldPicture(Rgb backdrop);  // 512 x 384
QImage shipPicture(Rgb backdrop);       // 10 x 15
QImage bonusPicture(Rgb backdrop);      // 9 x 9

// The program's icon: the three images of the classic icon file, plus larger
// renderings for desktops that ask for them.
QIcon appIcon();

}  // namespace drovane
