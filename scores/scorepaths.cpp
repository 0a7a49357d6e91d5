// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/scorepaths.h"

#include "rules/gamemode.h"
#include "rules/modetext.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace drovane {
namespace {

QString& chosenFolder()
{
    static QString folder;
    return folder;
}

}  // namespace

void setScoreFolder(const QString& folder)
{
    chosenFolder() = folder.isEmpty() ? QString() : QFileInfo(folder).absoluteFilePath();
}

QString scoreFileLocation(const GameMode& mode)
{
    const QString fixedPath = toQString(mode.scoreFilePath);
    // The file keeps its name wherever it lives; only "C:\" is left behind.
    const QString fileName = fixedPath.mid(fixedPath.lastIndexOf(QLatin1Char('\\')) + 1);
    if (!chosenFolder().isEmpty())
        return QDir(chosenFolder()).filePath(fileName);
    QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataFolder.isEmpty())
        dataFolder = QDir::homePath() + QStringLiteral("/.local/share");
    return dataFolder + QStringLiteral("/Drovane/") + fileName;
}

}  // namespace drovane
