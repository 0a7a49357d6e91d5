// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/testmain.h"
#include "ui/pictures.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <array>
#include <functional>
#include <vector>

using namespace drovane;

namespace {

const QString folder = QStringLiteral(":/drovane/pictures/");

QRgb toQRgb(Rgb colour)
{
    return qRgb(colour.r, colour.g, colour.b);
}

const QRgb key = toQRgb(pictureKeyColour);

QImage stored(const QString& name)
{
    return QImage(folder + name).convertToFormat(QImage::Format_RGB32);
}

QImage desktopIcon(int size)
{
    return QImage(folder + QStringLiteral("icon-%1.png").arg(size)).convertToFormat(QImage::Format_ARGB32);
}

int count(const QImage& image, const std::function<bool(QRgb)>& wanted)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += wanted(image.pixel(x, y)) ? 1 : 0;
    return n;
}

using BackdropPicture = QImage (*)(Rgb);

struct PictureOnBackdrop {
    const char* name;
    const char* file;
    BackdropPicture make;
    bool onBonusBackdrop;
};

const PictureOnBackdrop backdropPictures[] = {
    {"starfield", "starfield.bmp", &starfieldPicture, false},
    {"ship", "ship.bmp", &shipPicture, false},
    {"bonus", "bonus.bmp", &bonusPicture, true},
};

}  // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { drovane::test::quietPlatformNoise(); }

    void storedFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QSize>("size");
        QTest::newRow("logo") << "logo.jpg" << QByteArray("jpeg") << QSize(260, 43);
        QTest::newRow("starfield") << "starfield.bmp" << QByteArray("bmp") << QSize(512, 384);
        QTest::newRow("ship") << "ship.bmp" << QByteArray("bmp") << QSize(10, 15);
        QTest::newRow("bonus") << "bonus.bmp" << QByteArray("bmp") << QSize(9, 9);
    }

    void storedFiles()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, format);
        QFETCH(QSize, size);
        QImageReader reader(folder + file);
        QCOMPARE(reader.format(), format);
        QCOMPARE(reader.size(), size);
        if (format == "bmp") {
            QFile bmp(folder + file);
            QVERIFY(bmp.open(QIODevice::ReadOnly));
            const QByteArray header = bmp.read(54);
            QCOMPARE(qFromLittleEndian<quint16>(header.constData() + 28), quint16(24));  // bits per pixel
            QCOMPARE(qFromLittleEndian<quint32>(header.constData() + 30), quint32(0));   // uncompressed
        }
    }

    void logo()
    {
        const QImage logo = logoPicture();
        QCOMPARE(logo.size(), QSize(260, 43));
        const auto dark = [](QRgb p) { return qRed(p) + qGreen(p) + qBlue(p) < 90; };
        for (const QPoint corner : {QPoint(0, 0), QPoint(259, 0), QPoint(0, 42), QPoint(259, 42)})
            QVERIFY2(dark(logo.pixel(corner)), "the ground is dark");
    }

    // Every mode's variant: the drawing unchanged, everything else its backdrop.
    void backdropVariants_data()
    {
        QTest::addColumn<int>("picture");
        QTest::addColumn<int>("mode");
        for (int p = 0; p < int(std::size(backdropPictures)); ++p) {
            for (const GameMode& mode : allGameModes()) {
                if (backdropPictures[p].onBonusBackdrop && !mode.bonusBackdropColour)
                    continue;
                QTest::addRow("%s %s", backdropPictures[p].name, mode.gameScreen.data()) << p << mode.index;
            }
        }
    }

    void backdropVariants()
    {
        QFETCH(int, picture);
        QFETCH(int, mode);
        const PictureOnBackdrop& which = backdropPictures[picture];
        const GameMode& m = gameMode(mode);
        const Rgb backdrop = which.onBonusBackdrop ? *m.bonusBackdropColour : m.backdropColour;

        const QImage master = stored(QLatin1String(which.file));
        const QImage variant = which.make(backdrop);
        QCOMPARE(variant.format(), QImage::Format_RGB32);
        QCOMPARE(variant.size(), master.size());
        for (int y = 0; y < master.height(); ++y) {
            for (int x = 0; x < master.width(); ++x) {
                const QRgb expected = master.pixel(x, y) == key ? toQRgb(backdrop) : master.pixel(x, y);
                if (variant.pixel(x, y) != expected)
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3, not %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(variant.pixel(x, y), 8, 16)
                                         .arg(expected, 8, 16)));
            }
        }
    }

    void variantsAreSharedAndSafe()
    {
        const Rgb black = gameMode(4).backdropColour;
        QCOMPARE(black, gameMode(5).backdropColour);
        for (const PictureOnBackdrop& which : backdropPictures) {
            QCOMPARE(which.make(black).cacheKey(), which.make(black).cacheKey());
            QVERIFY(which.make(black).cacheKey() != which.make(Rgb{1, 2, 3}).cacheKey());

            // A caller painting on its copy must not spoil the next caller's picture.
            const QImage before = which.make(black).copy();
            QImage scribbled = which.make(black);
            scribbled.fill(Qt::red);
            QCOMPARE(which.make(black), before);
        }
    }

    // Three images: 32 x 32 in 2 colours, 32 x 32 and 16 x 16 in 16 colours.
    void iconFile()
    {
        QFile file(folder + QStringLiteral("drovane.ico"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const char* data = bytes.constData();
        QVERIFY(bytes.size() > 6 + 3 * 16);
        QCOMPARE(qFromLittleEndian<quint16>(data + 2), quint16(1));
        QCOMPARE(qFromLittleEndian<quint16>(data + 4), quint16(3));

        struct Expected {
            int size, colours, bits;
        };
        const Expected expected[] = {{32, 2, 1}, {32, 16, 4}, {16, 16, 4}};
        for (qsizetype i = 0; i < 3; ++i) {
            const char* entry = data + 6 + 16 * i;
            QCOMPARE(quint8(entry[0]), quint8(expected[i].size));
            QCOMPARE(quint8(entry[1]), quint8(expected[i].size));
            QCOMPARE(quint8(entry[2]), quint8(expected[i].colours));
            QCOMPARE(qFromLittleEndian<quint16>(entry + 6), quint16(expected[i].bits));
            const auto length = qFromLittleEndian<quint32>(entry + 8);
            const auto offset = qFromLittleEndian<quint32>(entry + 12);
            QVERIFY(offset + length <= quint32(bytes.size()));
            const char* bitmap = data + offset;
            QCOMPARE(qFromLittleEndian<qint32>(bitmap + 4), expected[i].size);
            QCOMPARE(qFromLittleEndian<qint32>(bitmap + 8), 2 * expected[i].size);
            QCOMPARE(qFromLittleEndian<quint16>(bitmap + 14), quint16(expected[i].bits));
        }

        // Decoded, the colour images are the desktop exports, and the other is black and white.
        QImageReader reader(file.fileName());
        QCOMPARE(reader.imageCount(), 3);
        std::vector<QImage> images;
        for (int i = 0; i < 3; ++i) {
            QVERIFY(reader.jumpToImage(i));
            images.push_back(reader.read().convertToFormat(QImage::Format_ARGB32));
        }
        QCOMPARE(images[0].size(), QSize(32, 32));
        const auto neitherBlackNorWhite = [](QRgb p) {
            return qAlpha(p) == 255 && p != qRgb(0, 0, 0) && p != qRgb(255, 255, 255);
        };
        QCOMPARE(count(images[0], neitherBlackNorWhite), 0);
        QVERIFY(count(images[0], [](QRgb p) { return qAlpha(p) == 0; }) > 0);
        QCOMPARE(images[1], desktopIcon(32));
        QCOMPARE(images[2], desktopIcon(16));
    }

    void desktopIconSizes()
    {
        const QImage small = desktopIcon(16);
        const QImage large = desktopIcon(32);
        for (const int size : {48, 64, 128, 256}) {
            const QImage source = size % 32 == 0 ? large : small;
            const QImage big = desktopIcon(size);
            QCOMPARE(big.size(), QSize(size, size));
            QCOMPARE(big, source.scaled(big.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
        }

        const QIcon icon = appIcon();
        const QList<QSize> sizes = icon.availableSizes();
        for (const int size : {16, 32, 48, 64, 128, 256})
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
        // Where two images share a size, the 16-colour one is shown.
        QCOMPARE(icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32), large);
    }
};

DROVANE_TEST_MAIN(PicturesTest)
#include "test_pictures.moc"
