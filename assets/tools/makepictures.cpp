// SPDX-License-Identifier: GPL-3.0-or-later
// Draws every picture of the game and writes the files that assets/CMakeLists.txt
// puts into the program. Change the art here, run the drovane_pictures target
// (or this program with the output folder as its argument) and commit the files.

#include "ui/pictures.h"

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using Grid = std::vector<std::string_view>;
using Palette = std::map<char, QRgb>;

const QRgb keyColour = qRgb(drovane::pictureKeyColour.r, drovane::pictureKeyColour.g, drovane::pictureKeyColour.b);

// Turns a character grid into pixels; '.' is left as `background`.
QImage paintGrid(const Grid& grid, const Palette& palette, QRgb background,
                 QImage::Format format = QImage::Format_RGB32)
{
    const int width = int(grid.front().size());
    QImage image(width, int(grid.size()), format);
    image.fill(background);
    for (int y = 0; y < image.height(); ++y) {
        if (int(grid[y].size()) != width)
            qFatal("grid row %d has %d characters, not %d", y, int(grid[y].size()), width);
        for (int x = 0; x < width; ++x) {
            const char cell = grid[y][x];
            if (cell == '.')
                continue;
            const auto colour = palette.find(cell);
            if (colour == palette.end())
                qFatal("grid character '%c' has no colour", cell);
            image.setPixel(x, y, colour->second);
        }
    }
    return image;
}

void save(const QImage& image, const QString& path, const char* format, int quality = -1)
{
    QImageWriter writer(path, format);
    writer.setQuality(quality);
    if (!writer.write(image))
        qFatal("cannot write %s: %s", qPrintable(path), qPrintable(writer.errorString()));
    std::printf("wrote %s\n", qPrintable(path));
}

// ---- Ship -------------------------------------------------------------------------

// An upward rocket: yellow nose and exhaust, orange hull, a round dark-blue window
// with a glint, red fins. Light comes from the upper left, so each colour below is
// then shaded by column and by height (see shade()).
// The grids below are pictures, kept one row a line.
// clang-format off
const Grid shipGrid = {
    "....Y.....",
    "...YyY....",
    "...oyo....",
    "..OoyoD...",
    "..OkbkD...",
    "..obwbd...",
    "..OkbkD...",
    "..OoyoD...",
    "..Oyyyd...",
    ".rOoyodr..",
    "rrOoyodRR.",
    "rRRoyoRRR.",
    "rR.ooo.RR.",
    "r..YyY..R.",
    "...YyY....",
};

const Palette shipPalette = {
    {'Y', qRgb(255, 240, 120)},  // pale yellow
    {'y', qRgb(255, 210, 40)},   // yellow
    {'O', qRgb(255, 170, 60)},   // light orange
    {'o', qRgb(240, 130, 20)},   // orange
    {'D', qRgb(200, 90, 10)},    // dark orange, the hull's shadow side
    {'d', qRgb(215, 100, 15)},
    {'k', qRgb(20, 30, 90)},     // window rim
    {'b', qRgb(10, 20, 70)},     // window
    {'w', qRgb(120, 170, 255)},  // glint on the window
    {'r', qRgb(235, 40, 30)},    // fins
    {'R', qRgb(170, 20, 20)},
};
// clang-format on

QRgb shade(QRgb colour, int x, int y)
{
    const double light = 1.12 - 0.06 * x - (y > 11 ? 0.04 : 0.0) - (y > 13 ? 0.04 : 0.0);
    const auto channel = [light](int value) { return std::clamp(int(std::lround(value * light)), 0, 255); };
    return qRgb(channel(qRed(colour)), channel(qGreen(colour)), channel(qBlue(colour)));
}

QImage drawShip()
{
    QImage image = paintGrid(shipGrid, shipPalette, keyColour);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (shipGrid[y][x] != '.')
                image.setPixel(x, y, shade(image.pixel(x, y), x, y));
        }
    }
    return image;
}

// ---- Bonus ------------------------------------------------------------------------

// clang-format off
const Grid bonusGrid = {
    "....#....",
    "...#Y#...",
    "###YYY###",
    "#YYYYYYY#",
    "#YYYYYYY#",
    ".#YYYYY#.",
    ".#YY#YY#.",
    "#YY#.#YY#",
    "YY#...#YY",
};

const Palette bonusPalette = {
    {'Y', qRgb(255, 255, 128)},
    {'#', qRgb(0, 0, 0)},
};
// clang-format on

// ---- Star field -------------------------------------------------------------------

