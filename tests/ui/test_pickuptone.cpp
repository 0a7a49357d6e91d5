// SPDX-License-Identifier: GPL-3.0-or-later
// The pickup tone's samples, its output plugin, when its output may sleep, and that the game
// plays on without a sound server.
#include "support/testmain.h"
#include "toneoutput/toneoutput.h"
#include "ui/pickuptone.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

using namespace drovane;

Q_DECLARE_METATYPE(ToneSituation)
Q_DECLARE_METATYPE(ToneUse)

class TestPickupTone : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::quietPlatformNoise(); }

    void toneIsA15msSineAt4400Hz_data()
    {
        QTest::addColumn<int>("rate");
        QTest::newRow("44.1 kHz") << 44100;
        QTest::newRow("48 kHz") << 48000;
    }
    void toneIsA15msSineAt4400Hz()
    {
        QFETCH(int, rate);
        const std::vector<std::int16_t> samples = pickupToneSamples(rate);
        QCOMPARE(int(samples.size()), int(std::lround(rate * 0.015)));

        // Zero crossings: two per period.
        int crossings = 0;
        for (std::size_t i = 1; i < samples.size(); ++i) {
            if ((samples[i - 1] < 0) != (samples[i] < 0))
                ++crossings;
        }
        const double seconds = double(samples.size()) / rate;
        const double frequency = crossings / (2 * seconds);
        QVERIFY2(std::abs(frequency - 4400) < 4400 * 0.03, qPrintable(QString::number(frequency)));

        // No clipping, a clear level in the middle, soft edges.
        const auto loudest = *std::max_element(samples.begin(), samples.end(),
                                               [](auto a, auto b) { return std::abs(a) < std::abs(b); });
        QVERIFY(std::abs(loudest) < 32767);
        QVERIFY(std::abs(loudest) > 10000);
        QVERIFY(std::abs(samples.front()) < 200);
        QVERIFY(std::abs(samples.back()) < 2000);
    }

    void outputPluginIsFound()
    {
        // Found where the program looks: without it every game is silent, and says nothing.
        QVERIFY(loadToneOutput() != nullptr);
    }

    void toneUseFollowsTheGame_data()
    {
        QTest::addColumn<ToneSituation>("situation");
        QTest::addColumn<ToneUse>("use");
        const ToneSituation going{true, true, RunState::Running, true, false};
        const auto with = [going](auto change) {
            ToneSituation situation = going;
            change(situation);
            return situation;
        };
        QTest::newRow("running") << going << ToneUse::Ready;
        QTest::newRow("going on after a loss")
            << with([](auto& s) { s.run = RunState::ResumedAfterLoss; }) << ToneUse::Ready;
        QTest::newRow("paused") << with([](auto& s) { s.run = RunState::Paused; }) << ToneUse::Asleep;
        QTest::newRow("lost") << with([](auto& s) { s.run = RunState::Lost; }) << ToneUse::Asleep;
        QTest::newRow("paused after a loss") << with([](auto& s) { s.run = RunState::LostPaused; }) << ToneUse::Asleep;
        QTest::newRow("sound off") << with([](auto& s) { s.soundOn = false; }) << ToneUse::Asleep;
        QTest::newRow("window hidden") << with([](auto& s) { s.windowShown = false; }) << ToneUse::Asleep;
        QTest::newRow("behind a box") << with([](auto& s) { s.behindModalBox = true; }) << ToneUse::Asleep;
        QTest::newRow("no prizes") << with([](auto& s) { s.modeHasPrizes = false; }) << ToneUse::Never;
        QTest::newRow("no prizes, paused") << with([](auto& s) {
            s.modeHasPrizes = false;
            s.run = RunState::Paused;
        }) << ToneUse::Never;
    }
    void toneUseFollowsTheGame()
    {
        QFETCH(ToneSituation, situation);
        QFETCH(ToneUse, use);
        QCOMPARE(toneUse(situation), use);

        // The output opens the first time a tone may come, and only then.
        FakeOutput output;
        PickupTone tone([&output] { return &output; });
        tone.follow(situation);
        QCOMPARE(output.opens, use == ToneUse::Ready ? 1 : 0);
        tone.follow(situation);
        QVERIFY(output.opens <= 1);
    }

    void withoutASoundServerTheGameSaysSoOnceAndPlaysOn()
    {
        FakeOutput output;
        output.serverAnswers = false;
        PickupTone tone([&output] { return &output; });
        QTest::ignoreMessage(QtWarningMsg, "drovane : aucun serveur de son ne répond, la partie se joue sans son.");
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        QVERIFY(!tone.available());
        for (int i = 0; i < 20; ++i)
            tone.play();
        QCOMPARE(output.opens, 1);
        QVERIFY(output.wholeTone);
        QCOMPARE(output.plays, 0);
        QCOMPARE(tone.requests(), 20);
    }

private:
    struct FakeOutput final : ToneOutput {
        bool open(const std::int16_t*, std::size_t count, int sampleRate) override
        {
            ++opens;
            wholeTone = count == pickupToneSamples(sampleRate).size();
            return serverAnswers;
        }
        void play() override { ++plays; }
        bool serverAnswers = true;
        bool wholeTone = false;
        int opens = 0;
        int plays = 0;
    };
};

DROVANE_TEST_MAIN(TestPickupTone)
#include "test_pickuptone.moc"
