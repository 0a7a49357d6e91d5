// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/playfield.h"

namespace drovane {

QString captionText(PauseCaption caption)
{
    switch (caption) {
    case PauseCaption::Pause:
        return QStringLiteral("Pause");
    case PauseCaption::Reprendre:
        return QStringLiteral("Reprendre");
    case PauseCaption::Rejouer:
        return QStringLiteral("Rejouer");
    }
    return {};
}

Playfield::Playfield()
{
    for (int k = 1; k <= geometry::rowsPerWall; ++k) {
        barLeft[k] = geometry::leftBarDesignLeft;
        barLeft[k + geometry::rowsPerWall] = geometry::rightBarDesignLeft;
    }
}

}  // namespace drovane
