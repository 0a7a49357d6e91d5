// Records the intervals between the real game screen's ticks and prints mean, median,
// p99 and max in milliseconds. Run it under a display or with QT_QPA_PLATFORM=offscreen.
#include "app/gamemode.h"
#include "game/gamescreen.h"
#include "game/randomsource.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

using namespace drovane;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    constexpr std::size_t ticks = 400;

    GameState state;
    ClockSeededRandom random;
    // On the heap: quitting closes the window, which then deletes itself.
    auto* screen = new GameScreen(gameMode(1), state, random);
    screen->show();

    QElapsedTimer clock;
    std::vector<qint64> stamps;
    stamps.reserve(ticks + 1);
    QObject::connect(screen->timer(GameTimer::Tick), &QTimer::timeout, &app, [&] {
        stamps.push_back(clock.nsecsElapsed());
        // Keep the ship in the middle of its row so the run goes on.
        Playfield& field = screen->core().playfield();
        field.shipLeft = (field.barLeft[29] + 2175 + field.barLeft[59]) / 2 - 75;
        if (stamps.size() > ticks)
            app.quit();
    });
    const auto cpuSeconds = [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
               + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    };
    const double cpuBefore = cpuSeconds();
    clock.start();
    app.exec();
    const double cpuUsed = cpuSeconds() - cpuBefore;
    const double wallUsed = double(clock.nsecsElapsed()) / 1e9;

    std::vector<double> intervals;
    for (std::size_t i = 1; i < stamps.size(); ++i)
        intervals.push_back(double(stamps[i] - stamps[i - 1]) / 1e6);
    std::sort(intervals.begin(), intervals.end());
    const double mean = std::accumulate(intervals.begin(), intervals.end(), 0.0) / double(intervals.size());
    std::printf("tick cadence over %zu intervals: mean %.3f ms  median %.3f ms  p99 %.3f ms  max %.3f ms  "
                "min %.3f ms\n",
                intervals.size(), mean, intervals[intervals.size() / 2], intervals[intervals.size() * 99 / 100],
                intervals.back(), intervals.front());
    std::printf("CPU while ticking and drawing: %.2f%% of one core over %.1f s\n", 100 * cpuUsed / wallUsed,
                wallUsed);
    return 0;
}
