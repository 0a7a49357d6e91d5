// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/playfield.h"

namespace drovane {

QString pauseCaption(RunState run)
{
    switch (run) {
    case RunState::Running:
    case RunState::ResumedAfterLoss:
        return QStringLiteral("Pause");
    case RunState::Paused:
    case RunState::LostPaused:
        return QStringLiteral("Reprendre");
    case RunState::Lost:
        break;
    }
    return QStringLiteral("Rejouer");
}

bool isGoing(RunState run)
{
    return run == RunState::Running || run == RunState::ResumedAfterLoss;
}

bool isLost(RunState run)
{
    return run == RunState::Lost || run == RunState::ResumedAfterLoss || run == RunState::LostPaused;
}

Playfield::Playfield()
{
    for (int k = 1; k <= geometry::rowsPerWall; ++k) {
        barLeft[k] = geometry::leftBarDesignLeft;
        barLeft[k + geometry::rowsPerWall] = geometry::rightBarDesignLeft;
    }
}

}  // namespace drovane
