#include "screenlabel.h"

namespace drovane {

ScreenLabel::ScreenLabel(const QString& name, const QString& caption, const Look& look, QObject* parent)
    : QObject(parent), caption_(caption), look_(look)
{
    setObjectName(name);
}

}  // namespace drovane
