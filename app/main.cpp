#include "app/commandline.h"
#include "app/frenchtexts.h"
#include "app/navigator.h"
#include "app/windowfactory.h"
#include "assets/pictures.h"
#include "scores/scorepaths.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt aborts with a dump; say what is missing instead.
bool displayAvailable()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && !defined(Q_OS_ANDROID)
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform && !QByteArray(platform).startsWith("xcb") && !QByteArray(platform).startsWith("wayland"))
        return true;  // offscreen, vnc, eglfs and the like need no display server
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

// Help, version and mistakes are answered before any window system is touched, so
// they need no display; so is the zoom, which Qt reads when the application starts.
drovane::CommandLine readCommandLine(int& argc, char** argv)
{
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

    if (!displayAvailable()) {
        std::fputs("drovane: no graphical display found (DISPLAY and WAYLAND_DISPLAY are unset); "
                   "the game needs a desktop session to run.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    drovane::installFrenchQtTexts(app);
    QApplication::setApplicationName(QStringLiteral("Drovane"));
    QApplication::setWindowIcon(drovane::appIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.drovane"));

    drovane::Navigator& navigator = drovane::Navigator::instance();
    navigator.setFactory(drovane::createWindow);
    navigator.show(QStringLiteral("menu"));
    return app.exec();
}
