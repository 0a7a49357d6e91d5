// SPDX-License-Identifier: GPL-3.0-or-later
// The pickup tone's way to the sound card, built as the plugin drovane_tone_output.
#include "toneoutput/toneoutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QObject>

namespace drovane {

class MultimediaToneOutput final : public QObject, public ToneOutput {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID DrovaneToneOutput_iid)
    Q_INTERFACES(drovane::ToneOutput)

public:
    bool open(int sampleRate) override
    {
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (output.isNull())
            return false;  // no sound card here
        QAudioFormat format;
        format.setSampleRate(sampleRate);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        if (!output.isFormatSupported(format))
            return false;
        sink_ = new QAudioSink(output, format, this);
        device_ = sink_->start();
        return device_ != nullptr;
    }

    void write(const std::int16_t* samples, std::size_t count) override
    {
        device_->write(reinterpret_cast<const char*>(samples),
                       static_cast<qint64>(count) * qint64{sizeof(std::int16_t)});
    }

private:
    QAudioSink* sink_ = nullptr;
    QIODevice* device_ = nullptr;
};

}  // namespace drovane

#include "toneoutputplugin.moc"
