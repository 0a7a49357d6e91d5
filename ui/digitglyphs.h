// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QRawFont>
#include <QRectF>
#include <QString>

#include <array>

class QPainter;

namespace drovane {

// Draws a caption made only of digits, such as the score, from glyphs shaped once:
// the glyph of each digit and the distance from each digit to the next, for every
// pair, as the font's own shaping (kerning included) puts them. It gives the pixels
// of QPainter::drawText with Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
// without laying out and shaping the text again on every change.
class DigitGlyphs {
public:
    explicit DigitGlyphs(const QFont& font);

    // True when drawing the digits straight onto an image of this format, at this
    // device pixel ratio and with these colours, gives the pixels that drawing them
    // with drawText into a pixmap, then copying the pixmap there, gives. Checked once
    // for each ratio and format, on a sample that holds every pair of digits.
    bool matchesDrawText(qreal ratio, QImage::Format format, const QColor& background, const QColor& text);
    // Where the glyphs of the digits may mark, from the top-left corner of the text.
    QRectF bounds(const QString& digits) const;

    static bool isDigits(const QString& caption);
    // Draws the digits with the top-left corner of the text at `at`, in the pen's colour.
    void draw(QPainter& painter, const QString& digits, QPointF at = {});

private:
    struct Check {
        qreal ratio;
        QImage::Format format;
        bool matches;
    };

    QFont font_;
    QRawFont rawFont_;
    std::array<quint32, 10> glyph_{};
    std::array<QRectF, 10> glyphBounds_{};
    std::array<std::array<qreal, 10>, 10> distance_{};  // from digit [a] to the next, [b]
    qreal baseline_ = 0;
    bool usable_ = false;  // the digits shape pair by pair, the same in every context
    Check lastCheck_{0, QImage::Format_Invalid, false};
    QGlyphRun run_;
    QList<quint32> indexes_;
    QList<QPointF> positions_;
};

}  // namespace drovane
