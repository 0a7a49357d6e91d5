// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/scoregrid.h"

#include <QString>
#include <QWidget>

class QTableWidget;

namespace drovane {

struct GameMode;

// A mode's score board: the table of its 30 best results, read again from the score
// file every two seconds while the board is open. It never writes the file.
class ScoreBoard : public QWidget {
    Q_OBJECT

public:
    // Constructing is the board's load step: headers, widths, rank labels, first read.
    explicit ScoreBoard(const GameMode& mode, QWidget* parent = nullptr);
    ScoreBoard(const GameMode& mode, const QString& scoreFile, QWidget* parent = nullptr);

    // Writes the records read into their rows; rows the file has no record for, and
    // every header and rank label, are left as they are.
    void refreshScoreBoard();

    // The text shown at (row, column), row 0 being the header row.
    QString cellText(int row, int column) const;
    const QString& scoreFile() const { return scoreFile_; }

    // How much smaller than the other windows the board is drawn, so that it fits the screen
    // it opens on: 1, or a smaller zoom over the zoom of the game (1/2 or 1/3, ...).
    double shrink() const { return scale_.factor; }

protected:
    // Escape closes the board, as its close box does; it never ends the program by itself.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls(const GameMode& mode);
    void load();
    void placeOnScreen();

    QString scoreFile_;
    QTableWidget* grid_ = nullptr;
    BoardScale scale_;
    bool playerMovedCurrentCell_ = false;
};

}  // namespace drovane
