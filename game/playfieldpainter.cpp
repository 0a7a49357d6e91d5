#include "playfieldpainter.h"

#include "app/colours.h"
#include "game/gamemode.h"
#include "app/windowrules.h"
#include "assets/pictures.h"
#include "screenlabel.h"

#include <QPainter>

#include <cmath>

namespace drovane {
namespace {

constexpr QRect statusBar = twipsRect(0, 3600, 6135, 375);
constexpr QSize stoneSize{375 / 15, 135 / 15};
constexpr QSize pelletSize{135 / 15, 135 / 15};

}  // namespace

int twipsToPixel(float twips)
{
    return static_cast<int>(std::lround(twips / 15.0f));
}

PlayfieldPainter::PlayfieldPainter(const GameMode& mode, const QPalette& palette)
    : mode_(mode),
      starfield_(QPixmap::fromImage(starfieldPicture(mode.backdropColour))),
      ship_(QPixmap::fromImage(shipPicture(mode.backdropColour))),
      wall_(toQColor(mode.wallColour)),
      status_(toQColor(mode.statusColour)),
      frame_(systemColour(SystemColour::WindowText, palette))
{
    if (mode.bonusBackdropColour)
        bonus_ = QPixmap::fromImage(bonusPicture(*mode.bonusBackdropColour));
    if (mode.stoneFillColour)
        stoneFill_ = toQColor(*mode.stoneFillColour);
    if (mode.stoneBorderColour)
        stoneBorder_ = resolveColour(*mode.stoneBorderColour, palette);
    if (mode.pelletColour)
        pelletFill_ = toQColor(*mode.pelletColour);
}

void PlayfieldPainter::paint(QPainter& painter, const Playfield& field, const ScreenLabels& labels) const
{
    painter.drawPixmap(0, 0, starfield_);
    paintBars(painter, field, 1, 27);
    painter.fillRect(statusBar, status_);
    for (const ScreenLabel* label : {labels.label1, labels.score, labels.label2, labels.label3, labels.label4})
        paintLabel(painter, *label);
    paintFrame(painter, *labels.label3);
    paintFrame(painter, *labels.label4);
    paintLabel(painter, *labels.pause);
    paintFrame(painter, *labels.pause);
    painter.drawPixmap(twipsToPixel(field.shipLeft), twipsToPixels(geometry::shipTop), ship_);
    if (mode_.hasStone() && field.stone.visible)
        paintOval(painter, field.stone, stoneSize, stoneFill_, stoneBorder_);
    paintBars(painter, field, 28, 30);
    if (mode_.hasBonus() && field.bonus.visible)
        painter.drawPixmap(twipsToPixel(field.bonus.left), twipsToPixel(field.bonus.top), bonus_);
    if (mode_.hasPellet() && field.pellet.visible)
        paintOval(painter, field.pellet, pelletSize, pelletFill_, frame_);
}

void PlayfieldPainter::paintBars(QPainter& painter, const Playfield& field, int firstRow, int lastRow) const
{
    const int width = twipsToPixels(geometry::barWidth);
    const int height = twipsToPixels(geometry::barHeight);
    for (int row = firstRow; row <= lastRow; ++row) {
        const int top = twipsToPixels(geometry::rowTop(row));
        painter.fillRect(twipsToPixel(field.barLeft[row]), top, width, height, wall_);
        painter.fillRect(twipsToPixel(field.barLeft[row + geometry::rowsPerWall]), top, width, height, wall_);
    }
}

void PlayfieldPainter::paintLabel(QPainter& painter, const ScreenLabel& label) const
{
    painter.drawPixmap(label.look().rect.topLeft(), label.rendered(painter.device()->devicePixelRatioF()));
}

void PlayfieldPainter::paintFrame(QPainter& painter, const ScreenLabel& label) const
{
    // A one-pixel outline along the inside of the label's border.
    painter.setPen(frame_);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(label.look().rect.adjusted(0, 0, -1, -1));
}

void PlayfieldPainter::paintOval(QPainter& painter, const FallingObject& object, QSize size,
                                 const QColor& fill, const QColor& border) const
{
    const QRect box(twipsToPixel(object.left), twipsToPixel(object.top), size.width(), size.height());
    painter.setPen(border);
    painter.setBrush(fill);
    painter.drawEllipse(box.adjusted(0, 0, -1, -1));
}

}  // namespace drovane
