#pragma once

#include "playfield.h"

#include <QColor>
#include <QPixmap>

class QPainter;
class QPalette;

namespace drovane {

struct GameMode;
class ScreenLabel;

// The labels of a game screen, by their role in the drawing order.
struct ScreenLabels {
    ScreenLabel* label1;  // "Score:"
    ScreenLabel* score;
    ScreenLabel* label2;  // credit
    ScreenLabel* label3;  // "Valider"
    ScreenLabel* label4;  // "Quitter"
    ScreenLabel* pause;
};

// Draws a game screen from the back to the front: background, the upper bars, the
// status bar and its labels, the ship, the stone, the three bottom rows of bars over
// them, then the prizes over everything.
class PlayfieldPainter {
public:
    PlayfieldPainter(const GameMode& mode, const QPalette& palette);

    void paint(QPainter& painter, const Playfield& field, const ScreenLabels& labels) const;

private:
    void paintBars(QPainter& painter, const Playfield& field, int firstRow, int lastRow) const;
    void paintLabel(QPainter& painter, const ScreenLabel& label) const;
    void paintFrame(QPainter& painter, const ScreenLabel& label) const;
    void paintOval(QPainter& painter, const FallingObject& object, QSize size, const QColor& fill,
                   const QColor& border) const;

    const GameMode& mode_;
    QPixmap starfield_;
    QPixmap ship_;
    QPixmap bonus_;
    QColor wall_;
    QColor status_;
    QColor frame_;
    QColor stoneFill_;
    QColor stoneBorder_;
    QColor pelletFill_;
};

// Twips to the nearest whole pixel.
int twipsToPixel(float twips);

}  // namespace drovane
