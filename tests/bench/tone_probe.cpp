// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the pickup tone through the game's own output at known moments, as pickups do in a
// run: the output is opened first (as a game screen does when its run starts), then each
// tone comes the given number of milliseconds after the one before (the first after the
// opening). Prints the steady clock of every tone, in seconds, one per line, so that
// measure_tone.sh can set each one against the recording.
//   tone_probe GAP_MS...      for example: tone_probe 1500 1000 1000 10000
#include "ui/pickuptone.h"

#include <QCoreApplication>
#include <QTimer>

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
    QStringList gaps = QCoreApplication::arguments().mid(1);
    if (gaps.isEmpty())
        gaps = {QStringLiteral("1500"), QStringLiteral("1000")};

    drovane::PickupTone& tone = drovane::PickupTone::instance();
    const double opening = now();
    tone.open();
    std::printf("available %d, opened in %.1f ms\n", tone.available() ? 1 : 0, (now() - opening) * 1000);
    std::fflush(stdout);

    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    qsizetype played = 0;
    QObject::connect(&timer, &QTimer::timeout, &app, [&] {
        const double at = now();
        tone.play();
        ++played;
        std::printf("tone %.6f\n", at);
        std::fflush(stdout);
        if (played == gaps.size())
            QTimer::singleShot(1000, &app, &QCoreApplication::quit);  // let the last tone be heard
        else
            timer.start(gaps.at(played).toInt());
    });
    timer.start(gaps.at(0).toInt());
    return app.exec();
}
