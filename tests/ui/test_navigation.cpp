// SPDX-License-Identifier: GPL-3.0-or-later
// Which windows the menu opens and closes, and when the program ends.
#include "rules/gamemode.h"
#include "support/testmain.h"
#include "ui/menuwindow.h"
#include "ui/navigator.h"
#include "ui/windowfactory.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace drovane;

namespace {

Navigator& nav()
{
    return Navigator::instance();
}

QWidget* menu()
{
    return nav().find(QStringLiteral("menu"));
}

// Clicks a button of the menu; false when there is no menu or no such button.
bool click(const char* button)
{
    QWidget* window = menu();
    auto* widget = window ? window->findChild<QAbstractButton*>(QString::fromLatin1(button)) : nullptr;
    if (!widget)
        return false;
    QTest::mouseClick(widget, Qt::LeftButton);
    return true;
}

// Presses keys, named as in "Tab Down Enter", on whatever has the focus.
void press(const QString& keys)
{
    const QHash<QString, QPair<Qt::Key, Qt::KeyboardModifiers>> named{
        {"Tab", {Qt::Key_Tab, Qt::NoModifier}},      {"Shift+Tab", {Qt::Key_Tab, Qt::ShiftModifier}},
        {"Up", {Qt::Key_Up, Qt::NoModifier}},        {"Down", {Qt::Key_Down, Qt::NoModifier}},
        {"Left", {Qt::Key_Left, Qt::NoModifier}},    {"Right", {Qt::Key_Right, Qt::NoModifier}},
        {"Enter", {Qt::Key_Return, Qt::NoModifier}}, {"Ctrl+Q", {Qt::Key_Q, Qt::ControlModifier}},
    };
    for (const QString& key : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const auto [code, modifiers] = named.value(key);
        QTest::keyClick(QApplication::focusWidget(), code, modifiers);
    }
}

// Runs a scenario inside the application's own event loop, so that the program's
// end on its last window is real. Returns whether every step ran before the end.
bool runInEventLoop(const QList<std::function<void()>>& steps)
{
    QObject pending;  // steps that never ran are dropped with it
    int done = 0;
    for (int i = 0; i < steps.size(); ++i) {
        QTimer::singleShot(50 * (i + 1), &pending, [&, i] {
            steps[i]();
            ++done;
            if (QTest::currentTestFailed())  // a failed check ends the scenario
                QCoreApplication::exit(1);
        });
    }
    QTimer::singleShot(50 * (steps.size() + 10), &pending, [] { QCoreApplication::exit(1); });
    QApplication::exec();
    return done == steps.size() && !QTest::currentTestFailed();
}

}  // namespace

