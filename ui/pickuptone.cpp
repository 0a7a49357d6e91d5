// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pickuptone.h"

#include "toneoutput/toneoutput.h"
#include "ui/soundswitch.h"

#include <QCoreApplication>
#include <QPluginLoader>

#include <cmath>
#include <numbers>

namespace drovane {

std::vector<std::int16_t> pickupToneSamples(int sampleRate)
{
    const int count = static_cast<int>(std::lround(sampleRate * tone::durationMs / 1000.0));
    const double fadeSamples = sampleRate * tone::fadeMs / 1000.0;
    std::vector<std::int16_t> samples(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / sampleRate;
        const double edge = std::min(double(i), double(count - 1 - i));
        const double envelope = edge >= fadeSamples ? 1.0 : 0.5 - 0.5 * std::cos(std::numbers::pi * edge / fadeSamples);
        const double value = tone::amplitude * envelope * std::sin(2 * std::numbers::pi * tone::frequency * t);
        samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(std::lround(value * 32767));
    }
    return samples;
}

ToneOutput* loadToneOutput()
{
    const QString name = QStringLiteral("drovane_tone_output");
    QString error;
    for (const QString& path :
         {name, QCoreApplication::applicationDirPath() + QStringLiteral("/" DROVANE_TONE_OUTPUT_DIR "/") + name}) {
        QPluginLoader loader(path);
        QObject* plugin = loader.instance();
        if (auto* output = qobject_cast<ToneOutput*>(plugin)) {
            // Owned by the application, so the sound card is let go when the program ends.
            plugin->setParent(QCoreApplication::instance());
            return output;
        }
        error = loader.errorString();
    }
    qWarning("Drovane: no pickup tone, the sound plugin is missing: %s", qPrintable(error));
    return nullptr;
}

PickupTone& PickupTone::instance()
{
    static PickupTone tone;
    return tone;
}

bool PickupTone::available()
{
    open();
    return output_ != nullptr;
}

void PickupTone::open()
{
    if (opened_)
        return;
    opened_ = true;
    ToneOutput* output = loadToneOutput();
    if (!output || !output->open(tone::sampleRate))
        return;  // no sound card here: the game plays on in silence
    output_ = output;
    samples_ = pickupToneSamples(tone::sampleRate);
}

void PickupTone::play()
{
    ++requests_;
    if (!SoundSwitch::instance().isOn())
        return;
    open();
    if (output_)
        output_->write(samples_.data(), samples_.size());
}

}  // namespace drovane
