// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/playfield.h"

#include <QColor>
#include <QPixmap>
#include <QRegion>
#include <QVarLengthArray>

class QPainter;
class QPalette;

namespace drovane {

struct GameMode;
class ScreenLabel;

// The labels of a game screen, by their role in the drawing order.
struct ScreenLabels {
    ScreenLabel* scoreTitle;  // "Score:"
    ScreenLabel* score;
    ScreenLabel* credit;
    ScreenLabel* submitButton;  // "Valider"
    ScreenLabel* quitButton;    // "Quitter"
    ScreenLabel* pause;
};

// Draws a game screen from the back to the front: background, the upper bars, the
// status bar and its labels, the ship, the stone, the three bottom rows of bars over
// them, then the prizes over everything.
class PlayfieldPainter {
public:
    PlayfieldPainter(const GameMode& mode, const QPalette& palette);

    // Draws what falls in `area` (in pixels, logical); everything outside it may be left
    // as it is. The picture inside it is the same whatever the area.
    void paint(QPainter& painter, const Playfield& field, const ScreenLabels& labels, const QRegion& area) const;
    // What must be drawn again when the field goes from `before` to `now`, as one
    // rectangle (one rectangle keeps Qt's clipping and flushes cheap): on a tick, when the
    // bars scroll, the whole playfield above the status bar; else the old and new
    // places of the ship and of the objects that moved; with the score label and the
    // pause label when their captions changed. Every member of Playfield that paint()
    // shows must be looked at here.
    QRect changedArea(const Playfield& before, const Playfield& now, const ScreenLabels& labels) const;

private:
    void paintPrizes(QPainter& painter, const Playfield& field, const QRegion& area) const;
    static QVarLengthArray<QRect, 60> barRects(const Playfield& field, int firstRow, int lastRow);
    void paintStatusBar(QPainter& painter, const ScreenLabels& labels, const QRegion& area, qreal ratio) const;
    void paintFrame(QPainter& painter, const ScreenLabel& label) const;
    // Nothing when the oval lies outside the area.
    void paintOval(QPainter& painter, const FallingObject& object, QSize size, const QColor& fill, const QColor& border,
                   const QRegion& area) const;
    QRect shipRect(const Playfield& field) const;
    static QRect objectRect(const FallingObject& object, QSize size);

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

}  // namespace drovane
