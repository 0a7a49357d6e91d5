// SPDX-License-Identifier: GPL-3.0-or-later
// The pickup tone's way to the sound card, built as the plugin drovane_tone_output.
#include "toneoutput/toneoutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace drovane {

// The stream is kept playing, fed with silence, from the moment it opens: a PulseAudio stream
// that runs dry and idles for a while may hold back what is written next until more comes
// (up to seconds, until the next tone), and a new stream's first sound comes late. A short
// buffer keeps a tone at most that long behind the silence queued before it.
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
        // Left to itself the server picks a buffer of seconds.
        sink_->setBufferSize(format.bytesForDuration(bufferMicroseconds));
        device_ = sink_->start();
        if (!device_)
            return false;
        silence_.assign(static_cast<std::size_t>(sink_->bufferSize()), 0);
        topUp();
        auto* feeder = new QTimer(this);
        feeder->setInterval(feedIntervalMs);
        connect(feeder, &QTimer::timeout, this, &MultimediaToneOutput::topUp);
        feeder->start();
        return true;
    }

    void write(const std::int16_t* samples, std::size_t count) override
    {
        device_->write(reinterpret_cast<const char*>(samples),
                       static_cast<qint64>(count) * qint64{sizeof(std::int16_t)});
    }

private:
    static constexpr qint64 bufferMicroseconds = 30'000;
    static constexpr int feedIntervalMs = 10;

    // Fills what the stream has room for with silence, so it never runs dry.
    void topUp()
    {
        const qint64 room = std::min<qint64>(sink_->bytesFree(), static_cast<qint64>(silence_.size())) & ~qint64{1};
        if (room > 0)
            device_->write(silence_.data(), room);
    }

    QAudioSink* sink_ = nullptr;
    QIODevice* device_ = nullptr;
    std::vector<char> silence_;
};

}  // namespace drovane

#include "toneoutputplugin.moc"
