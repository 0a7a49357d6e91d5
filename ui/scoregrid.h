// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QTableWidget;
class QWidget;

namespace drovane {

struct GameMode;

// The rank label of row k: "1: " to "9: ", then "10:" to "30:".
QString rankLabel(int rank);

// The empty table of a score board, `Grd_livre`: a header row that never scrolls and
// 30 rows of light yellow cells, in the mode's colours and the game's lettering.
QTableWidget* makeScoreGrid(const GameMode& mode, QWidget* parent);

}  // namespace drovane
