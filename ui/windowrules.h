// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

namespace drovane {

// Layouts are drawn up in twips, 15 to a pixel; a remainder is dropped.
constexpr int twipsToPixelsTruncated(int twips)
{
    return twips / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixelsTruncated(left), twipsToPixelsTruncated(top), twipsToPixelsTruncated(width),
            twipsToPixelsTruncated(height)};
}

// Every window of the game: fixed client size, close box only, deleted on close so
// that showing it again loads it anew.
void applyWindowRules(QWidget* window, QSize clientSize);

// The game's lettering face at a point size, bold; Comic Neue stands in where the
// classic face is missing. Sized in pixels at 96 per inch so layouts hold on any screen.
QFont comicFont(double points);

// The default dialog font, 8.25 pt regular, with a plain sans serif standing in.
QFont dialogFont();

}  // namespace drovane
