// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/colours.h"

namespace drovane {

QColor systemColour(SystemColour colour, const QPalette& palette)
{
    switch (colour) {
    case SystemColour::InactiveTitleBar:
        // No palette role names a title bar; the mid tone is what an inactive one looks like.
        return palette.color(QPalette::Inactive, QPalette::Mid);
    case SystemColour::WindowText:
        return palette.color(QPalette::Active, QPalette::WindowText);
    case SystemColour::ButtonFace:
        return palette.color(QPalette::Active, QPalette::Button);
    case SystemColour::ButtonText:
        return palette.color(QPalette::Active, QPalette::ButtonText);
    }
    return {};
}

QColor resolveColour(const ColourRef& colour, const QPalette& palette)
{
    if (const Rgb* rgb = std::get_if<Rgb>(&colour))
        return toQColor(*rgb);
    return systemColour(std::get<SystemColour>(colour), palette);
}

}  // namespace drovane