class TestNavigation : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        test::quietPlatformNoise();
        nav().setFactory(createWindow);
        nav().setEndProgram([this] { ++programEnds_; });
    }
    void init()
    {
        nav().reset();
        programEnds_ = 0;
        nav().show(QStringLiteral("menu"));
    }
    void cleanup() { nav().reset(); }

    void menuStartsOnNormal()
    {
        auto* menuWindow = qobject_cast<MenuWindow*>(menu());
        QVERIFY(menuWindow);
        QVERIFY(menuWindow->findChild<QRadioButton*>("Option2")->isChecked());
        QCOMPARE(menuWindow->selectedMode()->index, 2);
        menuWindow->findChild<QRadioButton*>("Option5")->click();
        QVERIFY(!menuWindow->findChild<QRadioButton*>("Option2")->isChecked());
        QCOMPARE(menuWindow->selectedMode()->index, 5);
    }

    void menuLayoutTabOrderAndFocus()
    {
        QWidget* window = menu();
        QCOMPARE(window->size(), QSize(377, 308));
        QCOMPARE(window->windowTitle(), QStringLiteral("menu"));
        QVERIFY(window->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command1"));
        QStringList order;
        auto* widget = window->findChild<QWidget*>(QStringLiteral("Command1"));
        for (int i = 0; i < 7; ++i, widget = widget->nextInFocusChain())
            order.append(widget->objectName());
        QCOMPARE(order, (QStringList{"Command1", "Command2", "Option1", "Option2", "Option3", "Option4", "Option5"}));
        QCOMPARE(window->findChild<QWidget*>(QStringLiteral("Command2"))->geometry(), QRect(208, 248, 81, 41));
    }

    void scoresOpenBesideTheMenuOncePerMode()
    {
        QVERIFY(click("Command2"));
        QWidget* board = nav().find(QStringLiteral("sco"));
        QVERIFY(board);
        QVERIFY(menu());
        QVERIFY(click("Command2"));
        QCOMPARE(nav().find(QStringLiteral("sco")), board);  // brought to the front, not loaded again
        QCOMPARE(qApp->topLevelWidgets().count(board), 1);

        menu()->findChild<QRadioButton*>("Option4")->click();
        QVERIFY(click("Command2"));
        QVERIFY(nav().find(QStringLiteral("score2")));
        QVERIFY(nav().find(QStringLiteral("sco")));
    }

    void playClosesTheMenuAndEveryBoard_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("screen");
        QTest::newRow("default") << QString() << "space";
        QTest::newRow("Débutant") << "Option1"
                                  << "space0";
        QTest::newRow("Expert") << "Option4"
                                << "space2";
    }
    void playClosesTheMenuAndEveryBoard()
    {
        QFETCH(QString, option);
        QFETCH(QString, screen);
        for (const char* mode : {"Option1", "Option3", "Option2"}) {
            menu()->findChild<QRadioButton*>(mode)->click();
            QVERIFY(click("Command2"));
        }
        if (!option.isEmpty())
            menu()->findChild<QRadioButton*>(option)->click();
        QVERIFY(click("Command1"));
        QWidget* game = nav().find(screen);
        QVERIFY(game);
        QVERIFY(game->isVisible());
        for (const char* name : {"menu", "sco", "score0", "score3"})
            QVERIFY2(!nav().find(QString::fromLatin1(name)), name);
    }

    void closingAnUnopenedWindowDoesNotLoadIt()
    {
        nav().close(QStringLiteral("score4"));
        QVERIFY(!nav().find(QStringLiteral("score4")));
        nav().closeMenuAndBoards();
        QVERIFY(!menu());
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    }

    void closedWindowLoadsAnewWhenShownAgain()
    {
        QVERIFY(click("Command2"));
        QPointer<QWidget> first = nav().find(QStringLiteral("sco"));
        first->close();
        QVERIFY(!nav().find(QStringLiteral("sco")));
        QWidget* second = nav().show(QStringLiteral("sco"));
        QVERIFY(second);
        QTRY_VERIFY(!first);  // the closed one was unloaded
    }

    void theProgramOutlivesTheMenuWhileAnotherWindowIsOpen()
    {
        // "Jouer" closes the menu, the only window, before the game screen shows.
        QVERIFY(
            runInEventLoop({[] { QVERIFY(click("Command1")); }, [] { QVERIFY(nav().find(QStringLiteral("space"))); }}));
        nav().reset();
        nav().show(QStringLiteral("menu"));
        // A menu closed beside a board leaves the program running; the board's close ends it.
        bool ended = false;
        QVERIFY(!runInEventLoop({[] { QVERIFY(click("Command2")); }, [] { menu()->close(); },
                                 [] { QVERIFY(nav().find(QStringLiteral("sco"))); },
                                 [&] {
                                     ended = true;
                                     nav().find(QStringLiteral("sco"))->close();
                                 },
                                 [] { QFAIL("still running after the last window closed"); }}));
        QVERIFY(ended);
    }

    // Escape does what the board's close box does: with the menu open it closes the board
    // alone; on the last window it ends the program. The menu never comes back.
    void escapeClosesTheBoardAsItsCloseBox_data()
    {
        QTest::addColumn<bool>("menuOpen");
        QTest::newRow("beside the menu") << true;
        QTest::newRow("last window") << false;
    }
    void escapeClosesTheBoardAsItsCloseBox()
    {
        QFETCH(bool, menuOpen);
        bool pressed = false;
        const bool ranAll = runInEventLoop({[] { QVERIFY(click("Command2")); },
                                            [&] {
                                                if (!menuOpen)
                                                    menu()->close();
                                            },
                                            [&] {
                                                pressed = true;
                                                QTest::keyClick(nav().find(QStringLiteral("sco")), Qt::Key_Escape);
                                            },
                                            [] { QVERIFY(!nav().find(QStringLiteral("sco"))); }});
        QVERIFY(pressed);
        QCOMPARE(ranAll, menuOpen);
        QCOMPARE(menu() != nullptr, menuOpen);
        QVERIFY(!nav().find(QStringLiteral("sco")));
    }

    // The options are one stop of the tab order, entered on the selected one; the arrows
    // move the focus and the selection together and never leave the options; Enter plays
    // the selected mode, or shows the scores on a focused "Afficher les scores".
    void optionsByKeyboard_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("enterShows");
        QTest::newRow("Tab, Tab") << "Tab Tab"
                                  << "Option2" << 2 << "space";
        QTest::newRow("Shift+Tab") << "Shift+Tab"
                                   << "Option2" << 2 << "space";
        QTest::newRow("Down") << "Tab Tab Down"
                              << "Option3" << 3 << "space3";
        QTest::newRow("Up past the first") << "Tab Tab Up Left Up"
                                           << "Option1" << 1 << "space0";
        QTest::newRow("Down past the last") << "Tab Tab Down Right Down Down Down"
                                            << "Option5" << 5 << "space4";
        QTest::newRow("Tab leaves them") << "Tab Tab Down Tab"
                                         << "Command1" << 3 << "space3";
        QTest::newRow("back in on the selected") << "Tab Tab Down Tab Shift+Tab"
                                                 << "Option3" << 3 << "space3";
        QTest::newRow("Afficher les scores") << "Tab Tab Up Shift+Tab"
                                             << "Command2" << 1 << "score0";
        QTest::newRow("Down from Jouer") << "Down Down"
                                         << "Option2" << 2 << "space";
    }
    void optionsByKeyboard()
    {
        QFETCH(QString, keys);
        QFETCH(QString, focused);
        QFETCH(int, selected);
        QFETCH(QString, enterShows);
        auto* menuWindow = qobject_cast<MenuWindow*>(menu());
        QVERIFY(QTest::qWaitForWindowActive(menuWindow));
        press(keys);
        QCOMPARE(QApplication::focusWidget()->objectName(), focused);
        QCOMPARE(menuWindow->selectedMode()->index, selected);
        press(QStringLiteral("Enter"));
        QVERIFY(nav().find(enterShows));
    }

    void ctrlQEndsTheProgram_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("window");
        QTest::newRow("menu") << ""
                              << "menu";
        QTest::newRow("menu, on an option") << "Tab Tab"
                                            << "menu";
        QTest::newRow("board, on the table") << ""
                                             << "sco";
        QTest::newRow("board, on Fin") << "Tab"
                                       << "sco";
    }
    void ctrlQEndsTheProgram()
    {
        QFETCH(QString, keys);
        QFETCH(QString, window);
        QWidget* shown = nav().show(window);
        QVERIFY(QTest::qWaitForWindowActive(shown));
        press(keys);
        QCOMPARE(programEnds_, 0);
        press(QStringLiteral("Ctrl+Q"));
        QCOMPARE(programEnds_, 1);
    }

    void finEndsTheProgram()
    {
        QVERIFY(click("Command2"));
        auto* fin = nav().find(QStringLiteral("sco"))->findChild<QPushButton*>(QStringLiteral("cmd_fin"));
        QVERIFY(fin);
        QTest::mouseClick(fin, Qt::LeftButton);
        QCOMPARE(programEnds_, 1);
    }

private:
    int programEnds_ = 0;
};

DROVANE_TEST_MAIN(TestNavigation)
#include "test_navigation.moc"
