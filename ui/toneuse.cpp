// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/toneuse.h"

namespace drovane {

ToneUse toneUse(const ToneSituation& situation)
{
    if (!situation.modeHasPrizes)
        return ToneUse::Never;
    const bool pickupCanCome = isGoing(situation.run) && situation.windowShown && !situation.behindModalBox;
    return situation.soundOn && pickupCanCome ? ToneUse::Ready : ToneUse::Asleep;
}

}  // namespace drovane
