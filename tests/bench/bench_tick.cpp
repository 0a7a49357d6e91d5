// SPDX-License-Identifier: GPL-3.0-or-later
// How long one game tick of the rules takes, with the real clock-seeded generator.
// Prints the median and other figures in microseconds; not a test.
#include "rules/gamecore.h"
#include "rules/gamemode.h"
#include "rules/randomsource.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace drovane;

namespace {

class SilentHost final : public GameHost {
public:
    void closeMenuAndBoards() override {}
    void setTimerEnabled(GameTimer, bool) override {}
    void showMessage(const QString&) override {}
    void beep() override {}
};

}  // namespace

int main()
{
    constexpr int runs = 20000;
    std::vector<double> micros;
    micros.reserve(runs);
    for (int modeIndex : {1, 5}) {
        micros.clear();
        GameState state;
        SilentHost host;
        ClockSeededRandom random;
        GameCore core(gameMode(modeIndex), state, host, random);
        core.load();
        for (int i = 0; i < runs; ++i) {
            if (i % 1000 == 0) {
                core.lose();  // and replay at once, to keep the corridor open
                core.clickPause();
                core.launchStone();
                core.launchBonus();
                core.launchPellet();
            }
            const auto start = std::chrono::steady_clock::now();
            core.tick();
            const auto end = std::chrono::steady_clock::now();
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
        std::sort(micros.begin(), micros.end());
        double sum = 0;
        for (double m : micros)
            sum += m;
        std::printf("tick of %-7s median %.3f us  mean %.3f us  p99 %.3f us  (%d ticks)\n",
                    gameMode(modeIndex).gameScreen.data(), micros[micros.size() / 2], sum / runs,
                    micros[micros.size() * 99 / 100], runs);
    }
    return 0;
}
