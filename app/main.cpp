#include "app/navigator.h"
#include "app/windowfactory.h"
#include "assets/pictures.h"

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

}  // namespace

int main(int argc, char* argv[])
{
    if (!displayAvailable()) {
        std::fputs("drovane: no graphical display found (DISPLAY and WAYLAND_DISPLAY are unset); "
                   "the game needs a desktop session to run.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Drovane"));
    QApplication::setWindowIcon(drovane::appIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.drovane"));

    drovane::Navigator& navigator = drovane::Navigator::instance();
    navigator.setFactory(drovane::createWindow);
    navigator.show(QStringLiteral("menu"));
    return app.exec();
}
