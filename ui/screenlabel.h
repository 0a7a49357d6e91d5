// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPixmap>
#include <QRect>

#include <memory>

class QPainter;
class QRegion;

namespace drovane {

class DigitGlyphs;

// A label of the game screen. It is drawn by the screen itself, in the screen's
// drawing order, and acts as a button through its click; it never takes the focus.
class ScreenLabel : public QObject {
    Q_OBJECT
public:
    struct Look {
        QRect rect;  // pixels
        Qt::Alignment alignment;
        QFont font;
        QColor background;
        QColor text;
    };

    ScreenLabel(const QString& name, const QString& caption, const Look& look, QObject* parent);
    ~ScreenLabel() override;

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    const Look& look() const { return look_; }
    // Draws the label at its place, for a redraw of `area` (the painter clips to it) at
    // the painter's device pixel ratio, as rendered() shows it. A caption of digits (the
    // score, which changes on every tick) is drawn straight from glyphs shaped once where
    // that gives the same pixels, so a tick lays out no text; any other is copied from
    // rendered().
    void paint(QPainter& painter, const QRegion& area, qreal ratio) const;
    // The label as drawn, background and caption, at a device pixel ratio, by drawText:
    // what paint() must show. It is drawn again only when the caption or the ratio changes.
    const QPixmap& rendered(qreal ratio) const;

signals:
    void clicked();

private:
    bool drawsDigits(const QPainter& painter, const QRegion& area, qreal ratio) const;

    QString caption_;
    Look look_;
    mutable QPixmap rendered_;
    mutable bool stale_ = true;
    mutable std::unique_ptr<DigitGlyphs> digits_;
};

}  // namespace drovane
