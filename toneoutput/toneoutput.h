// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtPlugin>

#include <cstddef>
#include <cstdint>

namespace drovane {

// Where the pickup tone is played: the sound server's sample cache. It is a plugin of its
// own (drovane_tone_output) so that the sound server's client library loads when a game
// screen with prizes opens, not while the menu starts.
class ToneOutput {
public:
    virtual ~ToneOutput() = default;
    // Connects to the sound server and hands it the tone (16-bit mono at this rate) once;
    // false when there is no server to reach.
    virtual bool open(const std::int16_t* samples, std::size_t count, int sampleRate) = 0;
    // Asks the server to play the tone and returns at once.
    virtual void play() = 0;
};

}  // namespace drovane

#define DrovaneToneOutput_iid "org.example.drovane.ToneOutput/2"
Q_DECLARE_INTERFACE(drovane::ToneOutput, DrovaneToneOutput_iid)
