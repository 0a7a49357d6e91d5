// SPDX-License-Identifier: GPL-3.0-or-later
// Records the intervals between the real game screen's ticks and prints mean, median,
// p99 and max in milliseconds. Run it under a display or with QT_QPA_PLATFORM=offscreen.
#include "rules/gamemode.h"
#include "rules/randomsource.h"
#include "support/corridor.h"
#include "ui/gamescreen.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

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
        field.shipLeft = test::centredShipLeft(field);
        if (stamps.size() > ticks)
            app.quit();
    });
    // The scheduler's own count of time on a processor, in nanoseconds, for every
    // thread: finer than getrusage, whose tick sampling overstates short timed wake-ups.
    const auto cpuSeconds = [] {
        double total = 0;
        const QDir threads(QStringLiteral("/proc/self/task"));
        for (const QString& thread : threads.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile stat(threads.filePath(thread + QStringLiteral("/schedstat")));
            if (stat.open(QIODevice::ReadOnly))
                total += stat.readAll().split(' ').value(0).toDouble() / 1e9;
        }
        return total;
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
    std::printf("CPU while ticking and drawing: %.2f%% of one core over %.1f s\n", 100 * cpuUsed / wallUsed, wallUsed);
    return 0;
}