constexpr int fieldWidth = 512;
constexpr int fieldHeight = 384;
constexpr int crossCount = 30;  // five pixels each
constexpr int dotCount = 159;   // 30 x 5 + 159 = 309 white pixels
constexpr std::uint32_t fieldSeed = 20240611;

QImage drawStarfield()
{
    QImage image(fieldWidth, fieldHeight, QImage::Format_RGB32);
    image.fill(keyColour);
    const QRgb white = qRgb(255, 255, 255);

    // mt19937 gives the same numbers everywhere; the library's distributions do not.
    std::mt19937 random(fieldSeed);
    const auto below = [&random](int limit) { return int(random() % std::uint32_t(limit)); };

    // Keep every star clear of the others by one pixel, so each stays a dot or a cross.
    const auto isClear = [&](int cx, int cy, int reach) {
        for (int y = cy - reach - 1; y <= cy + reach + 1; ++y) {
            for (int x = cx - reach - 1; x <= cx + reach + 1; ++x) {
                if (image.valid(x, y) && image.pixel(x, y) == white)
                    return false;
            }
        }
        return true;
    };

    for (int placed = 0; placed < crossCount;) {
        const int x = 1 + below(fieldWidth - 2);
        const int y = 1 + below(fieldHeight - 2);
        if (!isClear(x, y, 1))
            continue;
        for (const auto& [dx, dy] : {std::pair{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}})
            image.setPixel(x + dx, y + dy, white);
        ++placed;
    }
    for (int placed = 0; placed < dotCount;) {
        const int x = below(fieldWidth);
        const int y = below(fieldHeight);
        if (!isClear(x, y, 0))
            continue;
        image.setPixel(x, y, white);
        ++placed;
    }
    return image;
}

// ---- Logo -------------------------------------------------------------------------

QImage drawLogo()
{
    QImage image(260, 43, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient ground(0, 0, 0, image.height());
    ground.setColorAt(0, QColor(10, 14, 40));
    ground.setColorAt(1, QColor(2, 3, 12));
    painter.fillRect(image.rect(), ground);

    // DejaVu Sans comes with every Debian desktop; the banner is drawn once and stored.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(34);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    if (!QFontInfo(font).family().contains(QLatin1String("DejaVu")))
        std::fprintf(stderr, "note: DejaVu Sans is missing, the banner uses %s\n",
                     qPrintable(QFontInfo(font).family()));

    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("DROVANE"));
    const QRectF bounds = text.boundingRect();
    // Whole-pixel offsets keep the vertical strokes sharp.
    const QPointF offset(std::round((image.width() - bounds.width()) / 2 - bounds.left()),
                         std::round((image.height() - bounds.height()) / 2 - bounds.top()));
    text.translate(offset);

    QLinearGradient letters(0, text.boundingRect().top(), 0, text.boundingRect().bottom());
    letters.setColorAt(0, QColor(215, 238, 255));
    letters.setColorAt(0.55, QColor(140, 200, 255));
    letters.setColorAt(1, QColor(90, 150, 235));
    painter.setPen(QPen(QColor(30, 60, 140), 1.0));
    painter.setBrush(letters);
    painter.drawPath(text);

    // The sparkle catches the top right of the O.
    QPainterPath upToO;
    upToO.addText(offset, font, QStringLiteral("DRO"));
    const QPointF centre(upToO.boundingRect().right() - 5, text.boundingRect().top() + 5);

    QRadialGradient glow(centre, 7);
    glow.setColorAt(0, QColor(255, 255, 255, 230));
    glow.setColorAt(0.4, QColor(200, 230, 255, 120));
    glow.setColorAt(1, QColor(200, 230, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, 7, 7);

    QPainterPath rays;
    const auto ray = [&](QPointF tip, QPointF side) {
        rays.moveTo(centre + tip);
        rays.lineTo(centre + side);
        rays.lineTo(centre - tip);
        rays.lineTo(centre - side);
        rays.closeSubpath();
    };
    ray({0, -9}, {1.2, 0});
    ray({12, 0}, {0, 1.2});
    painter.setBrush(Qt::white);
    painter.drawPath(rays);
    painter.end();
    return image;
}

// ---- Icon -------------------------------------------------------------------------

// A window turned a little to the right: its far edge is shorter, the title bar
// narrows with it, and it throws a grey shadow down and to the right.
// clang-format off
const Grid icon32Grid = {
    "................................",
    "................................",
    "................................",
    "................................",
    "..kkkkkk........................",
    "..kccccckkkkkk..................",
    "..kccccccccccckkkkkk............",
    "..kccccccccccccccccckkkkkkk.....",
    "..kccccccccccccccccccccccck.....",
    "..kkkkkkkkcccccccccccccccck.....",
    "..kwwwwwwwkkkkkkkkcccccccckggg..",
    "..kwwwwwwwwwwwwwwwkkkkkkkkkggg..",
    "..kwwwwwwwwwwwwwwwwwwwwwwwkggg..",
    "..kwwwwwwwwwwwwwwwwwwwwwwwkggg..",
    "..kwwwwwwwwwwwwwwwwwwwwwwwkggg..",
    "..kwwwwwwwwwwwwwwwwwwwwwwwkggg..",
    "..kwwwwwwwwwwwwwwwwwwwwwwwkggg..",
    "..kwwwwwwwwwwwwwwwwwwwwwwwkggg..",
    "..kwwwwwwwwwwwwwwwwwwwwwwwkggg..",
    "..kwwwwwwwwwwwwwwwwwwwwwwwkggg..",
    "..kwwwwwwwwwwwwwwwwwwwwwwwkggg..",
    "..kwwwwwwwwwwwwwwwwwwwwwwwkggg..",
    "..kwwwwwwwwwwwwwwwwwwwwwwwkggg..",
    "..kwwwwwwwwwwwwwwwwwkkkkkkkggg..",
    "..kwwwwwwwwwwwkkkkkkgggggggggg..",
    "..kwwwwwkkkkkkgggggggggggggggg..",
    "..kkkkkkgggggggggggggggggggggg..",
    ".....gggggggggggggggggg.........",
    ".....gggggggggggg...............",
    ".....gggggg.....................",
    "................................",
    "................................",
};

const Grid icon16Grid = {
    "................",
    "................",
    ".kkkk...........",
    ".kccckkkk.......",
    ".kccccccckkkkk..",
    ".kkkkkkcccccck..",
    ".kwwwwwkkkkkkkgg",
    ".kwwwwwwwwwwwkgg",
    ".kwwwwwwwwwwwkgg",
    ".kwwwwwwwwwwwkgg",
    ".kwwwwwwwwwwwkgg",
    ".kwwwwwwwwkkkkgg",
    ".kwwwkkkkggggggg",
    ".kkkkggggggggggg",
    "...gggggggggg...",
    "...gggg.........",
};

// The classic 16-colour palette, in its usual order; the icon file stores indexes into it.
const std::vector<QRgb> sixteenColours = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),     qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128),   qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),     qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255),   qRgb(0, 255, 255), qRgb(255, 255, 255),
};
const std::vector<QRgb> twoColours = {qRgb(0, 0, 0), qRgb(255, 255, 255)};

