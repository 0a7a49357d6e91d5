// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace drovane {

// Makes (and so loads) the window of that name: "menu", a game screen or a score board.
QWidget* createWindow(const QString& name);

}  // namespace drovane
