// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/playfield.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QVarLengthArray>

#include <array>
#include <vector>

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
    // as it is. The picture inside it is the same whatever the area and however it is
    // drawn: the corridor is composed line by line straight into the window's image where
    // that can be done, the status bar comes from a picture made when a caption on it
    // changes, at a whole device pixel ratio.
    void paint(QPainter& painter, const Playfield& field, const ScreenLabels& labels, const QRegion& area) const;
    // What must be drawn again when the field goes from `before` to `now`, as one
    // rectangle (one rectangle keeps the painter's fast paths): on a tick, when the
    // bars scroll, the whole playfield above the status bar; else the old and new
    // places of the ship and of the objects that moved; with the score label and the
    // pause label when their captions changed. Every member of Playfield that paint()
    // shows must be looked at here.
    QRect changedArea(const Playfield& before, const Playfield& now, const ScreenLabels& labels) const;

private:
    // A run of star pixels of one colour along a line of the star field.
    struct StarRun {
        int x;
        int length;
        QRgb colour;
    };
    // The status bar as drawn at a device pixel ratio, with every label on it but the
    // score, for the captions it was drawn with.
    struct StatusBarPicture {
        QPixmap pixmap;
        qreal ratio = 0;
        std::array<QString, 5> captions;
    };

    // The star field with the bars of every row over it, above the status bar.
    void paintCorridor(QPainter& painter, const Playfield& field, const QRegion& area, qreal ratio) const;
    // The window's image, when the painter would only copy pixels into it: one rectangle
    // to draw, 32-bit pixels, a plain scale by a whole ratio.
    QImage* composableTarget(QPainter& painter, const QRegion& area, qreal ratio) const;
    void composeCorridor(QImage& target, const Playfield& field, const QRect& corridor, int ratio) const;
    void findStars(const QImage& picture, QRgb backdrop);
    void paintPrizes(QPainter& painter, const Playfield& field, const QRegion& area) const;
    static QVarLengthArray<QRect, 60> barRects(const Playfield& field, int firstRow, int lastRow);
    void paintStatusBar(QPainter& painter, const ScreenLabels& labels, const QRegion& area, qreal ratio,
                        bool withScore) const;
    const QPixmap& statusBarAt(qreal ratio, const ScreenLabels& labels) const;
    void paintFrame(QPainter& painter, const ScreenLabel& label) const;
    // False when the oval lies outside the area, and is not drawn.
    bool paintOval(QPainter& painter, const FallingObject& object, QSize size, const QColor& fill, const QColor& border,
                   const QRegion& area) const;
    QRect shipRect(const Playfield& field) const;
    static QRect objectRect(const FallingObject& object, QSize size);

    const GameMode& mode_;
    QPixmap starfield_;
    // The star field above the status bar as its backdrop colour with the runs of other
    // pixels on it, line by line (the runs of line y: starRuns_[starLines_[y]] up to
    // starRuns_[starLines_[y + 1]]); starLines_ is empty for a picture too small to cover
    // the corridor.
    QRgb sky_ = 0;
    std::vector<StarRun> starRuns_;
    std::vector<int> starLines_;
    mutable std::vector<QRgb> skyLine_;   // a line of the backdrop colour, at the device's pixels
    mutable std::vector<QRgb> wallLine_;  // as long, of the wall colour
    mutable StatusBarPicture statusBar_;
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
