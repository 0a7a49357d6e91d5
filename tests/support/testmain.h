// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/gamehost.h"
#include "rules/randomsource.h"

#include <QApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <deque>
#include <functional>
#include <vector>

namespace drovane::test {

// Points HOME and the XDG folders at a folder of the test's own, before the
// application starts, so nothing can touch the user's real files.
void isolateHome(const QString& folder);
// Test mode for QStandardPaths.
void prepareEnvironment();
// Test data of one int column "mode": a row for each mode, named after its game screen.
void addRowPerMode();
// Hides the offscreen platform's "propagateSizeHints" chatter. Call it from
// initTestCase(), after QtTest has installed its own message handler.
void quietPlatformNoise();

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

// Records what the rules ask of the outside world, and answers boxes from a script.
class FakeHost final : public GameHost {
public:
    void closeMenuAndBoards() override { events.append(QStringLiteral("closeMenuAndBoards")); }
    void setTimerEnabled(GameTimer timer, bool enabled) override;
    void showMessage(const QString& text) override;
    QString askText(const QString& prompt, int maxLength) override;
    void beep() override
    {
        events.append(QStringLiteral("beep"));
        if (onBeep)
            onBeep();
    }
    void showScoreBoard() override { events.append(QStringLiteral("showScoreBoard")); }
    void endProgram() override { events.append(QStringLiteral("endProgram")); }
    void submitResult() override { events.append(QStringLiteral("submitResult")); }
    void switchSound() override { events.append(QStringLiteral("switchSound")); }

    bool timerEnabled(GameTimer timer) const { return timers[static_cast<int>(timer)]; }
    QStringList messages() const;

    QStringList events;                                // every call, in order
    bool timers[5] = {true, true, true, true, true};   // a screen starts with its timers on
    std::deque<QString> answers;                       // answers to askText, in order ("" = Cancel)
    std::function<void(const QString&)> whileBoxOpen;  // runs while a box is "open"
    std::function<void()> onBeep;
};

}  // namespace drovane::test

// main() for a widget-capable QtTest case that never touches real user files.
#define DROVANE_TEST_MAIN(TestObject)            \
    int main(int argc, char** argv)              \
    {                                            \
        QTemporaryDir home;                      \
        drovane::test::isolateHome(home.path()); \
        QApplication app(argc, argv);            \
        drovane::test::prepareEnvironment();     \
        TestObject tc;                           \
        QTEST_SET_MAIN_SOURCE_PATH               \
        return QTest::qExec(&tc, argc, argv);    \
    }
