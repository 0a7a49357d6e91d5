#include "scorepaths.h"

#include "game/gamemode.h"

#include <QDir>
#include <QStandardPaths>

namespace drovane {

QString scoreFileLocation(const GameMode& mode)
{
    const QString fixedPath = QString::fromUtf8(mode.scoreFilePath.data(),
                                              static_cast<qsizetype>(mode.scoreFilePath.size()));
#ifdef Q_OS_WIN
    return fixedPath;
#else
    // No drive letters here: keep the file name, drop "C:\".
    const QString fileName = fixedPath.mid(fixedPath.lastIndexOf(QLatin1Char('\\')) + 1);
    QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataFolder.isEmpty())
        dataFolder = QDir::homePath() + QStringLiteral("/.local/share");
    return dataFolder + QStringLiteral("/Drovane/") + fileName;
#endif
}

}  // namespace drovane
