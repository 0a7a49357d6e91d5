// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace drovane {

// The game's lettering face at a point size, bold; Comic Neue stands in where the
// classic face is missing. Sized in pixels at 96 per inch so layouts hold on any screen.
QFont comicFont(double points);

// The default dialog font, 8.25 pt regular, with a plain sans serif standing in.
QFont dialogFont();

}  // namespace drovane
