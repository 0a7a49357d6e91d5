// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windowrules.h"

#include <QWidget>

namespace drovane {

void applyWindowRules(QWidget* window, QSize clientSize)
{
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFixedSize(clientSize);
}

}  // namespace drovane
