// SPDX-License-Identifier: GPL-3.0-or-later
// How long painting one game-screen frame takes (60 bars, the ship, the stone, the bonus
// and the pellet, and a new score as on every tick), at device pixel ratio 1 and 2.
// Prints medians in milliseconds.
#include "rules/gamemode.h"
#include "rules/randomsource.h"
#include "ui/gamescreen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace drovane;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    GameState state;
    ClockSeededRandom random;
    GameScreen screen(gameMode(4), state, random);
    screen.timer(GameTimer::Tick)->stop();
    Playfield& field = screen.core().playfield();
    field.stone = {2500, 3000, true};
    field.bonus = {2700, 1200, true};
    field.pellet = {3100, 2400, true};

    for (int ratio : {1, 2}) {
        QImage frame(screen.size() * ratio, QImage::Format_RGB32);
        frame.setDevicePixelRatio(ratio);
        std::vector<double> millis;
        for (int i = 0; i < 1000; ++i) {
            field.scoreCaption = QString::number(1000 + i);
            QElapsedTimer clock;
            clock.start();
            QPainter painter(&frame);
            screen.render(&painter);
            painter.end();
            millis.push_back(double(clock.nsecsElapsed()) / 1e6);
        }
        std::sort(millis.begin(), millis.end());
        std::printf("paint one frame at ratio %d: median %.3f ms  p99 %.3f ms\n", ratio, millis[millis.size() / 2],
                    millis[millis.size() * 99 / 100]);
    }
    return 0;
}
