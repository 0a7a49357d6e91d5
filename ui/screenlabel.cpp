// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/screenlabel.h"

#include "ui/digitglyphs.h"

#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

namespace drovane {

ScreenLabel::ScreenLabel(const QString& name, const QString& caption, const Look& look, QObject* parent)
    : QObject(parent),
      caption_(caption),
      look_(look)
{
    setObjectName(name);
}

ScreenLabel::~ScreenLabel() = default;

void ScreenLabel::setCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    stale_ = true;
}

void ScreenLabel::paint(QPainter& painter, const QRegion& area, qreal ratio) const
{
    if (drawsDigits(painter, area, ratio)) {
        painter.fillRect(look_.rect, look_.background);
        painter.setPen(look_.text);
        digits_->draw(painter, caption_, look_.rect.topLeft());
        return;
    }
    painter.drawPixmap(look_.rect.topLeft(), rendered(ratio));
}

bool ScreenLabel::drawsDigits(const QPainter& painter, const QRegion& area, qreal ratio) const
{
    if ((look_.alignment & Qt::AlignHorizontal_Mask) != Qt::AlignLeft || !DigitGlyphs::isDigits(caption_))
        return false;
    // Only where the painter does not clip the label, onto an image: clipped glyphs are
    // blended another way.
    if (area.rectCount() != 1 || !area.boundingRect().contains(look_.rect))
        return false;
    const QPaintDevice* device = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image)
        return false;
    if (!digits_)
        digits_ = std::make_unique<DigitGlyphs>(look_.font);
    const QImage::Format format = static_cast<const QImage*>(device)->format();
    if (!digits_->matchesDrawText(ratio, format, look_.background, look_.text))
        return false;
    // drawText clips the caption to the label: glyphs that could reach past it (their
    // pixels may lie up to one to the right of and below their bounds) go the long way.
    return QRectF(0, 0, look_.rect.width() - 1, look_.rect.height() - 1).contains(digits_->bounds(caption_));
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
