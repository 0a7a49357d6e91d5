// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/testdoubles.h"

namespace drovane::test {
namespace {

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

QStringList FakeHost::messages() const
{
    QStringList result;
    for (const QString& event : events) {
        if (event.startsWith(QLatin1String("message:")))
            result.append(event.mid(8));
    }
    return result;
}

QString FakeSubmissionHost::askText(const QString& prompt, int maxLength)
{
    log_.events.append(QStringLiteral("ask:") + prompt);
    if (log_.whileBoxOpen)
        log_.whileBoxOpen(prompt);
    if (answers.empty())
        qFatal("FakeSubmissionHost: the test scripted too few answers");
    QString answer = answers.front();
    answers.pop_front();
    return answer.left(maxLength);
}

}  // namespace drovane::test
