// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/gamemode.h"

#include <QColor>
#include <QPalette>

namespace drovane {

inline QColor toQColor(Rgb rgb)
{
    return QColor(rgb.r, rgb.g, rgb.b);
}

// Classic desktop colour numbers, mapped to the nearest roles of the platform palette.
QColor systemColour(SystemColour colour, const QPalette& palette);

QColor resolveColour(const ColourRef& colour, const QPalette& palette);

}  // namespace drovane
