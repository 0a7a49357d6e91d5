// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace drovane {

class ToneOutput;

namespace tone {
inline constexpr int sampleRate = 44100;
inline constexpr double frequency = 4400;
inline constexpr double durationMs = 15;
inline constexpr double fadeMs = 2;  // soft edges so the tone does not click
inline constexpr double amplitude = 0.6;
}  // namespace tone

// The pickup tone as 16-bit mono samples: a sine with short raised-cosine fades.
std::vector<std::int16_t> pickupToneSamples(int sampleRate = tone::sampleRate);

// The output plugin, looked for among Qt's library paths (the program's own folder is
// one) and then in its installed folder beside the program's; null when it is missing.
ToneOutput* loadToneOutput();

// Plays the pickup tone without waiting for it. Without an audio output (or without the
// plugin that reaches it) the tone is skipped silently.
class PickupTone {
public:
    static PickupTone& instance();
    // Loads the output plugin and opens the sound card, once; a game screen does it as it
    // loads, so that the first pickup plays at once.
    void open();
    void play();
    bool available();
    // How many tones were asked for, heard or not.
    int requests() const { return requests_; }

private:
    PickupTone() = default;

    bool opened_ = false;
    int requests_ = 0;
    ToneOutput* output_ = nullptr;
    std::vector<std::int16_t> samples_;
};

}  // namespace drovane
