// SPDX-License-Identifier: GPL-3.0-or-later
// The pickup tone's samples, its output plugin, and that playing never fails without a sound card.
#include "support/testmain.h"
#include "ui/pickuptone.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

using namespace drovane;

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

    void playingIsSilentWithoutAudio()
    {
        // Without an audio output this is a silent no-op, however often it runs.
        if (!PickupTone::instance().available())
            QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        for (int i = 0; i < 20; ++i)
            PickupTone::instance().play();
    }
};

DROVANE_TEST_MAIN(TestPickupTone)
#include "test_pickuptone.moc"
