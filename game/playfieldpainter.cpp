#include "playfieldpainter.h"

#include "app/colours.h"
#include "app/windowrules.h"
#include "assets/pictures.h"
#include "game/gamemode.h"
#include "screenlabel.h"

#include <QPainter>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>

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

constexpr std::size_t maxStarColours = 8;

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
      backdrop_(toQColor(mode.backdropColour)),
      ship_(QPixmap::fromImage(shipPicture(mode.backdropColour))),
      wall_(toQColor(mode.wallColour)),
      status_(toQColor(mode.statusColour)),
      frame_(systemColour(SystemColour::WindowText, palette))
{
    findStars(starfieldPicture(mode.backdropColour));
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
    const QRect bounds = area.boundingRect();
    const qreal ratio = painter.device()->devicePixelRatioF();
    const bool wholeRatio = ratio == std::floor(ratio);
    paintStarfield(painter, field, bounds, wholeRatio);
    paintBars(painter, field, 1, 27, bounds, wholeRatio);
    if (area.intersects(statusBar)) {
        if (wholeRatio) {
            painter.drawPixmap(statusBar.topLeft(), statusBarAt(ratio, labels));
            // Nothing on the status bar lies over the score label.
            if (area.intersects(labels.score->look().rect))
                labels.score->paint(painter, area, ratio);
        } else {
            paintStatusBar(painter, labels, area, ratio, true);
        }
    }
    if (area.intersects(shipRect(field)))
        painter.drawPixmap(shipRect(field).topLeft(), ship_);
    if (mode_.hasStone() && field.stone.visible)
        paintOval(painter, field.stone, stoneSize, stoneFill_, stoneBorder_, area);
    paintBars(painter, field, 28, 30, bounds, wholeRatio);
    if (mode_.hasBonus() && field.bonus.visible) {
        const QPoint at(twipsToPixel(field.bonus.left), twipsToPixel(field.bonus.top));
        if (area.intersects(QRect(at, bonus_.deviceIndependentSize().toSize())))
            painter.drawPixmap(at, bonus_);
    }
    if (mode_.hasPellet() && field.pellet.visible)
        paintOval(painter, field.pellet, pelletSize, pelletFill_, frame_, area);
}

void PlayfieldPainter::paintStatusBar(QPainter& painter, const ScreenLabels& labels, const QRegion& area, qreal ratio,
                                      bool withScore) const
{
    painter.fillRect(statusBar, status_);
    for (const ScreenLabel* label : {labels.label1, labels.score, labels.label2, labels.label3, labels.label4}) {
        if ((withScore || label != labels.score) && area.intersects(label->look().rect))
            label->paint(painter, area, ratio);
    }
    paintFrame(painter, *labels.label3);
    paintFrame(painter, *labels.label4);
    if (area.intersects(labels.pause->look().rect))
        labels.pause->paint(painter, area, ratio);
    paintFrame(painter, *labels.pause);
}

const QPixmap& PlayfieldPainter::statusBarAt(qreal ratio, const ScreenLabels& labels) const
{
    const std::array<QString, 5> captions = {labels.label1->caption(), labels.label2->caption(),
                                             labels.label3->caption(), labels.label4->caption(),
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

void PlayfieldPainter::findStars(const QImage& picture)
{
    const int width = playfieldArea.width();
    const int height = twipsToPixels(geometry::rowTop(geometry::rowsPerWall)) + rowPitch;
    if (picture.width() < width || picture.height() < height)
        return;
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    std::vector<QColor> colours;
    std::vector<StarRun> runs;
    std::vector<int> lines{0};
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width;) {
            const QRgb pixel = line[x];
            int end = x + 1;
            while (end < width && line[end] == pixel)
                ++end;
            if (pixel != backdrop_.rgb()) {
                const QColor colour = QColor::fromRgb(pixel);
                const auto known = std::find(colours.begin(), colours.end(), colour);
                const auto index = static_cast<int>(known - colours.begin());
                if (known == colours.end()) {
                    if (colours.size() == maxStarColours)
                        return;  // more than stars: the picture is copied as it is
                    colours.push_back(colour);
                }
                runs.push_back({x, end - x, index});
            }
            x = end;
        }
        lines.push_back(static_cast<int>(runs.size()));
    }
    // A picture with more than a few stars on it is copied as it is.
    if (runs.size() > static_cast<std::size_t>(width * height / 64))
        return;
    starColours_ = std::move(colours);
    starRuns_ = std::move(runs);
    starLines_ = std::move(lines);
}

