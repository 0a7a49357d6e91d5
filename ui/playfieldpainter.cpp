// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/playfieldpainter.h"

#include "rules/gamemode.h"
#include "ui/colours.h"
#include "ui/layout.h"
#include "ui/pictures.h"
#include "ui/screenlabel.h"

#include <QPainter>
#include <QVarLengthArray>

#include <cmath>

namespace drovane {
namespace {

const QRect statusBar = twipsToPixels(layout::gameScreen::statusBar.place);
constexpr QSize stoneSize = twipsLengthToPixels(layout::gameScreen::stone);
constexpr QSize pelletSize = twipsLengthToPixels(layout::gameScreen::pellet);
constexpr int barWidth = twipsLengthToPixels(geometry::barWidth);
constexpr int barHeight = twipsLengthToPixels(geometry::barHeight);
// Everything but the labels and the status bar: the bars, whose last row reaches one
// pixel into the status bar, and the objects falling down to that row.
constexpr QRect playfieldArea{0, 0, twipsLengthToPixels(geometry::clientWidth),
                              twipsLengthToPixels(geometry::rowTop(geometry::rowsPerWall)) + barHeight};

bool sameObject(const FallingObject& a, const FallingObject& b)
{
    return a.left == b.left && a.top == b.top && a.visible == b.visible;
}

}  // namespace

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

void PlayfieldPainter::paint(QPainter& painter, const Playfield& field, const ScreenLabels& labels,
                             const QRegion& area) const
{
    // Whatever meets the area is drawn; the painter clips it to the area. Back to front:
    // the star field with every bar, the status bar, the ship and the stone, then the bars
    // of rows 28 to 30 again, over what has been drawn on them since, and the prizes.
    const qreal ratio = painter.device()->devicePixelRatioF();
    painter.drawPixmap(0, 0, starfield_);
    painter.setPen(Qt::NoPen);
    painter.setBrush(wall_);
    const auto bars = barRects(field, 1, geometry::rowsPerWall);
    painter.drawRects(bars.constData(), static_cast<int>(bars.size()));
    if (area.intersects(statusBar))
        paintStatusBar(painter, labels, area, ratio);
    if (area.intersects(shipRect(field)))
        painter.drawPixmap(shipRect(field).topLeft(), ship_);
    if (mode_.hasStone() && field.stone.visible)
        paintOval(painter, field.stone, stoneSize, stoneFill_, stoneBorder_, area);
    const auto bottomBars = barRects(field, 28, geometry::rowsPerWall);
    painter.setPen(Qt::NoPen);
    painter.setBrush(wall_);
    painter.drawRects(bottomBars.constData(), static_cast<int>(bottomBars.size()));
    paintPrizes(painter, field, area);
}

void PlayfieldPainter::paintPrizes(QPainter& painter, const Playfield& field, const QRegion& area) const
{
    if (mode_.hasBonus() && field.bonus.visible) {
        const QPoint at(twipsPositionToPixels(field.bonus.left), twipsPositionToPixels(field.bonus.top));
        if (area.intersects(QRect(at, bonus_.deviceIndependentSize().toSize())))
            painter.drawPixmap(at, bonus_);
    }
    if (mode_.hasPellet() && field.pellet.visible)
        paintOval(painter, field.pellet, pelletSize, pelletFill_, frame_, area);
}

QVarLengthArray<QRect, 60> PlayfieldPainter::barRects(const Playfield& field, int firstRow, int lastRow)
{
    QVarLengthArray<QRect, 60> bars;
    for (int row = firstRow; row <= lastRow; ++row) {
        const int top = twipsLengthToPixels(geometry::rowTop(row));
        bars.append(QRect(twipsPositionToPixels(field.barLeft[row]), top, barWidth, barHeight));
        bars.append(QRect(twipsPositionToPixels(field.barLeft[row + geometry::rowsPerWall]), top, barWidth, barHeight));
    }
    return bars;
}

void PlayfieldPainter::paintStatusBar(QPainter& painter, const ScreenLabels& labels, const QRegion& area,
                                      qreal ratio) const
{
    painter.fillRect(statusBar, status_);
    for (const ScreenLabel* label :
         {labels.scoreTitle, labels.score, labels.credit, labels.submitButton, labels.quitButton}) {
        if (area.intersects(label->look().rect))
            label->paint(painter, area, ratio);
    }
    paintFrame(painter, *labels.submitButton);
    paintFrame(painter, *labels.quitButton);
    if (area.intersects(labels.pause->look().rect))
        labels.pause->paint(painter, area, ratio);
    paintFrame(painter, *labels.pause);
}

QRect PlayfieldPainter::changedArea(const Playfield& before, const Playfield& now, const ScreenLabels& labels) const
{
    if (before.barLeft != now.barLeft)
        return playfieldArea | (before.scoreCaption != now.scoreCaption ? labels.score->look().rect : QRect())
               | (pauseCaption(before.run) != pauseCaption(now.run) ? labels.pause->look().rect : QRect());
    QRect area;
    if (before.shipLeft != now.shipLeft)
        area |= shipRect(before) | shipRect(now);
    const auto object = [&](const FallingObject& then, const FallingObject& since, QSize size) {
        if (sameObject(then, since))
            return;
        if (then.visible)
            area |= objectRect(then, size);
        if (since.visible)
            area |= objectRect(since, size);
    };
    object(before.stone, now.stone, stoneSize);
    object(before.bonus, now.bonus, bonus_.deviceIndependentSize().toSize());
    object(before.pellet, now.pellet, pelletSize);
    if (before.scoreCaption != now.scoreCaption)
        area |= labels.score->look().rect;
    if (pauseCaption(before.run) != pauseCaption(now.run))
        area |= labels.pause->look().rect;
    return area;
}

QRect PlayfieldPainter::objectRect(const FallingObject& object, QSize size)
{
    // A pixel more on every side, for the pen around an oval.
    return QRect(QPoint(twipsPositionToPixels(object.left), twipsPositionToPixels(object.top)), size)
        .adjusted(-1, -1, 1, 1);
}

QRect PlayfieldPainter::shipRect(const Playfield& field) const
{
    return {QPoint(twipsPositionToPixels(field.shipLeft), twipsLengthToPixels(geometry::shipTop)),
            ship_.deviceIndependentSize().toSize()};
}

void PlayfieldPainter::paintFrame(QPainter& painter, const ScreenLabel& label) const
{
    // A one-pixel outline along the inside of the label's border.
    painter.setPen(frame_);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(label.look().rect.adjusted(0, 0, -1, -1));
}

void PlayfieldPainter::paintOval(QPainter& painter, const FallingObject& object, QSize size, const QColor& fill,
                                 const QColor& border, const QRegion& area) const
{
    const QRect box(twipsPositionToPixels(object.left), twipsPositionToPixels(object.top), size.width(), size.height());
    if (!area.intersects(box))
        return;
    painter.setPen(border);
    painter.setBrush(fill);
    painter.drawEllipse(box.adjusted(0, 0, -1, -1));
}

}  // namespace drovane
