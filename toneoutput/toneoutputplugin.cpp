// SPDX-License-Identifier: GPL-3.0-or-later
// The pickup tone's way to the sound card, built as the plugin drovane_tone_output.
#include "toneoutput/toneoutput.h"

#include <QObject>

#include <pulse/context.h>
#include <pulse/scache.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

namespace drovane {
namespace {

constexpr const char* sampleName = "drovane-pickup";

}  // namespace

// The tone is uploaded once into the server's sample cache and played from there on each
// pickup, as desktops play their event sounds. No stream stays open between tones: nothing
// of the game's runs for the sound between pickups, and the server lets the sound card
// sleep. The client library's thread waits on the server's socket and wakes only for a
// reply. A tone played from the cache reaches the sink as soon as the server reads the
// request, even from a sink that was suspended.
class PulseToneOutput final : public QObject, public ToneOutput {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID DrovaneToneOutput_iid)
    Q_INTERFACES(drovane::ToneOutput)

public:
    ~PulseToneOutput() override { close(); }

    bool open(const std::int16_t* samples, std::size_t count, int sampleRate) override
    {
        loop_ = pa_threaded_mainloop_new();
        if (!loop_)
            return false;
        context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Drovane");
        if (!context_ || pa_threaded_mainloop_start(loop_) < 0) {
            close();
            return false;
        }
        pa_threaded_mainloop_lock(loop_);
        const bool ready = connect() && upload(samples, count, sampleRate);
        pa_threaded_mainloop_unlock(loop_);
        if (!ready)
            close();
        return ready;
    }

    void play() override
    {
        pa_threaded_mainloop_lock(loop_);
        if (pa_context_get_state(context_) == PA_CONTEXT_READY) {
            if (pa_operation* playing = pa_context_play_sample(context_, sampleName, nullptr, PA_VOLUME_NORM, nullptr,
                                                               nullptr))
                pa_operation_unref(playing);
        }
        pa_threaded_mainloop_unlock(loop_);
    }

private:
    static void signal(void* loop) { pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0); }

    // With the loop locked: waits until the server accepts the connection or refuses it.
    bool connect()
    {
        pa_context_set_state_callback(
            context_, [](pa_context*, void* loop) { signal(loop); }, loop_);
        if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            return false;
        for (;;) {
            const pa_context_state_t state = pa_context_get_state(context_);
            if (state == PA_CONTEXT_READY)
                return true;
            if (!PA_CONTEXT_IS_GOOD(state))
                return false;
            pa_threaded_mainloop_wait(loop_);
        }
    }

    // With the loop locked: writes the tone into the cache. Every game uploads the same
    // tone under the same name, so the cache holds one whatever the number of games.
    bool upload(const std::int16_t* samples, std::size_t count, int sampleRate)
    {
        const pa_sample_spec format{PA_SAMPLE_S16LE, static_cast<std::uint32_t>(sampleRate), 1};
        const std::size_t bytes = count * sizeof(std::int16_t);
        pa_stream* stream = pa_stream_new(context_, sampleName, &format, nullptr);
        if (!stream)
            return false;
        pa_stream_set_state_callback(
            stream, [](pa_stream*, void* loop) { signal(loop); }, loop_);
        bool done = pa_stream_connect_upload(stream, bytes) == 0;
        while (done && pa_stream_get_state(stream) == PA_STREAM_CREATING)
            pa_threaded_mainloop_wait(loop_);
        done = done && pa_stream_get_state(stream) == PA_STREAM_READY
               && pa_stream_write(stream, samples, bytes, nullptr, 0, PA_SEEK_RELATIVE) == 0
               && pa_stream_finish_upload(stream) == 0;
        // The stream ends once the server holds the whole sample.
        while (done && pa_stream_get_state(stream) == PA_STREAM_READY)
            pa_threaded_mainloop_wait(loop_);
        done = done && pa_stream_get_state(stream) == PA_STREAM_TERMINATED;
        pa_stream_set_state_callback(stream, nullptr, nullptr);
        pa_stream_unref(stream);
        return done;
    }

    void close()
    {
        if (loop_)
            pa_threaded_mainloop_stop(loop_);
        if (context_) {
            pa_context_set_state_callback(context_, nullptr, nullptr);
            pa_context_disconnect(context_);
            pa_context_unref(context_);
            context_ = nullptr;
        }
        if (loop_)
            pa_threaded_mainloop_free(loop_);
        loop_ = nullptr;
    }

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
};

}  // namespace drovane

#include "toneoutputplugin.moc"
