// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtPlugin>

#include <cstddef>
#include <cstdint>

namespace drovane {

// Where the pickup tone is played: the sound card, through Qt Multimedia. It is a plugin
// of its own (drovane_tone_output) so that Qt Multimedia and the two dozen libraries under
// it load when a game screen opens, not while the menu starts.
class ToneOutput {
public:
    virtual ~ToneOutput() = default;
    // Opens the default output for 16-bit mono at this rate; false when there is none.
    virtual bool open(int sampleRate) = 0;
    // Queues the samples and returns at once.
    virtual void write(const std::int16_t* samples, std::size_t count) = 0;
};

}  // namespace drovane

#define DrovaneToneOutput_iid "org.example.drovane.ToneOutput/1"
Q_DECLARE_INTERFACE(drovane::ToneOutput, DrovaneToneOutput_iid)
