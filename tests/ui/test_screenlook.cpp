// SPDX-License-Identifier: GPL-3.0-or-later
// What a player sees of each game screen: colours at the places the layout fixes, the
// drawing order at the ship's rows, crisp edges at any device pixel ratio.
//
// Run with the game's own option "--zoom N" first, it looks at a game zoomed N times.
#include "app/commandline.h"
#include "rules/gamemode.h"
#include "support/corridor.h"
#include "support/fixedrandom.h"
#include "support/testmain.h"
#include "ui/colours.h"
#include "ui/gamescreen.h"
#include "ui/pictures.h"
#include "ui/screenlabel.h"

#include <QBackingStore>
#include <QTimer>

using namespace drovane;
using namespace drovane::test;

namespace {

struct Grab {
    QImage image;
    qreal ratio;
    // The middle of logical pixel (x, y), which no ratio puts on the edge of a picture.
    QRgb at(int x, int y) const { return image.pixel(int((x + 0.5) * ratio), int((y + 0.5) * ratio)) & 0xffffff; }
};

Grab grab(GameScreen& screen)
{
    const QPixmap pixmap = screen.grab();
    return {pixmap.toImage().convertToFormat(QImage::Format_RGB32), pixmap.devicePixelRatio()};
}

QRgb rgb(Rgb colour)
{
    return toQColor(colour).rgb() & 0xffffff;
}

// A screen with its tick stopped, on a straight corridor.
struct StillScreen {
    explicit StillScreen(int mode) : screen((random.scriptRepeated(0.0f, drawsPerBuild), gameMode(mode)), state, random)
    {
        for (QTimer* timer : screen.findChildren<QTimer*>())
            timer->stop();
    }
    GameState state;
    ScriptedRandom random;
    GameScreen screen;
};

}  // namespace

