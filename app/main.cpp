#include "app/displayfailure.h"
#include "app/navigator.h"
#include "app/windowfactory.h"
#include "assets/pictures.h"

#include <QApplication>
#include <QGuiApplication>

int main(int argc, char* argv[])
{
    // Without a display Qt aborts with a dump; say in one line what is missing instead.
    drovane::exitCleanlyWithoutDisplay();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Drovane"));
    QApplication::setWindowIcon(drovane::appIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.drovane"));

    drovane::Navigator& navigator = drovane::Navigator::instance();
    navigator.setFactory(drovane::createWindow);
    navigator.show(QStringLiteral("menu"));
    return app.exec();
}
