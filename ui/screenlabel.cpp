// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/screenlabel.h"

#include <QPainter>

namespace drovane {

ScreenLabel::ScreenLabel(const QString& name, const QString& caption, const Look& look, QObject* parent)
    : QObject(parent),
      caption_(caption),
      look_(look)
{
    setObjectName(name);
}

void ScreenLabel::setCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    stale_ = true;
}

void ScreenLabel::paint(QPainter& painter, qreal ratio) const
{
    painter.drawPixmap(look_.rect.topLeft(), rendered(ratio));
}

const QPixmap& ScreenLabel::rendered(qreal ratio) const
{
    if (rendered_.isNull() || rendered_.devicePixelRatio() != ratio) {
        rendered_ = QPixmap(look_.rect.size() * ratio);
        rendered_.setDevicePixelRatio(ratio);
        stale_ = true;
    }
    if (stale_) {
        stale_ = false;
        rendered_.fill(look_.background);
        QPainter painter(&rendered_);
        painter.setFont(look_.font);
        painter.setPen(look_.text);
        painter.drawText(QRect(QPoint(0, 0), look_.rect.size()),
                         int(look_.alignment | Qt::AlignTop | Qt::TextSingleLine), caption_);
    }
    return rendered_;
}

}  // namespace drovane
