#pragma once

#include "playfield.h"

#include <QColor>
#include <QPixmap>
#include <QRegion>

#include <array>
#include <vector>

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

    // Draws what falls in `area` (in pixels, logical); everything outside it may be left
    // as it is. The picture inside it is the same whatever the area. At a whole device
    // pixel ratio it draws the same pixels with few calls to the painter, whose own cost
    // per call outweighs that of the pixels: the star field as its backdrop colour and
    // its stars where the bars leave it visible, each layer of rectangles in one call,
    // and the status bar from a picture made when a caption on it changes.
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
        int colour;  // in starColours_
    };
    // The status bar as drawn at a device pixel ratio, with every label on it but the
    // score, for the captions it was drawn with.
    struct StatusBarPicture {
        QPixmap pixmap;
        qreal ratio = 0;
        std::array<QString, 5> captions;
    };

    void findStars(const QImage& picture);
    void paintStarfield(QPainter& painter, const Playfield& field, const QRect& area, bool wholeRatio) const;
    void paintBars(QPainter& painter, const Playfield& field, int firstRow, int lastRow, const QRect& area,
                   bool wholeRatio) const;
    void paintStatusBar(QPainter& painter, const ScreenLabels& labels, const QRegion& area, qreal ratio,
                        bool withScore) const;
    const QPixmap& statusBarAt(qreal ratio, const ScreenLabels& labels) const;
    void paintFrame(QPainter& painter, const ScreenLabel& label) const;
    void paintOval(QPainter& painter, const FallingObject& object, QSize size, const QColor& fill, const QColor& border,
                   const QRegion& area) const;
    QRect shipRect(const Playfield& field) const;
    static QRect objectRect(const FallingObject& object, QSize size);

    const GameMode& mode_;
    QPixmap starfield_;
    // The star field as its backdrop colour and the runs of other pixels on it, line
    // by line (runs of line y: starRuns_[starLines_[y]] up to starRuns_[starLines_[y + 1]]);
    // starLines_ is empty when the picture does not lend itself to that.
    QColor backdrop_;
    std::vector<QColor> starColours_;
    std::vector<StarRun> starRuns_;
    std::vector<int> starLines_;
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

// Twips to the nearest whole pixel.
int twipsToPixel(float twips);

}  // namespace drovane
