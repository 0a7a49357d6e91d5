// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/fallingobjects.h"

#include "rules/numeric.h"

namespace drovane {

void fallOneRow(FallingObject& object)
{
    if (object.visible)
        object.top += falling::fallStep;
    if (object.top == falling::bottomRowTop)
        object.visible = false;
}

bool meetsShip(const FallingObject& object, float reach, float shipLeft)
{
    if (object.top != geometry::shipTop)
        return false;
    // Each sum is rounded to single before it is compared.
    const float shipFront = shipLeft + 18.0f;
    const float shipBack = shipLeft + 120.0f;
    const float objectEnd = object.left + reach;
    return shipFront < objectEnd && shipBack > object.left;
}

float stoneLaunchLeft(float topLeftBar, float topRightBar)
{
    const double l1 = topLeftBar;
    const double l31 = topRightBar;
    return asSingle(l31 - (l31 - l1 + 2160.0) / 6.0);
}

float prizeLaunchLeft(std::int16_t side, std::int16_t score, std::optional<std::int16_t> nearWallScore,
                      float topLeftBar, float topRightBar)
{
    const bool nearWall = nearWallScore && score >= *nearWallScore;
    if (side == 1)
        return asSingle(double(topLeftBar) + (nearWall ? 2260.0 : 2460.0));
    return asSingle(double(topRightBar) - (nearWall ? 320.0 : 520.0));
}

void launch(FallingObject& object, float left)
{
    object.left = left;
    object.top = falling::launchTop;
    object.visible = true;
}

}  // namespace drovane
