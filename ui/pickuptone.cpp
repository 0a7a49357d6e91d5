// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pickuptone.h"

#include "toneoutput/toneoutput.h"
#include "ui/soundswitch.h"

#include <QCoreApplication>
#include <QPluginLoader>

#include <cmath>
#include <numbers>
#include <utility>

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
    qWarning("drovane : le module du son manque, la partie se joue sans son (%s).", qPrintable(error));
    return nullptr;
}

PickupTone& PickupTone::instance()
{
    static PickupTone tone(loadToneOutput);
    return tone;
}

PickupTone::PickupTone(std::function<ToneOutput*()> loadOutput) : loadOutput_(std::move(loadOutput))
{
}

void PickupTone::follow(const ToneSituation& situation)
{
    if (toneUse(situation) == ToneUse::Ready)
        open();
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
    ToneOutput* output = loadOutput_();
    if (!output)
        return;
    const std::vector<std::int16_t> samples = pickupToneSamples(tone::sampleRate);
    if (!output->open(samples.data(), samples.size(), tone::sampleRate)) {
        qWarning("drovane : aucun serveur de son ne répond, la partie se joue sans son.");
        return;
    }
    output_ = output;
}

void PickupTone::play()
{
    ++requests_;
    if (!SoundSwitch::instance().isOn())
        return;
    open();
    if (output_)
        output_->play();
}

}  // namespace drovane
