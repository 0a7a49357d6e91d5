// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace drovane {

// Whether the pickup tone sounds. The player's choice, switched with the key M, is kept in
// the per-user settings file (~/.config/Drovane/Drovane.conf), which falls back to a
// system-wide one (/etc/xdg/Drovane/Drovane.conf). --mute and DROVANE_MUTE=1 silence one run
// whatever the choice says, and M then changes nothing.
class SoundSwitch {
public:
    static SoundSwitch& instance();

    // --mute on the command line, or DROVANE_MUTE=1.
    void silenceThisRun() { silenced_ = true; }
    bool isOn();
    // Turns the sound off, or on again, and remembers the choice; false when this run is
    // silenced and nothing changed.
    bool toggle();

private:
    SoundSwitch() = default;

    bool silenced_ = false;
    std::optional<bool> chosen_;  // read from the settings on first use
};

// True when the environment asks for silence (DROVANE_MUTE=1).
bool muteRequestedByEnvironment();

}  // namespace drovane
