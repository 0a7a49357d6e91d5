// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QMargins>
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

    // The largest scale at which a board of `board` pixels, in its window frame, fits
    // `available` (both in the screen's pixels at the game's zoom, `ratio` screen pixels
    // each): at most the zoom of the other windows, in tenths of a screen pixel per pixel
    // of the board, and never under one screen pixel per pixel.
    static BoardScale fitting(QSize board, QSize available, QMargins frame, double ratio);

    int length(int pixels) const;
    QSize size(QSize pixels) const;
    QRect rect(QRect pixels) const;
    QFont comic(double points) const;  // comicFont(points) at this scale
};

// The empty table of a score board, `Grd_livre`: a header row that never scrolls and
// 30 rows of light yellow cells, in the mode's colours and the game's lettering.
QTableWidget* makeScoreGrid(const GameMode& mode, QWidget* parent, const BoardScale& scale = {});

// Sets a column of the grid to `pixels` across, or wider where its header would be cut.
void setColumnWidth(QTableWidget& grid, int column, int pixels);

}  // namespace drovane
