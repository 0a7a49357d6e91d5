// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

class QWidget;

namespace drovane {

// Every window of the game: fixed client size, close box only, deleted on close so
// that showing it again loads it anew.
void applyWindowRules(QWidget* window, QSize clientSize);

}  // namespace drovane
