// SPDX-License-Identifier: GPL-3.0-or-later
// Records a PulseAudio source as raw 16-bit mono at 44.1 kHz to standard output, in
// fragments of 2 ms, without keeping its sink awake: parec holds a sink up for as long as
// it records its monitor, so it cannot show a tone that wakes a suspended sink.
//   monitor_recorder SOURCE
#include <cstdint>
#include <cstdio>
#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/stream.h>

namespace {

void readFragments(pa_stream* stream, std::size_t, void*)
{
    const void* data = nullptr;
    std::size_t size = 0;
    while (pa_stream_readable_size(stream) > 0 && pa_stream_peek(stream, &data, &size) == 0 && size > 0) {
        if (data)  // null for a hole in the recording
            std::fwrite(data, 1, size, stdout);
        pa_stream_drop(stream);
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: monitor_recorder SOURCE\n", stderr);
        return 2;
    }
    static const char* source = argv[1];
    pa_mainloop* loop = pa_mainloop_new();
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "monitor_recorder");
    pa_context_set_state_callback(
        context,
        [](pa_context* c, void* l) {
            const pa_context_state_t state = pa_context_get_state(c);
            if (!PA_CONTEXT_IS_GOOD(state))
                pa_mainloop_quit(static_cast<pa_mainloop*>(l), 1);
            if (state != PA_CONTEXT_READY)
                return;
            const pa_sample_spec format{PA_SAMPLE_S16LE, 44100, 1};
            pa_stream* stream = pa_stream_new(c, "monitor_recorder", &format, nullptr);
            pa_stream_set_read_callback(stream, readFragments, nullptr);
            const pa_buffer_attr buffer{static_cast<std::uint32_t>(-1), 0, 0, 0,
                                        static_cast<std::uint32_t>(pa_usec_to_bytes(2000, &format))};
            pa_stream_connect_record(
                stream, source, &buffer,
                static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY | PA_STREAM_DONT_INHIBIT_AUTO_SUSPEND));
        },
        loop);
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        return 1;
    int status = 0;
    pa_mainloop_run(loop, &status);
    return status;
}
