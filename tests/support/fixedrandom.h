// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/randomsource.h"

#include <random>

namespace drovane::test {

// Always the same winding corridor: a fixed sequence that reseeding does not restart, so
// pictures and measurements change only when the game does.
class FixedRandom final : public RandomSource {
public:
    void reseed() override {}
    float draw() override { return float(engine_() >> 8) * 0x1.0p-24f; }

private:
    std::mt19937 engine_{20261209};
};

}  // namespace drovane::test
