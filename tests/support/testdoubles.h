// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/gamehost.h"
#include "rules/randomsource.h"
#include "scores/submission.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

namespace drovane::test {

// Draws come from a script; running out of script fails the test.
class ScriptedRandom final : public RandomSource {
public:
    void script(std::initializer_list<float> values) { draws_.insert(draws_.end(), values); }
    void scriptRepeated(float value, int count) { draws_.insert(draws_.end(), count, value); }
    void reseed() override { log_.push_back(QStringLiteral("reseed")); }
    float draw() override;
    std::size_t remaining() const { return draws_.size(); }
    const QStringList& log() const { return log_; }
    void clearLog() { log_.clear(); }

private:
    std::deque<float> draws_;
    QStringList log_;
};

// Records what the rules ask of the outside world.
class FakeHost final : public GameHost {
public:
    void closeMenuAndBoards() override { events.append(QStringLiteral("closeMenuAndBoards")); }
    void setTimerEnabled(GameTimer timer, bool enabled) override;
    void showMessage(const QString& text) override;
    void beep() override
    {
        events.append(QStringLiteral("beep"));
        if (onBeep)
            onBeep();
    }

    bool timerEnabled(GameTimer timer) const { return timers[static_cast<int>(timer)]; }
    QStringList messages() const;

    QStringList events;                                // every call, in order
    bool timers[5] = {true, true, true, true, true};   // a screen starts with its timers on
    std::function<void(const QString&)> whileBoxOpen;  // runs while a box is "open"
    std::function<void()> onBeep;
};

// Records what the score submission asks of the screen, in the events of the rules'
// double beside their timers (the screen shows both kinds of message in the same box),
// and answers the prompts from a script.
class FakeSubmissionHost final : public SubmissionHost {
public:
    explicit FakeSubmissionHost(FakeHost& log) : log_(log) {}
    void showMessage(const QString& text) override { log_.showMessage(text); }
    QString askText(const QString& prompt, int maxLength) override;
    void showScoreBoard() override { log_.events.append(QStringLiteral("showScoreBoard")); }

    std::deque<QString> answers;  // answers to askText, in order ("" = Cancel)

private:
    FakeHost& log_;
};

}  // namespace drovane::test