const Palette iconPalette = {
    {'k', qRgb(0, 0, 0)},
    {'w', qRgb(255, 255, 255)},
    {'c', qRgb(0, 255, 255)},
    {'g', qRgb(128, 128, 128)},
};

// The 2-colour image: a black title bar, and the shadow as a checkerboard.
const Palette iconMonoPalette = {
    {'k', qRgb(0, 0, 0)},
    {'w', qRgb(255, 255, 255)},
    {'c', qRgb(0, 0, 0)},
};
// clang-format on

QImage iconImage(const Grid& grid, const Palette& palette)
{
    return paintGrid(grid, palette, qRgba(0, 0, 0, 0), QImage::Format_ARGB32);
}

QImage monoIconImage(const Grid& grid)
{
    Grid dithered;
    std::vector<std::string> rows;
    for (std::size_t y = 0; y < grid.size(); ++y) {
        std::string row(grid[y]);
        for (std::size_t x = 0; x < row.size(); ++x) {
            if (row[x] == 'g')
                row[x] = (x + y) % 2 == 0 ? 'k' : '.';
        }
        rows.push_back(row);
    }
    for (const auto& row : rows)
        dithered.push_back(row);
    return iconImage(dithered, iconMonoPalette);
}

void putLe16(QByteArray& bytes, std::uint16_t value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

void putLe32(QByteArray& bytes, std::uint32_t value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

// One icon image as a headerless bitmap: info header, palette, colour rows and the
// transparency mask, both bottom-up with rows padded to four bytes.
QByteArray iconBitmap(const QImage& image, const std::vector<QRgb>& colours, int bitsPerPixel)
{
    const int width = image.width();
    const int height = image.height();
    const int colourStride = ((width * bitsPerPixel + 31) / 32) * 4;
    const int maskStride = ((width + 31) / 32) * 4;

    QByteArray bytes;
    putLe32(bytes, 40);
    putLe32(bytes, std::uint32_t(width));
    putLe32(bytes, std::uint32_t(height * 2));  // colour rows and mask rows together
    putLe16(bytes, 1);
    putLe16(bytes, std::uint16_t(bitsPerPixel));
    putLe32(bytes, 0);
    putLe32(bytes, std::uint32_t((colourStride + maskStride) * height));
    putLe32(bytes, 0);
    putLe32(bytes, 0);
    putLe32(bytes, std::uint32_t(colours.size()));
    putLe32(bytes, 0);
    for (const QRgb colour : colours) {
        bytes.append(char(qBlue(colour)));
        bytes.append(char(qGreen(colour)));
        bytes.append(char(qRed(colour)));
        bytes.append('\0');
    }

    QByteArray colourRows(qsizetype(colourStride) * height, '\0');
    QByteArray maskRows(qsizetype(maskStride) * height, '\0');
    for (int y = 0; y < height; ++y) {
        const int row = height - 1 - y;
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = image.pixel(x, y);
            int index = 0;
            if (qAlpha(pixel) == 0) {
                auto& maskByte = maskRows[row * maskStride + x / 8];
                maskByte = char(maskByte | (0x80 >> (x % 8)));
            } else {
                const auto found = std::find(colours.begin(), colours.end(), pixel | 0xff000000u);
                if (found == colours.end())
                    qFatal("icon colour %08x is not in the palette", pixel);
                index = int(found - colours.begin());
            }
            const int bit = x * bitsPerPixel;
            const int shift = 8 - bitsPerPixel - bit % 8;
            auto& byte = colourRows[row * colourStride + bit / 8];
            byte = char(byte | (index << shift));
        }
    }
    return bytes + colourRows + maskRows;
}

struct IconEntry {
    QImage image;
    const std::vector<QRgb>* colours;
    int bitsPerPixel;
};

QByteArray iconFile(const std::vector<IconEntry>& entries)
{
    QByteArray head;
    putLe16(head, 0);
    putLe16(head, 1);  // an icon, not a cursor
    putLe16(head, std::uint16_t(entries.size()));
    QByteArray body;
    std::uint32_t offset = 6 + 16 * std::uint32_t(entries.size());
    for (const IconEntry& entry : entries) {
        const QByteArray bitmap = iconBitmap(entry.image, *entry.colours, entry.bitsPerPixel);
        head.append(char(entry.image.width()));
        head.append(char(entry.image.height()));
        head.append(char(entry.colours->size()));
        head.append('\0');
        putLe16(head, 1);
        putLe16(head, std::uint16_t(entry.bitsPerPixel));
        putLe32(head, std::uint32_t(bitmap.size()));
        putLe32(head, offset);
        offset += std::uint32_t(bitmap.size());
        body += bitmap;
    }
    return head + body;
}

QImage enlarged(const QImage& image, int factor)
{
    QImage big(image.width() * factor, image.height() * factor, image.format());
    for (int y = 0; y < big.height(); ++y) {
        for (int x = 0; x < big.width(); ++x)
            big.setPixel(x, y, image.pixel(x / factor, y / factor));
    }
    return big;
}

void writeIcons(const QDir& folder)
{
    const QImage small = iconImage(icon16Grid, iconPalette);
    const QImage large = iconImage(icon32Grid, iconPalette);
    const QByteArray ico = iconFile({
        {monoIconImage(icon32Grid), &twoColours, 1},
        {large, &sixteenColours, 4},
        {small, &sixteenColours, 4},
    });
    QFile file(folder.filePath(QStringLiteral("drovane.ico")));
    if (!file.open(QIODevice::WriteOnly) || file.write(ico) != ico.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    std::printf("wrote %s\n", qPrintable(file.fileName()));

    // Desktop sizes: the pixel art blown up, from the small drawing where it divides.
    const std::vector<std::pair<int, QImage>> sizes = {
        {16, small},
        {32, large},
        {48, enlarged(small, 3)},
        {64, enlarged(large, 2)},
        {128, enlarged(large, 4)},
        {256, enlarged(large, 8)},
    };
    for (const auto& [size, image] : sizes)
        save(image, folder.filePath(QStringLiteral("icon-%1.png").arg(size)), "png");
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 1;
    }

    save(drawLogo(), folder.filePath(QStringLiteral("logo.jpg")), "jpeg", 95);
    save(drawStarfield(), folder.filePath(QStringLiteral("starfield.bmp")), "bmp");
    save(drawShip(), folder.filePath(QStringLiteral("ship.bmp")), "bmp");
    save(paintGrid(bonusGrid, bonusPalette, keyColour), folder.filePath(QStringLiteral("bonus.bmp")), "bmp");
    writeIcons(folder);
    return 0;
}
