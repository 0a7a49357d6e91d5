// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QTableWidget;
class QWidget;

namespace drovane {

struct GameMode;

// The rank label of row k: "1: " to "9: ", then "10:" to "30:".
QString rankLabel(int rank);

// How much smaller than the game's other windows a score board is drawn, so that it fits
// its screen: every place, size and letter size times `factor`, to the nearest pixel.
// Letters are still drawn at the screen's resolution, so they stay sharp.
struct BoardScale {
    double factor = 1;

    int length(int pixels) const;
    QRect rect(QRect pixels) const;
    QFont comic(double points) const;  // comicFont(points) at this scale
};

// The empty table of a score board, `Grd_livre`: a header row that never scrolls and
// 30 rows of light yellow cells, in the mode's colours and the game's lettering.
QTableWidget* makeScoreGrid(const GameMode& mode, QWidget* parent, const BoardScale& scale = {});

}  // namespace drovane
