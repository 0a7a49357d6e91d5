// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/digitglyphs.h"

#include <QPainter>
#include <QPixmap>
#include <QTextLayout>

#include <cmath>
#include <functional>

namespace drovane {
namespace {

// A de Bruijn sequence of order n over the ten digits, closed on its start: every
// run of n digits appears in it exactly once.
QString everyRunOfDigits(int n)
{
    QString sequence;
    std::array<int, 8> a{};
    const std::function<void(int, int)> extend = [&](int t, int p) {
        if (t > n) {
            if (n % p == 0) {
                for (int j = 1; j <= p; ++j)
                    sequence += QChar(u'0' + a[static_cast<std::size_t>(j)]);
            }
            return;
        }
        a[static_cast<std::size_t>(t)] = a[static_cast<std::size_t>(t - p)];
        extend(t + 1, p);
        for (int j = a[static_cast<std::size_t>(t - p)] + 1; j < 10; ++j) {
            a[static_cast<std::size_t>(t)] = j;
            extend(t + 1, t);
        }
    };
    extend(1, 1);
    return sequence + sequence.left(n - 1);
}

constexpr int drawFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;

}  // namespace

DigitGlyphs::DigitGlyphs(const QFont& font) : font_(font)
{
    // Every pair of digits ten times over, each time after another digit: a distance
    // or a glyph that depended on more than the pair would show as a disagreement.
    const QString sample = everyRunOfDigits(3);
    QTextLayout layout(sample, font_);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.size() != 1)
        return;
    const QList<quint32> indexes = runs.front().glyphIndexes();
    const QList<QPointF> positions = runs.front().positions();
    if (indexes.size() != sample.size() || positions.size() != sample.size() || positions.front().x() != 0)
        return;
    std::array<bool, 10> glyphSeen{};
    std::array<std::array<bool, 10>, 10> distanceSeen{};
    baseline_ = positions.front().y();
    for (qsizetype i = 0; i < sample.size(); ++i) {
        const auto digit = static_cast<std::size_t>(sample[i].unicode() - u'0');
        if (positions[i].y() != baseline_ || (glyphSeen[digit] && glyph_[digit] != indexes[i]))
            return;
        glyph_[digit] = indexes[i];
        glyphSeen[digit] = true;
        if (i + 1 == sample.size())
            break;
        const auto next = static_cast<std::size_t>(sample[i + 1].unicode() - u'0');
        const qreal distance = positions[i + 1].x() - positions[i].x();
        if (distanceSeen[digit][next] && distance_[digit][next] != distance)
            return;
        distance_[digit][next] = distance;
        distanceSeen[digit][next] = true;
    }
    rawFont_ = runs.front().rawFont();
    run_.setRawFont(rawFont_);
    for (std::size_t digit = 0; digit < glyph_.size(); ++digit)
        glyphBounds_[digit] = rawFont_.boundingRect(glyph_[digit]);
    usable_ = true;
}

bool DigitGlyphs::isDigits(const QString& caption)
{
    if (caption.isEmpty())
        return false;
    for (const QChar c : caption) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

bool DigitGlyphs::matchesDrawText(qreal ratio, QImage::Format format, const QColor& background, const QColor& text)
{
    if (!usable_)
        return false;
    if (lastCheck_.ratio == ratio && lastCheck_.format == format)
        return lastCheck_.matches;
    // Every pair once, drawn both ways.
    const QString sample = everyRunOfDigits(2);
    const QFontMetricsF metrics(font_);
    const QSize size(static_cast<int>(std::ceil(metrics.horizontalAdvance(sample) + 2 * metrics.height())),
                     static_cast<int>(std::ceil(2 * metrics.height())));
    const auto canvas = [&] {
        QImage image(size * ratio, format);
        image.setDevicePixelRatio(ratio);
        image.fill(background);
        return image;
    };
    QPixmap laidOut(size * ratio);
    laidOut.setDevicePixelRatio(ratio);
    laidOut.fill(background);
    {
        QPainter painter(&laidOut);
        painter.setFont(font_);
        painter.setPen(text);
        painter.drawText(QRect(QPoint(0, 0), size), drawFlags, sample);
    }
    QImage expected = canvas();
    QPainter(&expected).drawPixmap(0, 0, laidOut);
    QImage drawn = canvas();
    {
        QPainter painter(&drawn);
        painter.setPen(text);
        draw(painter, sample);
    }
    lastCheck_ = {ratio, format, drawn == expected};
    return lastCheck_.matches;
}

QRectF DigitGlyphs::bounds(const QString& digits) const
{
    QRectF marked;
    qreal x = 0;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const auto digit = static_cast<std::size_t>(digits[i].unicode() - u'0');
        marked |= glyphBounds_[digit].translated(x, baseline_);
        if (i + 1 < digits.size())
            x += distance_[digit][static_cast<std::size_t>(digits[i + 1].unicode() - u'0')];
    }
    return marked;
}

void DigitGlyphs::draw(QPainter& painter, const QString& digits, QPointF at)
{
    indexes_.resize(digits.size());
    positions_.resize(digits.size());
    qreal x = 0;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const auto digit = static_cast<std::size_t>(digits[i].unicode() - u'0');
        indexes_[i] = glyph_[digit];
        positions_[i] = QPointF(x, baseline_);
        if (i + 1 < digits.size())
            x += distance_[digit][static_cast<std::size_t>(digits[i + 1].unicode() - u'0')];
    }
    run_.setGlyphIndexes(indexes_);
    run_.setPositions(positions_);
    painter.drawGlyphRun(at, run_);
    // Let go of the lists, so the next caption reuses them without a copy.
    run_.setGlyphIndexes({});
    run_.setPositions({});
}

}  // namespace drovane
