#include "pickuptone.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>

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

PickupTone& PickupTone::instance()
{
    static PickupTone tone;
    return tone;
}

bool PickupTone::available()
{
    open();
    return device_ != nullptr;
}

void PickupTone::open()
{
    if (opened_)
        return;
    opened_ = true;
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull())
        return;  // no sound card here: the game plays on in silence
    QAudioFormat format;
    format.setSampleRate(tone::sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!output.isFormatSupported(format))
        return;
    sink_ = new QAudioSink(output, format, QCoreApplication::instance());
    device_ = sink_->start();
    samples_ = pickupToneSamples(tone::sampleRate);
}

void PickupTone::play()
{
    ++requests_;
    open();
    if (!device_)
        return;
    device_->write(reinterpret_cast<const char*>(samples_.data()),
                   static_cast<qint64>(samples_.size()) * qint64{sizeof(std::int16_t)});
}

}  // namespace drovane