void PlayfieldPainter::paintStarfield(QPainter& painter, const Playfield& field, const QRect& area,
                                      bool wholeRatio) const
{
    if (starLines_.empty() || !wholeRatio) {
        painter.drawPixmap(0, 0, starfield_);
        return;
    }
    // The star field shows only between the bars, as its backdrop colour with stars
    // on it. Row by row (the pitch of the rows, which their bars cover from top to
    // bottom), it is drawn where that row's bars are not; the bars are drawn over the
    // rest anyway. Below the rows lies the status bar.
    QVarLengthArray<QRect, 3 * qsizetype(geometry::rowsPerWall)> sky;
    std::array<QVarLengthArray<QRect, 64>, maxStarColours> stars;
    const auto stretch = [&](int left, int right, int top) {
        left = std::max(left, area.left());
        right = std::min(right, area.right() + 1);
        if (left >= right)
            return;
        sky.append(QRect(left, top, right - left, rowPitch));
        for (int y = top; y < top + rowPitch; ++y) {
            const auto line = static_cast<std::size_t>(y);
            for (int i = starLines_[line]; i < starLines_[line + 1]; ++i) {
                const StarRun& run = starRuns_[static_cast<std::size_t>(i)];
                const int from = std::max(run.x, left);
                const int to = std::min(run.x + run.length, right);
                if (from < to)
                    stars[static_cast<std::size_t>(run.colour)].append(QRect(from, y, to - from, 1));
            }
        }
    };
    for (int row = 1; row <= geometry::rowsPerWall; ++row) {
        const int top = twipsToPixels(geometry::rowTop(row));
        if (top > area.bottom() || top + rowPitch <= area.top())
            continue;
        int first = twipsToPixel(field.barLeft[row]);
        int second = twipsToPixel(field.barLeft[row + geometry::rowsPerWall]);
        if (second < first)
            std::swap(first, second);
        stretch(0, first, top);
        stretch(first + barWidth, second, top);
        stretch(second + barWidth, playfieldArea.width(), top);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(backdrop_);
    painter.drawRects(sky.constData(), static_cast<int>(sky.size()));
    for (std::size_t colour = 0; colour < starColours_.size(); ++colour) {
        if (stars[colour].isEmpty())
            continue;
        painter.setBrush(starColours_[colour]);
        painter.drawRects(stars[colour].constData(), static_cast<int>(stars[colour].size()));
    }
}

void PlayfieldPainter::paintBars(QPainter& painter, const Playfield& field, int firstRow, int lastRow,
                                 const QRect& area, bool wholeRatio) const
{
    QVarLengthArray<QRect, 2 * qsizetype(geometry::rowsPerWall)> bars;
    for (int row = firstRow; row <= lastRow; ++row) {
        const int top = twipsToPixels(geometry::rowTop(row));
        if (top > area.bottom() || top + barHeight <= area.top())
            continue;
        bars.append(QRect(twipsToPixel(field.barLeft[row]), top, barWidth, barHeight));
        bars.append(QRect(twipsToPixel(field.barLeft[row + geometry::rowsPerWall]), top, barWidth, barHeight));
    }
    if (!wholeRatio) {
        for (const QRect& bar : bars)
            painter.fillRect(bar, wall_);
        return;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(wall_);
    painter.drawRects(bars.constData(), static_cast<int>(bars.size()));
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
    const QRect box(twipsToPixel(object.left), twipsToPixel(object.top), size.width(), size.height());
    if (!area.intersects(box))
        return;
    painter.setPen(border);
    painter.setBrush(fill);
    painter.drawEllipse(box.adjusted(0, 0, -1, -1));
}

}  // namespace drovane