class TestScreenLook : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietPlatformNoise(); }

    void modeColoursAtFixedPlaces_data() { addRowPerMode(); }
    void modeColoursAtFixedPlaces()
    {
        QFETCH(int, mode);
        const GameMode& m = gameMode(mode);
        StillScreen s(mode);
        QCOMPARE(s.screen.size(), QSize(404, 265));
        const Grab shot = grab(s.screen);
        const QImage stars = starfieldPicture(m.backdropColour);

        // The corridor shows the star field as it is, from its top-left corner.
        for (QPoint p : {QPoint(150, 0), QPoint(200, 100), QPoint(263, 200), QPoint(170, 231)})
            QCOMPARE(shot.at(p.x(), p.y()), stars.pixel(p) & 0xffffff);
        // Walls: left bars span 0..144, right bars start at 4000 twips (pixel 267).
        QCOMPARE(shot.at(0, 0), rgb(m.wallColour));
        QCOMPARE(shot.at(144, 120), rgb(m.wallColour));
        QCOMPARE(shot.at(145, 120), stars.pixel(145, 120) & 0xffffff);
        QCOMPARE(shot.at(267, 120), rgb(m.wallColour));
        QCOMPARE(shot.at(403, 8), rgb(m.wallColour));
        // The status bar and the labels standing on it.
        QCOMPARE(shot.at(5, 250), rgb(m.statusColour));
        QCOMPARE(shot.at(400, 250), rgb(m.statusColour));
        QCOMPARE(shot.at(5, 264), rgb(m.statusColour));
        QCOMPARE(shot.at(319, 263), rgb(m.statusColour));  // "Score:" past its text
        // The ship stands on its backdrop at its design place.
        const QImage ship = shipPicture(m.backdropColour);
        QCOMPARE(shot.at(192, 224), ship.pixel(0, 0) & 0xffffff);
        QCOMPARE(shot.at(197, 230), ship.pixel(5, 6) & 0xffffff);
    }

    void bottomRowsCoverTheShipButUpperRowsNeverReachIt()
    {
        StillScreen s(4);
        Playfield& field = s.screen.core().playfield();
        const QRgb wall = rgb(gameMode(4).wallColour);
        // Bars of row 27 and row 28 pushed right over the ship's column.
        // A left bar whose right end lies under the middle of the ship.
        constexpr float overShip = geometry::shipDesignLeft + float(geometry::shipWidth) / 2 - geometry::barWidth;
        field.barLeft[27] = overShip;
        field.barLeft[28] = overShip;
        field.stone = {2880, 3360, true};
        Grab shot = grab(s.screen);
        QCOMPARE(shot.at(192, 224), wall);  // row 28 is drawn over the ship
        QCOMPARE(shot.at(192, 215), wall);  // row 27 ends above it
        // The stone covers the ship where it overlaps it, under the bars of rows 28 to 30.
        field.barLeft[28] = 0;
        shot = grab(s.screen);
        QCOMPARE(shot.at(200, 228), rgb(*gameMode(4).stoneFillColour));
        // Prizes are drawn over everything, the bars included.
        field.barLeft[29] = overShip;
        field.bonus = {2880, 3360, true};
        field.pellet = {3000, 3360, true};
        shot = grab(s.screen);
        QCOMPARE(shot.at(204, 228), rgb(*gameMode(4).pelletColour));
        QVERIFY(shot.at(196, 228) != wall);
    }

    void edgesStaySharp()
    {
        // Every pixel across a wall edge is either the wall or the star field: no blending,
        // whatever the device pixel ratio the test runs at.
        StillScreen s(2);
        const Grab shot = grab(s.screen);
        const QImage stars = starfieldPicture(gameMode(2).backdropColour);
        const QRgb wall = rgb(gameMode(2).wallColour);
        for (int y = 0; y < 230; y += 7) {
            for (int x = int(140 * shot.ratio); x < int(150 * shot.ratio); ++x) {
                const QRgb pixel = shot.image.pixel(x, int((y + 0.5) * shot.ratio)) & 0xffffff;
                QVERIFY(pixel == wall || pixel == (stars.pixel(int((x + 0.5) / shot.ratio), y) & 0xffffff));
            }
        }
        // Neighbouring rows overlap: no gap shows between them.
        for (int y = 0; y < int(232 * shot.ratio); ++y)
            QCOMPARE(shot.image.pixel(0, y) & 0xffffff, wall);
    }

    void picturesBecomeBlocksAndTextStaysFine()
    {
        StillScreen s(4);
        const Grab shot = grab(s.screen);
        const int ratio = qRound(shot.ratio);
        if (shot.ratio != qreal(ratio))
            QSKIP("pictures become whole blocks only at a whole ratio");
        if (zoomUnderTest)
            QCOMPARE(ratio, zoomUnderTest);
        // Each pixel of the ship and of the star field is a ratio x ratio block of its own colour.
        const auto picturesAreBlocks = [&](const QImage& picture, QRect region, QPoint placedAt) {
            for (int y = region.top(); y <= region.bottom(); ++y)
                for (int x = region.left(); x <= region.right(); ++x)
                    for (int dy = 0; dy < ratio; ++dy)
                        for (int dx = 0; dx < ratio; ++dx)
                            if ((shot.image.pixel((placedAt.x() + x) * ratio + dx, (placedAt.y() + y) * ratio + dy)
                                 & 0xffffff)
                                != (picture.pixel(x, y) & 0xffffff))
                                return false;
            return true;
        };
        const GameMode& m = gameMode(4);
        QVERIFY(picturesAreBlocks(shipPicture(m.backdropColour), QRect(0, 0, 10, 15), QPoint(192, 224)));
        QVERIFY(picturesAreBlocks(starfieldPicture(m.backdropColour), QRect(150, 0, 110, 200), QPoint(0, 0)));
        if (ratio == 1)
            return;
        // Text is laid out at the real resolution: its edges fall inside the blocks.
        bool textFinerThanBlocks = false;
        for (int y = 248 * ratio; y < 265 * ratio && !textFinerThanBlocks; y += ratio)
            for (int x = 88 * ratio; x < 145 * ratio && !textFinerThanBlocks; x += ratio)
                textFinerThanBlocks = shot.image.pixel(x, y) != shot.image.pixel(x + ratio - 1, y + ratio - 1);
        QVERIFY(textFinerThanBlocks);
    }

    void redrawsOfWhatChangedShowTheWholePicture_data() { addRowPerMode(); }
    void redrawsOfWhatChangedShowTheWholePicture()
    {
        // The window redraws only what changed since its last redraw. After every tick,
        // launch and key, what it shows must be the picture drawn whole.
        QFETCH(int, mode);
        GameState state;
        FixedRandom random;
        GameScreen screen(gameMode(mode), state, random);
        for (QTimer* timer : screen.findChildren<QTimer*>())
            timer->stop();
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        // The backing store may hand out a new image on every redraw: asked afresh each time.
        const auto shown = [&] { return dynamic_cast<QImage*>(screen.backingStore()->paintDevice()); };
        if (!shown())
            QSKIP("this platform's backing store is no image");
        const auto whole = [&] { return screen.grab().toImage().convertToFormat(QImage::Format_RGB32); };
        const auto onScreen = [&] { return shown()->convertToFormat(QImage::Format_RGB32); };
        QTRY_COMPARE(onScreen(), whole());

        // Each event is drawn and checked before the next, so no redraw covers another's.
        const auto fire = [&](GameTimer which) {
            if (QTimer* timer = screen.timer(which)) {
                QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
                QTRY_COMPARE(onScreen(), whole());
            }
        };
        const auto press = [&](Qt::Key key) {
            QTest::keyClick(&screen, key);
            QTRY_COMPARE(onScreen(), whole());
        };
        // The score, drawn from glyphs shaped once, reads as drawText lays it out.
        const ScreenLabel* score = screen.label(QStringLiteral("score"));
        const qreal ratio = screen.devicePixelRatioF();
        const QRect scoreRect(score->look().rect.topLeft() * ratio, score->look().rect.size() * ratio);
        const auto scoreLaidOut = [&] {
            return score->rendered(ratio).toImage().convertToFormat(QImage::Format_RGB32);
        };
        Playfield& field = screen.core().playfield();
        for (int tick = 0; tick < 160; ++tick) {
            // Along the left wall, clear of the stones, which fall in the corridor's right part.
            field.shipLeft = field.barLeft[geometry::collisionRow] + geometry::barWidth + 30;
            fire(GameTimer::Tick);
            QCOMPARE(onScreen().copy(scoreRect), scoreLaidOut());
            if (tick % 40 == 5)
                fire(GameTimer::Stone);
            if (tick % 40 == 12)
                fire(GameTimer::Bonus);
            if (tick % 20 == 3)
                fire(GameTimer::Pellet);
            if (tick % 7 == 2)
                press(tick % 14 == 2 ? Qt::Key_Left : Qt::Key_Right);
            if (tick == 100) {
                press(Qt::Key_P);
                press(Qt::Key_P);  // resuming starts the timers again
                for (QTimer* timer : screen.findChildren<QTimer*>())
                    timer->stop();
            }
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(screen.core().runState(), RunState::Running);
        QVERIFY(field.scoreCaption.toInt() > 100);
    }

public:
    static inline int zoomUnderTest = 0;
};

int main(int argc, char** argv)
{
    if (argc > 2 && qstrcmp(argv[1], "--zoom") == 0) {
        const CommandLine commandLine = readCommandLine(
            {QStringLiteral("drovane"), QStringLiteral("--zoom"), QString::fromLocal8Bit(argv[2])}, {});
        if (commandLine.exitStatus)
            qFatal("bad zoom");
        TestScreenLook::zoomUnderTest = commandLine.options.zoom;
        applyZoom(commandLine.options.zoom);
        argv[2] = argv[0];
        argc -= 2;
        argv += 2;
    }
    QTemporaryDir home;
    isolateHome(home.path());
    QApplication app(argc, argv);
    prepareEnvironment();
    TestScreenLook tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}
#include "test_screenlook.moc"
