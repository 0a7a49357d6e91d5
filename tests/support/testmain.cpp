// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/testmain.h"

#include "rules/gamemode.h"

#include <QStandardPaths>

namespace drovane::test {
namespace {

QtMessageHandler previousHandler = nullptr;

void filterNoise(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    // The offscreen platform says so for every window it cannot size or raise.
    if (message.contains(QLatin1String("propagateSizeHints")) || message.contains(QLatin1String("support raise()")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

}  // namespace

void isolateHome(const QString& folder)
{
    const QByteArray path = folder.toLocal8Bit();
    qputenv("HOME", path);
    qputenv("XDG_DATA_HOME", path + "/share");
    qputenv("XDG_CONFIG_HOME", path + "/config");
    qputenv("XDG_CACHE_HOME", path + "/cache");
}

void prepareEnvironment()
{
    QStandardPaths::setTestModeEnabled(true);
}

void addRowPerMode()
{
    QTest::addColumn<int>("mode");
    for (const GameMode& mode : allGameModes())
        QTest::newRow(mode.gameScreen.data()) << mode.index;
}

void quietPlatformNoise()
{
    previousHandler = qInstallMessageHandler(filterNoise);
}

}  // namespace drovane::test
