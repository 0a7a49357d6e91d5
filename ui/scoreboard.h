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

protected:
    // Escape closes the board, as its close box does (the last window closed ends the
    // program); Ctrl+Q ends the program, as "Fin" does.
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
