// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pictures.h"

#include <QHash>
#include <QString>

#include <mutex>
#include <utility>

namespace drovane {
namespace {

QRgb toQRgb(Rgb colour)
{
    return qRgb(colour.r, colour.g, colour.b);
}

QImage loadPicture(const QString& path)
{
    QImage image(path);
    if (image.isNull()) {
        qWarning("Drovane: cannot read the picture %s", qPrintable(path));
        return {};
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

// One stored picture and its recoloured copies, one per backdrop asked for.
class BackdropPicture {
public:
    explicit BackdropPicture(QString path) : path_(std::move(path)) {}

    QImage on(Rgb backdrop)
    {
        const std::lock_guard lock(mutex_);
        const QRgb wanted = toQRgb(backdrop);
        if (const auto found = variants_.constFind(wanted); found != variants_.cend())
            return *found;
        if (master_.isNull())
            master_ = loadPicture(path_);
        if (master_.isNull())
            return {};

        QImage image = master_.copy();
        const QRgb key = toQRgb(pictureKeyColour);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (line[x] == key)
                    line[x] = wanted;
            }
        }
        variants_.insert(wanted, image);
        return image;
    }

private:
    const QString path_;
    std::mutex mutex_;
    QImage master_;
    QHash<QRgb, QImage> variants_;
};

const QString pictureFolder = QStringLiteral(":/drovane/pictures/");

}  // namespace

QImage logoPicture()
{
    static const QImage logo = loadPicture(pictureFolder + QLatin1String("logo.jpg"));
    return logo;
}

QImage starfieldPicture(Rgb backdrop)
{
    static BackdropPicture picture(pictureFolder + QLatin1String("starfield.bmp"));
    return picture.on(backdrop);
}

QImage shipPicture(Rgb backdrop)
{
    static BackdropPicture picture(pictureFolder + QLatin1String("ship.bmp"));
    return picture.on(backdrop);
}

QImage bonusPicture(Rgb backdrop)
{
    static BackdropPicture picture(pictureFolder + QLatin1String("bonus.bmp"));
    return picture.on(backdrop);
}

QIcon appIcon()
{
    // Not cached: a QIcon must not outlive the application object.
    // From the .ico, Qt keeps the 16-colour image where two share a size.
    QIcon icon(pictureFolder + QLatin1String("drovane.ico"));
    for (const int size : {48, 64, 128, 256})
        icon.addFile(pictureFolder + QStringLiteral("icon-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace drovane
