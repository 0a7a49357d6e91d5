// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fonts.h"

#include <QStringList>

#include <cmath>

namespace drovane {
namespace {

int pointsToPixels(double points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

}  // namespace

QFont comicFont(double points)
{
    QFont font;
    font.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")});
    font.setPixelSize(pointsToPixels(points));
    font.setBold(true);
    return font;
}

QFont dialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pointsToPixels(8.25));
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace drovane
