#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QRect>
#include <QPixmap>

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
    // The label as drawn, background and caption, at a device pixel ratio. It is made
    // again only when the caption or the ratio changes, so a tick lays out no text.
    const QPixmap& rendered(qreal ratio) const;

signals:
    void clicked();

private:
    QString caption_;
    Look look_;
    mutable QPixmap rendered_;
};

}  // namespace drovane
