#pragma once

#include <cstdint>
#include <vector>

class QAudioSink;
class QIODevice;

namespace drovane {

namespace tone {
inline constexpr int sampleRate = 44100;
inline constexpr double frequency = 4400;
inline constexpr double durationMs = 15;
inline constexpr double fadeMs = 2;  // soft edges so the tone does not click
inline constexpr double amplitude = 0.6;
}  // namespace tone

// The pickup tone as 16-bit mono samples: a sine with short raised-cosine fades.
std::vector<std::int16_t> pickupToneSamples(int sampleRate = tone::sampleRate);

// Plays the pickup tone without waiting for it. Without an audio output the tone is
// skipped silently; the sink is made once, on the first tone.
class PickupTone {
public:
    static PickupTone& instance();
    void play();
    bool available();
    // How many tones were asked for, heard or not.
    int requests() const { return requests_; }

private:
    PickupTone() = default;
    void open();

    bool opened_ = false;
    int requests_ = 0;
    QAudioSink* sink_ = nullptr;
    QIODevice* device_ = nullptr;
    std::vector<std::int16_t> samples_;
};

}  // namespace drovane
