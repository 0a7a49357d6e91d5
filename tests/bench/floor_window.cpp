// SPDX-License-Identifier: GPL-3.0-or-later
// The floor the game's costs are measured against: what Qt, a timer, the backing store
// and the display connection cost with no game in them. measure_program.sh runs it
// beside the game.
//   floor_window play    a bare 404 x 265 window that fills itself with two rectangles
//                        on every tick of a 25 ms precise timer (the floor for playing)
//   floor_window start   a bare window of the menu's size, shown at once (the floor
//                        for start-up)
// Both windows are titled "floor" and run until they are closed or killed.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>

namespace {

class PlayFloor final : public QWidget {
public:
    PlayFloor()
    {
        setWindowTitle(QStringLiteral("floor"));
        setFixedSize(404, 265);                 // the game screen's client area
        setAttribute(Qt::WA_OpaquePaintEvent);  // as the game screen: it paints every pixel
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(25);
        connect(&timer_, &QTimer::timeout, this, [this] {
            ++ticks_;
            update();
        });
        timer_.start();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        // The playfield and the status bar; the split moves so every frame differs.
        QPainter painter(this);
        const int split = 200 + ticks_ % 40;
        painter.fillRect(0, 0, width(), split, QColor(128, 0, 0));
        painter.fillRect(0, split, width(), height() - split, QColor(0, 0, 128));
    }

private:
    QTimer timer_;
    int ticks_ = 0;
};

}  // namespace

int main(int argc, char* argv[])
{
    const bool play = argc > 1 && std::strcmp(argv[1], "play") == 0;
    const bool start = argc > 1 && std::strcmp(argv[1], "start") == 0;
    if (!play && !start) {
        std::fputs("usage: floor_window play|start\n", stderr);
        return 2;
    }
    QApplication app(argc, argv);
    if (play) {
        PlayFloor window;
        window.show();
        return app.exec();
    }
    QWidget window;
    window.setWindowTitle(QStringLiteral("floor"));
    window.setFixedSize(377, 308);  // the menu's client area
    window.show();
    return app.exec();
}
