#include "playfieldpainter.h"

#include "app/colours.h"
#include "app/windowrules.h"
#include "assets/pictures.h"
#include "game/gamemode.h"
#include "screenlabel.h"

#include <QPaintEngine>
#include <QPainter>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace drovane {
namespace {

constexpr QRect statusBar = twipsRect(0, 3600, 6135, 375);
constexpr QSize stoneSize{375 / 15, 135 / 15};
constexpr QSize pelletSize{135 / 15, 135 / 15};
constexpr int barWidth = twipsToPixels(geometry::barWidth);
constexpr int barHeight = twipsToPixels(geometry::barHeight);
constexpr int rowPitch = twipsToPixels(geometry::rowPitch);
// Everything but the labels and the status bar: the bars, whose last row reaches one
// pixel into the status bar, and the objects falling down to that row.
constexpr QRect playfieldArea{0, 0, twipsToPixels(geometry::clientWidth),
                              twipsToPixels(geometry::rowTop(geometry::rowsPerWall)) + barHeight};
// The pitches of the 30 rows, which their bars cover from top to bottom; below them lies
// the status bar.
constexpr int corridorHeight = twipsToPixels(geometry::rowTop(geometry::rowsPerWall)) + rowPitch;

bool sameObject(const FallingObject& a, const FallingObject& b)
{
    return a.left == b.left && a.top == b.top && a.visible == b.visible;
}

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
    // Whatever meets the area is drawn; the painter clips it to the area.
    const qreal ratio = painter.device()->devicePixelRatioF();
    if (ratio != std::floor(ratio) || ratio < 1) {
        paintEachLayer(painter, field, labels, area, ratio);
        return;
    }
    // The same pixels with a few calls to the painter, whose own cost per call
    // outweighs that of the pixels: the star field and every bar composed line by line,
    // then the bars of rows 28 to 30 again where something drawn since lies under them.
    paintCorridor(painter, field, area, static_cast<int>(ratio));
    if (area.intersects(statusBar)) {
        painter.drawPixmap(statusBar.topLeft(), statusBarAt(ratio, labels));
        // Nothing on the status bar lies over the score label.
        if (area.intersects(labels.score->look().rect))
            labels.score->paint(painter, area, ratio);
    }
    QVarLengthArray<QRect, 3> under{QRect(0, corridorHeight, statusBar.width(), 1)};
    if (area.intersects(shipRect(field))) {
        painter.drawPixmap(shipRect(field).topLeft(), ship_);
        under.append(shipRect(field));
    }
    if (mode_.hasStone() && field.stone.visible
        && paintOval(painter, field.stone, stoneSize, stoneFill_, stoneBorder_, area))
        under.append(objectRect(field.stone, stoneSize));
    QVarLengthArray<QRect, 18> over;
    for (const QRect& bar : barRects(field, 28, 30)) {
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

void PlayfieldPainter::paintEachLayer(QPainter& painter, const Playfield& field, const ScreenLabels& labels,
                                      const QRegion& area, qreal ratio) const
{
    painter.drawPixmap(0, 0, starfield_);
    for (const QRect& bar : barRects(field, 1, 27))
        painter.fillRect(bar, wall_);
    if (area.intersects(statusBar))
        paintStatusBar(painter, labels, area, ratio, true);
    if (area.intersects(shipRect(field)))
        painter.drawPixmap(shipRect(field).topLeft(), ship_);
    if (mode_.hasStone() && field.stone.visible)
        paintOval(painter, field.stone, stoneSize, stoneFill_, stoneBorder_, area);
    for (const QRect& bar : barRects(field, 28, 30))
        painter.fillRect(bar, wall_);
    paintPrizes(painter, field, area);
}

void PlayfieldPainter::paintPrizes(QPainter& painter, const Playfield& field, const QRegion& area) const
{
    if (mode_.hasBonus() && field.bonus.visible) {
        const QPoint at(twipsToPixel(field.bonus.left), twipsToPixel(field.bonus.top));
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
        const int top = twipsToPixels(geometry::rowTop(row));
        bars.append(QRect(twipsToPixel(field.barLeft[row]), top, barWidth, barHeight));
        bars.append(QRect(twipsToPixel(field.barLeft[row + geometry::rowsPerWall]), top, barWidth, barHeight));
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
               | (before.pause != now.pause ? labels.pause->look().rect : QRect());
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
    if (before.pause != now.pause)
        area |= labels.pause->look().rect;
    return area;
}

QRect PlayfieldPainter::objectRect(const FallingObject& object, QSize size)
{
    // A pixel more on every side, for the pen around an oval.
    return QRect(QPoint(twipsToPixel(object.left), twipsToPixel(object.top)), size).adjusted(-1, -1, 1, 1);
}

QRect PlayfieldPainter::shipRect(const Playfield& field) const
{
    return {QPoint(twipsToPixel(field.shipLeft), twipsToPixels(geometry::shipTop)),
            ship_.deviceIndependentSize().toSize()};
}

void PlayfieldPainter::findStars(const QImage& picture, QRgb backdrop)
{
    const int width = playfieldArea.width();
    if (picture.width() < width || picture.height() < corridorHeight)
        return;  // the corridor is drawn layer by layer
    starfieldLines_ = picture.convertToFormat(QImage::Format_RGB32).copy(0, 0, width, corridorHeight);
    const QRgb sky = backdrop;
    std::vector<StarRun> runs;
    std::vector<int> lines{0};
    for (int y = 0; y < corridorHeight; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(starfieldLines_.constScanLine(y));
        for (int x = 0; x < width;) {
            int end = x + 1;
            while (end < width && line[end] == line[x])
                ++end;
            if (line[x] != sky)
                runs.push_back({x, end - x, line[x]});
            x = end;
        }
        lines.push_back(static_cast<int>(runs.size()));
    }
    // A picture with more than a few stars on it is copied line by line instead.
    if (runs.size() <= static_cast<std::size_t>(width * corridorHeight / 64)) {
        sky_ = sky;
        starRuns_ = std::move(runs);
        starLines_ = std::move(lines);
    }
}

void PlayfieldPainter::paintCorridor(QPainter& painter, const Playfield& field, const QRegion& area, int ratio) const
{
    // Straight into the window's image where the painter would only copy pixels: one
    // rectangle to draw (the painter clips to it), an image of 32-bit pixels, a plain
    // scale to the device's pixels.
    QImage* target = nullptr;
    const QRect corridor = QRect(0, 0, playfieldArea.width(), corridorHeight) & area.boundingRect();
    if (QPaintEngine* engine = painter.paintEngine(); engine && engine->paintDevice()
                                                      && engine->paintDevice()->devType() == QInternal::Image
                                                      && area.rectCount() == 1 && !starfieldLines_.isNull()) {
        target = static_cast<QImage*>(engine->paintDevice());
        const QTransform transform = painter.deviceTransform();
        const QRect device(corridor.topLeft() * ratio, corridor.size() * ratio);
        const bool plain = target->format() == QImage::Format_RGB32 || target->format() == QImage::Format_ARGB32
                           || target->format() == QImage::Format_ARGB32_Premultiplied;
        if (!plain || transform != QTransform::fromScale(ratio, ratio) || !target->rect().contains(device))
            target = nullptr;
    }
    if (!target) {
        painter.drawPixmap(0, 0, starfield_);
        painter.setPen(Qt::NoPen);
        painter.setBrush(wall_);
        const auto bars = barRects(field, 1, geometry::rowsPerWall);
        painter.drawRects(bars.constData(), static_cast<int>(bars.size()));
        return;
    }
    if (corridor.isEmpty())
        return;
    // Line by line, at the device's pixels (each pixel of the picture a square of ratio x
    // ratio, as the painter scales it): the star field, then the bars of the line's row
    // over it and, on the first line of a row, the last line of the bars of the row
    // above (bars are one pixel taller than the pitch). A line is made in a buffer from
    // lines of one colour, then copied.
    const int width = playfieldArea.width();
    const int deviceWidth = width * ratio;
    if (line_.size() != static_cast<std::size_t>(deviceWidth)) {
        line_.resize(static_cast<std::size_t>(deviceWidth));
        skyLine_.assign(static_cast<std::size_t>(deviceWidth), sky_);
        wallLine_.assign(static_cast<std::size_t>(deviceWidth), wall_.rgb());
    }
    const auto fill = [&](int from, int to, const std::vector<QRgb>& colour) {
        from = std::clamp(from, 0, width) * ratio;
        to = std::clamp(to, 0, width) * ratio;
        if (from < to)
            std::memcpy(line_.data() + from, colour.data(), static_cast<std::size_t>(to - from) * sizeof(QRgb));
    };
    const auto bars = [&](int row) {
        for (const int left :
             {twipsToPixel(field.barLeft[row]), twipsToPixel(field.barLeft[row + geometry::rowsPerWall])})
            fill(left, left + barWidth, wallLine_);
    };
    for (int y = corridor.top(); y <= corridor.bottom(); ++y) {
        if (starLines_.empty()) {
            const auto* stars = reinterpret_cast<const QRgb*>(starfieldLines_.constScanLine(y));
            for (int x = 0; x < width; ++x)
                std::fill_n(line_.data() + std::ptrdiff_t(x) * ratio, ratio, stars[x]);
        } else {
            fill(0, width, skyLine_);
            const auto last = static_cast<std::size_t>(starLines_[static_cast<std::size_t>(y) + 1]);
            for (auto i = static_cast<std::size_t>(starLines_[static_cast<std::size_t>(y)]); i < last; ++i)
                std::fill_n(line_.data() + std::ptrdiff_t(starRuns_[i].x) * ratio, starRuns_[i].length * ratio,
                            starRuns_[i].colour);
        }
        const int row = y / rowPitch + 1;
        bars(row);
        if (row > 1 && y % rowPitch == 0 && barHeight > rowPitch)
            bars(row - 1);
        for (int copy = 0; copy < ratio; ++copy) {
            // The painter holds the same pixels: written in place, never detached.
            auto* pixels = reinterpret_cast<QRgb*>(const_cast<uchar*>(target->constScanLine(y * ratio + copy)));
            std::memcpy(pixels + std::ptrdiff_t(corridor.left()) * ratio,
                        line_.data() + std::ptrdiff_t(corridor.left()) * ratio,
                        static_cast<std::size_t>(corridor.width() * ratio) * sizeof(QRgb));
        }
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
    const QRect box(twipsToPixel(object.left), twipsToPixel(object.top), size.width(), size.height());
    if (!area.intersects(box))
        return false;
    painter.setPen(border);
    painter.setBrush(fill);
    painter.drawEllipse(box.adjusted(0, 0, -1, -1));
    return true;
}

}  // namespace drovane
