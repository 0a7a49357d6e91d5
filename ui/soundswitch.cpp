// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/soundswitch.h"

#include <QSettings>

namespace drovane {
namespace {

const QString soundKey = QStringLiteral("sound/on");

QSettings settings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Drovane"),
                     QStringLiteral("Drovane"));
}

}  // namespace

SoundSwitch& SoundSwitch::instance()
{
    static SoundSwitch soundSwitch;
    return soundSwitch;
}

bool SoundSwitch::isOn()
{
    if (silenced_)
        return false;
    if (!chosen_)
        chosen_ = settings().value(soundKey, true).toBool();
    return *chosen_;
}

bool SoundSwitch::toggle()
{
    if (silenced_)
        return false;
    chosen_ = !isOn();
    settings().setValue(soundKey, *chosen_);
    return true;
}

bool muteRequestedByEnvironment()
{
    return qEnvironmentVariable("DROVANE_MUTE") == QLatin1String("1");
}

}  // namespace drovane
