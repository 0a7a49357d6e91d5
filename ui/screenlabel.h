// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPixmap>
#include <QRect>

class QPainter;

namespace drovane {

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

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    const Look& look() const { return look_; }
    // Draws the label at its place at the painter's device pixel ratio, copied from a
    // picture of it that is drawn again only when the caption or the ratio changes.
    void paint(QPainter& painter, qreal ratio) const;

signals:
    void clicked();

private:
    // The label as drawn, background and caption, at a device pixel ratio.
    const QPixmap& rendered(qreal ratio) const;

    QString caption_;
    Look look_;
    mutable QPixmap rendered_;
    mutable bool stale_ = true;
};

}  // namespace drovane
