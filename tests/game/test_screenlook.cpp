// What a player sees of each game screen: colours at the places the layout fixes, the
// drawing order at the ship's rows, crisp edges at any device pixel ratio.
//
// Run with the game's own option "--zoom N" first, it looks at a game zoomed N times.
#include "app/colours.h"
#include "app/commandline.h"
#include "game/gamemode.h"
#include "assets/pictures.h"
#include "game/gamescreen.h"
#include "support/testmain.h"

#include <QTimer>

using namespace drovane;
using namespace drovane::test;

namespace {

struct Grab {
    QImage image;
    qreal ratio;
    QRgb at(int x, int y) const
    {
        return image.pixel(int(x * ratio), int(y * ratio)) & 0xffffff;
    }
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
    explicit StillScreen(int mode) : screen((random.scriptRepeated(0.0f, 87), gameMode(mode)), state, random)
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

    void modeColoursAtFixedPlaces_data()
    {
        addRowPerMode();
    }
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
        field.barLeft[27] = 2880 - 2175 + 75;
        field.barLeft[28] = 2880 - 2175 + 75;
        field.stone = {2880, 3360, true};
        Grab shot = grab(s.screen);
        QCOMPARE(shot.at(192, 224), wall);  // row 28 is drawn over the ship
        QCOMPARE(shot.at(192, 215), wall);  // row 27 ends above it
        // The stone covers the ship where it overlaps it, under the bars of rows 28 to 30.
        field.barLeft[28] = 0;
        shot = grab(s.screen);
        QCOMPARE(shot.at(200, 228), rgb(*gameMode(4).stoneFillColour));
        // Prizes are drawn over everything, the bars included.
        field.barLeft[29] = 2880 - 2175 + 75;
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
                const QRgb pixel = shot.image.pixel(x, int(y * shot.ratio)) & 0xffffff;
                QVERIFY(pixel == wall || pixel == (stars.pixel(int(x / shot.ratio), y) & 0xffffff));
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
        QCOMPARE(shot.ratio, qreal(ratio));
        if (zoomUnderTest)
            QCOMPARE(ratio, zoomUnderTest);
        // Each pixel of the ship and of the star field is a ratio x ratio block of its own colour.
        const auto picturesAreBlocks = [&](const QImage& picture, QRect region, QPoint placedAt) {
            for (int y = region.top(); y <= region.bottom(); ++y)
                for (int x = region.left(); x <= region.right(); ++x)
                    for (int dy = 0; dy < ratio; ++dy)
                        for (int dx = 0; dx < ratio; ++dx)
                            if ((shot.image.pixel((placedAt.x() + x) * ratio + dx, (placedAt.y() + y) * ratio + dy)
                                 & 0xffffff) != (picture.pixel(x, y) & 0xffffff))
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

public:
    static inline int zoomUnderTest = 0;
};

int main(int argc, char** argv)
{
    QStringList gameArguments;
    if (argc > 2 && qstrcmp(argv[1], "--zoom") == 0) {
        const CommandLine commandLine = readCommandLine({QStringLiteral("drovane"), QStringLiteral("--zoom"),
                                                         QString::fromLocal8Bit(argv[2])}, {});
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
