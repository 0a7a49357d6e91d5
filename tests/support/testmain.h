// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What every test case shares: its main(), a home of its own, quiet platform output.

#include <QApplication>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

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
