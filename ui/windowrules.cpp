// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windowrules.h"

#include <QWidget>

#include <cmath>

namespace drovane {
namespace {

int pointsToPixels(double points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

}  // namespace

void applyWindowRules(QWidget* window, QSize clientSize)
{
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFixedSize(clientSize);
}

QFont comicFont(double points)
{
    QFont font;
    font.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")});
    font.setPixelSize(pointsToPixels(points));
    font.setBold(true);
    return font;
}

QFont dialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pointsToPixels(8.25));
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace drovane
