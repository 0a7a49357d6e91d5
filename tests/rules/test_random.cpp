// SPDX-License-Identifier: GPL-3.0-or-later
// The game's generator: always in [0, 1), and unbiased right after a reseed, which is
// how the tunnel uses it.
#include "rules/randomsource.h"
#include "support/testmain.h"

using namespace drovane;

class TestRandom : public QObject {
    Q_OBJECT
private slots:
    void drawsStayInRangeAndBalanced()
    {
        ClockSeededRandom random;
        constexpr int count = 200000;
        int belowHalfAfterReseed = 0;
        double sum = 0;
        for (int i = 0; i < count; ++i) {
            random.reseed();
            const float first = random.draw();
            const float second = random.draw();
            QVERIFY(first >= 0.0f && first < 1.0f);
            QVERIFY(second >= 0.0f && second < 1.0f);
            belowHalfAfterReseed += first < 0.5f;
            sum += second;
        }
        QVERIFY(std::abs(belowHalfAfterReseed / double(count) - 0.5) < 0.01);
        QVERIFY(std::abs(sum / count - 0.5) < 0.01);
    }
};

DROVANE_TEST_MAIN(TestRandom)
#include "test_random.moc"
