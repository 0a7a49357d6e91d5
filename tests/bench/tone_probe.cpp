// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the pickup tone through the game's own output at known moments, as pickups do in a
// run: the output is opened first (as a game screen does when it loads), then, after FIRST
// milliseconds (no pickup comes sooner than 1.5 s after a screen loads), one tone every
// INTERVAL milliseconds. Prints the steady clock of every tone, in seconds, one per line,
// so that measure_tone.sh can set each one against the recording.
#include "ui/pickuptone.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

double now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int count = arguments.size() > 1 ? arguments.at(1).toInt() : 10;
    const int interval = arguments.size() > 2 ? arguments.at(2).toInt() : 1000;
    const int first = arguments.size() > 3 ? arguments.at(3).toInt() : 1500;

    drovane::PickupTone& tone = drovane::PickupTone::instance();
    tone.open();
    std::printf("available %d\n", tone.available() ? 1 : 0);
    std::fflush(stdout);

    int played = 0;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(interval);
    QObject::connect(&timer, &QTimer::timeout, &app, [&] {
        if (played == count) {
            // Let the last tone reach the sound card before the output closes.
            timer.stop();
            QTimer::singleShot(1000, &app, &QCoreApplication::quit);
            return;
        }
        const double at = now();
        tone.play();
        ++played;
        std::printf("tone %.6f\n", at);
        std::fflush(stdout);
    });
    QTimer::singleShot(std::max(0, first - interval), &timer, qOverload<>(&QTimer::start));
    return app.exec();
}
