// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps a real game alive while measure_program.sh measures it: it reads the game
// window's pixels through the display server, finds the walls, the ship and a falling
// stone, and presses Left and Right with xdotool as a player would (sent to that
// window, whichever has the focus). It never touches the game's process, so the
// game's own CPU count stays its own.
//   pilot WINDOW_ID MODE_INDEX SECONDS
// At the end it prints how many of its looks saw a new frame and how many keys it sent;
// a lost run shows no new frame after its loss.
#include "rules/gamemode.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

using namespace drovane;

namespace {

// The game screen's geometry in pixels (rows of 8 pixels, bars 9 high and 145 wide).
constexpr int rowPitch = 8;
constexpr int shipTop = 224;
constexpr int shipSampleY = shipTop + 11;  // a ship row nine pixels wide, from its left
constexpr int collisionRow = 29;
constexpr int lookahead = 8;  // rows above the ship's that reach it in the next ticks

QRgb toRgb(Rgb colour)
{
    return qRgb(colour.r, colour.g, colour.b);
}

struct Walls {
    int leftEnd;     // first pixel after the left bar
    int rightStart;  // first pixel of the right bar
};

std::optional<Walls> wallsAt(const QImage& image, int y, QRgb wall)
{
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    const int width = image.width();
    int x = 0;
    while (x < width && (line[x] & 0xffffff) != (wall & 0xffffff))
        ++x;
    while (x < width && (line[x] & 0xffffff) == (wall & 0xffffff))
        ++x;
    int right = width - 1;
    while (right >= x && (line[right] & 0xffffff) != (wall & 0xffffff))
        --right;
    while (right >= x && (line[right] & 0xffffff) == (wall & 0xffffff))
        --right;
    if (x >= width || right < x)
        return std::nullopt;
    return Walls{x, right + 1};
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fputs("usage: pilot WINDOW_ID MODE_INDEX SECONDS\n", stderr);
        return 2;
    }
    QGuiApplication app(argc, argv);
    const WId window = std::strtoul(argv[1], nullptr, 0);
    const GameMode& mode = gameMode(std::atoi(argv[2]));
    const double seconds = std::atof(argv[3]);
    const QRgb wall = toRgb(mode.wallColour) & 0xffffff;
    const QRgb backdrop = toRgb(mode.backdropColour) & 0xffffff;
    const bool hasStone = mode.stoneFillColour.has_value();
    const QRgb stone = hasStone ? toRgb(*mode.stoneFillColour) & 0xffffff : 0;
    QScreen* screen = QGuiApplication::primaryScreen();

    int looks = 0, newFrames = 0, keys = 0;
    qint64 lastNewFrame = 0;
    QImage previous;
    QElapsedTimer clock;
    clock.start();
    while (double(clock.elapsed()) < seconds * 1000) {
        const QImage image = screen->grabWindow(window, 0, 0, 404, 241).toImage().convertToFormat(QImage::Format_RGB32);
        ++looks;
        if (image.isNull() || image.height() < 241)
            break;  // the window is gone
        if (image != previous) {
            ++newFrames;
            lastNewFrame = clock.elapsed();
        }
        previous = image;

        // The corridor the ship must stay in over the next few ticks.
        int maxLeft = 0, minRight = image.width();
        bool seen = true;
        for (int row = collisionRow - lookahead; row <= collisionRow; ++row) {
            const auto walls = wallsAt(image, (row - 1) * rowPitch + 4, wall);
            if (!walls) {
                seen = false;
                break;
            }
            maxLeft = std::max(maxLeft, walls->leftEnd);
            minRight = std::min(minRight, walls->rightStart);
        }
        // The ship: the first pixel in the corridor that is neither sky, star nor wall.
        int ship = -1;
        if (seen) {
            const auto walls = wallsAt(image, shipSampleY, wall);
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(shipSampleY));
            for (int x = walls ? walls->leftEnd : 0; x < (walls ? walls->rightStart : image.width()); ++x) {
                const QRgb pixel = line[x] & 0xffffff;
                if (pixel != backdrop && pixel != 0xffffff && pixel != wall) {
                    ship = x;
                    break;
                }
            }
        }
        if (ship >= 0) {
            // Move only when it must, with as few keys as it takes: away from a wall that
            // closes in, and out of a falling stone's way.
            const int low = maxLeft + 2, high = minRight - 11;  // where the ship's left pixel is safe
            int target = ship;
            if (ship < low + 1)
                target = low + 6;
            else if (ship > high - 1)
                target = high - 6;
            if (hasStone) {
                int stoneLeft = image.width();
                for (int y = 0; y < shipTop; y += 2) {
                    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
                    for (int x = 0; x < image.width(); ++x) {
                        if ((line[x] & 0xffffff) == stone) {
                            stoneLeft = std::min(stoneLeft, x - 2);
                            break;
                        }
                    }
                }
                // The stone hits over 24 pixels from its left, the ship over its pixels 1 to 8.
                if (target + 12 > stoneLeft && target < stoneLeft + 28) {
                    const int before = stoneLeft - 14, after = stoneLeft + 30;
                    if (before >= low + 1 && (after > high - 1 || target - before < after - target))
                        target = before;
                    else
                        target = after;
                }
            }
            if (low > high)
                target = (low + high) / 2;
            const int steps = ((target - ship) * 15 + (target > ship ? 25 : -25)) / 50;  // 50 twips a key
            if (steps != 0) {
                QStringList arguments{QStringLiteral("key"), QStringLiteral("--window"), QString::number(window),
                                      QStringLiteral("--delay"), QStringLiteral("0")};
                for (int i = 0; i < std::abs(steps); ++i)
                    arguments << (steps < 0 ? QStringLiteral("Left") : QStringLiteral("Right"));
                QProcess::execute(QStringLiteral("xdotool"), arguments);
                keys += std::abs(steps);
            }
        }
        QThread::msleep(20);
    }
    std::printf("pilot: %d looks, %d new frames, the last after %.2f s, %d keys\n", looks, newFrames,
                double(lastNewFrame) / 1000, keys);
    return 0;
}
