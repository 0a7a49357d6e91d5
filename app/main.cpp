// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"
#include "app/displayfailure.h"
#include "app/frenchtexts.h"
#include "scores/scorepaths.h"
#include "ui/navigator.h"
#include "ui/pictures.h"
#include "ui/soundswitch.h"
#include "ui/windowfactory.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTimer>

#include <cstdio>

namespace {

// Help, version and mistakes are answered before any window system is touched, so
// they need no display; so is the zoom, which Qt reads when the application starts.
drovane::CommandLine readCommandLine(int& argc, char** argv)
{
    // The usual start has nothing to read and nothing to translate: no reader for it.
    if (argc <= 1)
        return drovane::readCommandLine({QStringLiteral("drovane")}, qEnvironmentVariable("DROVANE_SCORES_DIR"));
    QCoreApplication reader(argc, argv);
    drovane::installFrenchQtTexts(reader);
    return drovane::readCommandLine(QCoreApplication::arguments(), qEnvironmentVariable("DROVANE_SCORES_DIR"));
}

}  // namespace

int main(int argc, char* argv[])
{
    const drovane::CommandLine commandLine = readCommandLine(argc, argv);
    if (commandLine.exitStatus) {
        std::fputs(commandLine.text.toLocal8Bit().constData(), *commandLine.exitStatus == 0 ? stdout : stderr);
        return *commandLine.exitStatus;
    }
    drovane::applyZoom(commandLine.options.zoom);
    drovane::setScoreFolder(commandLine.options.scoresFolder);
    if (commandLine.options.mute || drovane::muteRequestedByEnvironment())
        drovane::SoundSwitch::instance().silenceThisRun();

    // Without a display Qt aborts with a dump; say in one line what is missing instead.
    drovane::exitCleanlyWithoutDisplay();
    QApplication app(argc, argv);
    drovane::installFrenchQtTexts(app);
    QApplication::setApplicationName(QStringLiteral("Drovane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.drovane"));

    drovane::Navigator& navigator = drovane::Navigator::instance();
    navigator.setFactory(drovane::createWindow);
    navigator.show(QStringLiteral("menu"));
    // The icon is for the taskbar: its pictures are read once the menu is on its way to
    // the screen, and every open window takes it up then.
    QTimer::singleShot(0, &app, [] { QApplication::setWindowIcon(drovane::appIcon()); });
    return app.exec();
}
