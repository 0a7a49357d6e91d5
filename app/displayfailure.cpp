// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/displayfailure.h"

#include <QCoreApplication>
#include <QList>
#include <QMessageLogContext>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <utility>

namespace drovane {

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QByteArray file;
    QByteArray function;
    int line;
    QString text;
};

std::mutex heldLock;
QtMessageHandler previousHandler = nullptr;
QList<HeldMessage> held;
bool starting = false;

QString environment(const char* name)  // empty when unset
{
    return qEnvironmentVariable(name);
}

bool isPlatformFailure(const QString& text)
{
    return text.contains(QLatin1String("could not connect to display"), Qt::CaseInsensitive)
           || text.contains(QLatin1String("platform plugin"), Qt::CaseInsensitive)
           || text.contains(QLatin1String("failed to start"), Qt::CaseInsensitive);
}

// What went wrong, in words a player can act on, from what Qt said while it tried.
QString explain(const QStringList& said)
{
    const QString display = environment("DISPLAY");
    const QString wayland = environment("WAYLAND_DISPLAY");
    const QString platform = environment("QT_QPA_PLATFORM");
    const bool displayServerPlatform = platform.isEmpty() || platform.startsWith(QLatin1String("xcb"))
                                       || platform.startsWith(QLatin1String("wayland"));
    if (display.isEmpty() && wayland.isEmpty() && displayServerPlatform)
        return QStringLiteral("aucun affichage graphique trouvé (DISPLAY et WAYLAND_DISPLAY ne sont pas définies) ; "
                              "le jeu a besoin d'une session de bureau.");

    static const QRegularExpression plugin(QStringLiteral(R"re(could not (load|find)[^"]*platform plugin "([^"]+)")re"),
                                           QRegularExpression::CaseInsensitiveOption);
    QStringList reasons;
    const auto add = [&reasons](const QString& reason) {
        if (!reasons.contains(reason))
            reasons.append(reason);
    };
    for (const QString& text : said) {
        if (text.contains(QLatin1String("could not connect to display"), Qt::CaseInsensitive)
            || text.contains(QLatin1String("wl_display"))) {
            continue;  // the plugin's own failure line follows and says the same
        }
        auto match = plugin.globalMatch(text);
        while (match.hasNext()) {
            const auto found = match.next();
            const bool missing = found.captured(1).compare(QLatin1String("find"), Qt::CaseInsensitive) == 0;
            const QString name = found.captured(2);
            if (name.startsWith(QLatin1String("wayland"))) {
                if (missing)
                    add(QStringLiteral(
                        "la prise en charge de Wayland par Qt n'est pas installée (paquet Debian qt6-wayland)"));
                else if (wayland.isEmpty())
                    add(QStringLiteral("aucun compositeur Wayland ne répond (WAYLAND_DISPLAY n'est pas définie)"));
                else
                    add(QStringLiteral("aucun compositeur Wayland ne répond à WAYLAND_DISPLAY=%1").arg(wayland));
            } else if (name.startsWith(QLatin1String("xcb"))) {
                if (missing)
                    add(QStringLiteral(
                        "la prise en charge de X11 par Qt n'est pas installée (paquet Debian libqt6gui6)"));
                else if (display.isEmpty())
                    add(QStringLiteral("DISPLAY n'est pas définie"));
                else
                    add(QStringLiteral("aucun serveur X ne répond à DISPLAY=%1").arg(display));
            } else if (missing) {
                add(QStringLiteral("il n'y a pas de module de plateforme Qt « %1 » (QT_QPA_PLATFORM=%2)")
                        .arg(name, platform));
            } else {
                add(QStringLiteral("le module de plateforme Qt « %1 » n'a pas pu démarrer").arg(name));
            }
        }
    }
    if (reasons.isEmpty()) {
        const auto shown = [](const QString& value) { return value.isEmpty() ? QStringLiteral("non définie") : value; };
        add(QStringLiteral(
                "Qt n'a pu démarrer aucune plateforme d'affichage (DISPLAY %1, WAYLAND_DISPLAY %2, QT_QPA_PLATFORM %3)")
                .arg(shown(display), shown(wayland), shown(platform)));
    }
    return QStringLiteral("impossible d'ouvrir une fenêtre : %1 ; le jeu a besoin d'une session de bureau.")
        .arg(reasons.join(QLatin1String(" ; ")));
}

void pass(const HeldMessage& message)
{
    const QMessageLogContext context(message.file.isEmpty() ? nullptr : message.file.constData(), message.line,
                                     message.function.isEmpty() ? nullptr : message.function.constData(),
                                     message.category.constData());
    previousHandler(message.type, context, message.text);
}

// Called by the QCoreApplication constructor once the platform is up.
void startedUp()
{
    QList<HeldMessage> toPass;
    {
        const std::lock_guard<std::mutex> lock(heldLock);
        if (!starting)
            return;
        starting = false;
        toPass.swap(held);
        qInstallMessageHandler(previousHandler);
    }
    for (const HeldMessage& message : toPass)
        pass(message);
}

void handler(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    std::unique_lock<std::mutex> lock(heldLock);
    if (!starting) {
        lock.unlock();
        previousHandler(type, context, text);
        return;
    }
    if (type == QtFatalMsg && isPlatformFailure(text)) {
        QStringList said;
        for (const HeldMessage& message : std::as_const(held))
            said.append(message.text);
        said.append(text);
        const QByteArray line = "drovane : " + explain(said).toLocal8Bit() + '\n';
        std::fputs(line.constData(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    HeldMessage message{type,
                        context.category ? QByteArray(context.category) : QByteArray(),
                        context.file ? QByteArray(context.file) : QByteArray(),
                        context.function ? QByteArray(context.function) : QByteArray(),
                        context.line,
                        text};
    if (type == QtFatalMsg) {
        // Some other fatal error: say everything held back first, then let Qt end as it does.
        QList<HeldMessage> toPass;
        toPass.swap(held);
        starting = false;
        lock.unlock();
        for (const HeldMessage& earlier : std::as_const(toPass))
            pass(earlier);
        pass(message);
        return;
    }
    held.append(std::move(message));
}

}  // namespace

void exitCleanlyWithoutDisplay()
{
    {
        const std::lock_guard<std::mutex> lock(heldLock);
        if (starting)
            return;
        starting = true;
        previousHandler = qInstallMessageHandler(handler);
    }
    qAddPreRoutine(startedUp);
}

}  // namespace drovane
