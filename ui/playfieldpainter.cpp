// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/playfieldpainter.h"

#include "rules/gamemode.h"
#include "ui/colours.h"
#include "ui/layout.h"
#include "ui/pictures.h"
#include "ui/screenlabel.h"

#include <QPaintEngine>
#include <QPainter>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace drovane {
namespace {

const QRect statusBar = twipsToPixels(layout::gameScreen::statusBar.place);
constexpr QSize stoneSize = twipsLengthToPixels(layout::gameScreen::stone);
constexpr QSize pelletSize = twipsLengthToPixels(layout::gameScreen::pellet);
constexpr int barWidth = twipsLengthToPixels(geometry::barWidth);
constexpr int barHeight = twipsLengthToPixels(geometry::barHeight);
constexpr int rowPitch = twipsLengthToPixels(geometry::rowPitch);
// Everything but the labels and the status bar: the bars, whose last row reaches one
// pixel into the status bar, and the objects falling down to that row.
constexpr QRect playfieldArea{0, 0, twipsLengthToPixels(geometry::clientWidth),
                              twipsLengthToPixels(geometry::rowTop(geometry::rowsPerWall)) + barHeight};
// The pitches of the 30 rows, which their bars cover from top to bottom; below them lies
// the status bar.
constexpr int corridorHeight = twipsLengthToPixels(geometry::rowTop(geometry::rowsPerWall)) + rowPitch;

bool isWhole(qreal ratio)
{
    return ratio == std::floor(ratio) && ratio >= 1;
}

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
    findStars(starfieldPicture(mode.backdropColour), toQColor(mode.backdropColour).rgb());
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
    // Whatever meets the area is drawn; the painter clips it to the area. Back to front,
    // with few calls to the painter, whose own cost per call outweighs that of the pixels:
    // the corridor with every bar, the status bar, the ship and the stone, then the bars
    // of rows 28 to 30 again where something drawn since lies under them, and the prizes.
    const qreal ratio = painter.device()->devicePixelRatioF();
    paintCorridor(painter, field, area, ratio);
    if (area.intersects(statusBar)) {
        if (isWhole(ratio)) {
            painter.drawPixmap(statusBar.topLeft(), statusBarAt(ratio, labels));
            // Nothing on the status bar lies over the score label.
            if (area.intersects(labels.score->look().rect))
                labels.score->paint(painter, area, ratio);
        } else {
            paintStatusBar(painter, labels, area, ratio, true);
        }
    }
    QVarLengthArray<QRect, 3> under{QRect(0, corridorHeight, playfieldArea.width(), 1)};
    if (area.intersects(shipRect(field))) {
        painter.drawPixmap(shipRect(field).topLeft(), ship_);
        under.append(shipRect(field));
    }
    if (mode_.hasStone() && field.stone.visible
        && paintOval(painter, field.stone, stoneSize, stoneFill_, stoneBorder_, area))
        under.append(objectRect(field.stone, stoneSize));
    QVarLengthArray<QRect, 18> over;
    for (const QRect& bar : barRects(field, 28, 30)) {
        // At a ratio that is no whole number a picture's edge and a rectangle's may round
        // to different device pixels: there the bars are drawn whole.
        if (!isWhole(ratio)) {
            over.append(bar);
            continue;
        }
        for (const QRect& below : under) {
            if (const QRect both = bar & below; !both.isEmpty())
                over.append(both);
        }
    }
    if (!over.isEmpty()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(wall_);
        painter.drawRects(over.constData(), static_cast<int>(over.size()));
    }
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

void PlayfieldPainter::paintStatusBar(QPainter& painter, const ScreenLabels& labels, const QRegion& area, qreal ratio,
                                      bool withScore) const
{
    painter.fillRect(statusBar, status_);
    for (const ScreenLabel* label :
         {labels.scoreTitle, labels.score, labels.credit, labels.submitButton, labels.quitButton}) {
        if ((withScore || label != labels.score) && area.intersects(label->look().rect))
            label->paint(painter, area, ratio);
    }
    paintFrame(painter, *labels.submitButton);
    paintFrame(painter, *labels.quitButton);
    if (area.intersects(labels.pause->look().rect))
        labels.pause->paint(painter, area, ratio);
    paintFrame(painter, *labels.pause);
}

const QPixmap& PlayfieldPainter::statusBarAt(qreal ratio, const ScreenLabels& labels) const
{
    const std::array<QString, 5> captions = {labels.scoreTitle->caption(), labels.credit->caption(),
                                             labels.submitButton->caption(), labels.quitButton->caption(),
                                             labels.pause->caption()};
    if (statusBar_.pixmap.isNull() || statusBar_.ratio != ratio || statusBar_.captions != captions) {
        statusBar_.pixmap = QPixmap(statusBar.size() * ratio);
        statusBar_.pixmap.setDevicePixelRatio(ratio);
        statusBar_.ratio = ratio;
        statusBar_.captions = captions;
        QPainter painter(&statusBar_.pixmap);
        painter.translate(-statusBar.topLeft());
        paintStatusBar(painter, labels, QRegion(statusBar), ratio, false);
    }
    return statusBar_.pixmap;
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

void PlayfieldPainter::paintCorridor(QPainter& painter, const Playfield& field, const QRegion& area, qreal ratio) const
{
    if (QImage* target = composableTarget(painter, area, ratio)) {
        const QRect corridor = QRect(0, 0, playfieldArea.width(), corridorHeight) & area.boundingRect();
        if (!corridor.isEmpty())
            composeCorridor(*target, field, corridor, static_cast<int>(ratio));
        return;
    }
    painter.drawPixmap(0, 0, starfield_);
    painter.setPen(Qt::NoPen);
    painter.setBrush(wall_);
    const auto bars = barRects(field, 1, geometry::rowsPerWall);
    painter.drawRects(bars.constData(), static_cast<int>(bars.size()));
}

QImage* PlayfieldPainter::composableTarget(QPainter& painter, const QRegion& area, qreal ratio) const
{
    QPaintEngine* engine = painter.paintEngine();
    if (!isWhole(ratio) || starLines_.empty() || area.rectCount() != 1 || !engine || !engine->paintDevice()
        || engine->paintDevice()->devType() != QInternal::Image)
        return nullptr;
    auto* target = static_cast<QImage*>(engine->paintDevice());
    const QRect corridor = QRect(0, 0, playfieldArea.width(), corridorHeight) & area.boundingRect();
    const QRect device(corridor.topLeft() * ratio, corridor.size() * ratio);
    const bool plain = target->format() == QImage::Format_RGB32 || target->format() == QImage::Format_ARGB32
                       || target->format() == QImage::Format_ARGB32_Premultiplied;
    if (!plain || painter.deviceTransform() != QTransform::fromScale(ratio, ratio) || !target->rect().contains(device))
        return nullptr;
    return target;
}

void PlayfieldPainter::composeCorridor(QImage& target, const Playfield& field, const QRect& corridor, int ratio) const
{
    // Line by line, at the device's pixels (each pixel of the picture a square of ratio x
    // ratio, as the painter scales it): the backdrop colour, the stars on it, then the
    // bars of the line's row over them and, on the first line of a row, the last line of
    // the bars of the row above (bars are one pixel taller than the pitch).
    const int from = corridor.left() * ratio;
    const int to = (corridor.right() + 1) * ratio;
    if (const int deviceWidth = playfieldArea.width() * ratio;
        skyLine_.size() != static_cast<std::size_t>(deviceWidth)) {
        skyLine_.assign(static_cast<std::size_t>(deviceWidth), sky_);
        wallLine_.assign(skyLine_.size(), wall_.rgb());
    }
    for (int y = corridor.top(); y <= corridor.bottom(); ++y) {
        // The painter holds the same pixels: written in place, never detached.
        auto* line = reinterpret_cast<QRgb*>(const_cast<uchar*>(target.constScanLine(y * ratio)));
        // Pixels from `left` to `right` of the picture, as far as the corridor reaches.
        const auto span = [&](int& left, int& right) {
            left = std::max(left * ratio, from);
            right = std::min(right * ratio, to);
            return left < right;
        };
        std::memcpy(line + from, skyLine_.data() + from, static_cast<std::size_t>(to - from) * sizeof(QRgb));
        const auto last = static_cast<std::size_t>(starLines_[static_cast<std::size_t>(y) + 1]);
        for (auto i = static_cast<std::size_t>(starLines_[static_cast<std::size_t>(y)]); i < last; ++i) {
            if (int left = starRuns_[i].x, right = left + starRuns_[i].length; span(left, right))
                std::fill(line + left, line + right, starRuns_[i].colour);
        }
        const auto bars = [&](int row) {
            for (int left : {twipsPositionToPixels(field.barLeft[row]),
                             twipsPositionToPixels(field.barLeft[row + geometry::rowsPerWall])}) {
                if (int right = left + barWidth; span(left, right))
                    std::memcpy(line + left, wallLine_.data(), static_cast<std::size_t>(right - left) * sizeof(QRgb));
            }
        };
        const int row = y / rowPitch + 1;
        bars(row);
        if (row > 1 && y % rowPitch == 0 && barHeight > rowPitch)
            bars(row - 1);
        for (int copy = 1; copy < ratio; ++copy) {
            auto* below = reinterpret_cast<QRgb*>(const_cast<uchar*>(target.constScanLine(y * ratio + copy)));
            std::memcpy(below + from, line + from, static_cast<std::size_t>(to - from) * sizeof(QRgb));
        }
    }
}

void PlayfieldPainter::findStars(const QImage& picture, QRgb backdrop)
{
    const int width = playfieldArea.width();
    if (picture.width() < width || picture.height() < corridorHeight)
        return;  // the corridor is drawn by the painter
    const QImage lines = picture.convertToFormat(QImage::Format_RGB32).copy(0, 0, width, corridorHeight);
    sky_ = backdrop;
    starLines_.push_back(0);
    for (int y = 0; y < corridorHeight; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(lines.constScanLine(y));
        for (int x = 0; x < width;) {
            int end = x + 1;
            while (end < width && line[end] == line[x])
                ++end;
            if (line[x] != sky_)
                starRuns_.push_back({x, end - x, line[x]});
            x = end;
        }
        starLines_.push_back(static_cast<int>(starRuns_.size()));
    }
}

void PlayfieldPainter::paintFrame(QPainter& painter, const ScreenLabel& label) const
{
    // A one-pixel outline along the inside of the label's border.
    painter.setPen(frame_);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(label.look().rect.adjusted(0, 0, -1, -1));
}

bool PlayfieldPainter::paintOval(QPainter& painter, const FallingObject& object, QSize size, const QColor& fill,
                                 const QColor& border, const QRegion& area) const
{
    const QRect box(twipsPositionToPixels(object.left), twipsPositionToPixels(object.top), size.width(), size.height());
    if (!area.intersects(box))
        return false;
    painter.setPen(border);
    painter.setBrush(fill);
    painter.drawEllipse(box.adjusted(0, 0, -1, -1));
    return true;
}

}  // namespace drovane
