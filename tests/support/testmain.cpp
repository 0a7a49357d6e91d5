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

QString timerName(GameTimer timer)
{
    switch (timer) {
    case GameTimer::Tick:
        return QStringLiteral("Tick");
    case GameTimer::Stone:
        return QStringLiteral("Stone");
    case GameTimer::Bonus:
        return QStringLiteral("Bonus");
    case GameTimer::Pellet:
        return QStringLiteral("Pellet");
    }
    return {};
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

float ScriptedRandom::draw()
{
    if (draws_.empty()) {
        qFatal("ScriptedRandom: the test scripted too few draws");
    }
    const float value = draws_.front();
    draws_.pop_front();
    log_.push_back(QStringLiteral("draw %1").arg(double(value)));
    return value;
}

void FakeHost::setTimerEnabled(GameTimer timer, bool enabled)
{
    timers[static_cast<int>(timer)] = enabled;
    events.append(
        QStringLiteral("%1=%2").arg(timerName(timer), enabled ? QStringLiteral("on") : QStringLiteral("off")));
}

void FakeHost::showMessage(const QString& text)
{
    events.append(QStringLiteral("message:") + text);
    if (whileBoxOpen)
        whileBoxOpen(text);
}

QString FakeHost::askText(const QString& prompt, int maxLength)
{
    events.append(QStringLiteral("ask:") + prompt);
    if (whileBoxOpen)
        whileBoxOpen(prompt);
    if (answers.empty())
        qFatal("FakeHost: the test scripted too few answers");
    QString answer = answers.front();
    answers.pop_front();
    return answer.left(maxLength);
}

QStringList FakeHost::messages() const
{
    QStringList result;
    for (const QString& event : events) {
        if (event.startsWith(QLatin1String("message:")))
            result.append(event.mid(8));
    }
    return result;
}

}  // namespace drovane::test
