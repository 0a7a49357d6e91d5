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

void click(const char* button)
{
    QVERIFY(menu());
    auto* widget = menu()->findChild<QAbstractButton*>(QString::fromLatin1(button));
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton);
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
        });
    }
    QTimer::singleShot(50 * (steps.size() + 10), &pending, [] { QCoreApplication::exit(1); });
    QApplication::exec();
    return done == steps.size();
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
        click("Command2");
        QWidget* board = nav().find(QStringLiteral("sco"));
        QVERIFY(board);
        QVERIFY(menu());
        click("Command2");
        QCOMPARE(nav().find(QStringLiteral("sco")), board);  // brought to the front, not loaded again
        QCOMPARE(qApp->topLevelWidgets().count(board), 1);

        menu()->findChild<QRadioButton*>("Option4")->click();
        click("Command2");
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
            click("Command2");
        }
        if (!option.isEmpty())
            menu()->findChild<QRadioButton*>(option)->click();
        click("Command1");
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
        click("Command2");
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
        QVERIFY(runInEventLoop({[] { click("Command1"); }, [] { QVERIFY(nav().find(QStringLiteral("space"))); }}));
        nav().reset();
        nav().show(QStringLiteral("menu"));
        // A menu closed beside a board leaves the program running; the board's close ends it.
        bool ended = false;
        QVERIFY(!runInEventLoop({[] { click("Command2"); }, [] { menu()->close(); },
                                 [] { QVERIFY(nav().find(QStringLiteral("sco"))); },
                                 [&] {
                                     ended = true;
                                     nav().find(QStringLiteral("sco"))->close();
                                 },
                                 [] { QFAIL("still running after the last window closed"); }}));
        QVERIFY(ended);
    }

    // Escape closes a board and never the program: on the last board the menu comes back.
    void escapeNeverEndsTheProgram()
    {
        QVERIFY(runInEventLoop({[] { click("Command2"); }, [] { menu()->close(); },
                                [] { QTest::keyClick(nav().find(QStringLiteral("sco")), Qt::Key_Escape); },
                                [] {
                                    QVERIFY(menu() && menu()->isVisible());
                                    QVERIFY(!nav().find(QStringLiteral("sco")));
                                }}));
    }

    void finEndsTheProgram()
    {
        click("Command2");
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
