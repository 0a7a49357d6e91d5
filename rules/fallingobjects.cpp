// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/fallingobjects.h"

#include "rules/numeric.h"

namespace drovane {

void fallOneRow(FallingObject& object)
{
    if (object.visible)
        object.top += float(geometry::rowPitch);
    if (object.top == float(geometry::bottomRowTop))
        object.visible = false;
}

bool meetsShip(const FallingObject& object, float reach, float shipLeft)
{
    if (object.top != geometry::shipTop)
        return false;
    // Each sum is rounded to single before it is compared.
    const float shipFront = shipLeft + float(geometry::shipContactFront);
    const float shipBack = shipLeft + float(geometry::shipContactBack);
    const float objectEnd = object.left + reach;
    return shipFront < objectEnd && shipBack > object.left;
}

float stoneLaunchLeft(float topLeftBar, float topRightBar)
{
    const double l1 = topLeftBar;
    const double l31 = topRightBar;
    return asSingle(l31 - (l31 - l1 + geometry::stoneLaunchSpan) / double(geometry::stoneLaunchDivisor));
}

float prizeLaunchLeft(std::int16_t side, std::int16_t score, std::optional<std::int16_t> nearWallScore,
                      float topLeftBar, float topRightBar)
{
    const bool nearWall = nearWallScore && score >= *nearWallScore;
    if (side == 1)
        return asSingle(double(topLeftBar) + (nearWall ? geometry::prizeNearLeftBar : geometry::prizeBesideLeftBar));
    return asSingle(double(topRightBar) - (nearWall ? geometry::prizeNearRightBar : geometry::prizeBesideRightBar));
}

void launch(FallingObject& object, float left)
{
    object.left = left;
    object.top = float(geometry::launchTop);
    object.visible = true;
}

}  // namespace drovane
