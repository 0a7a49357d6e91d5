// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/toneuse.h"

#include <cstdint>
#include <functional>
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

// Plays the pickup tone without waiting for it. Without a sound server (or without the
// plugin that reaches it) the game says so once and the tone is skipped.
class PickupTone {
public:
    static PickupTone& instance();
    explicit PickupTone(std::function<ToneOutput*()> loadOutput);

    // A game screen tells where things stand after every event; the output opens the first
    // time a tone may come (Ready), so that the first pickup sounds at once, and never in a
    // game without prizes.
    void follow(const ToneSituation& situation);
    // Loads the output plugin and hands the tone to the sound server, once.
    void open();
    void play();
    bool available();
    // How many tones were asked for, heard or not.
    int requests() const { return requests_; }

private:
    std::function<ToneOutput*()> loadOutput_;
    bool opened_ = false;
    int requests_ = 0;
    ToneOutput* output_ = nullptr;
};

}  // namespace drovane
