// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: what starts the game, what is answered without a window, and where
// the chosen scores folder leads.
#include "app/commandline.h"
#include "app/frenchtexts.h"
#include "rules/gamemode.h"
#include "rules/modetext.h"
#include "scores/scorepaths.h"
#include "support/scoretestutil.h"
#include "support/testmain.h"

#include <QDir>

using namespace drovane;
using namespace drovane::test;

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFrenchQtTexts(*qApp); }

    void readsOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("variable");   // DROVANE_SCORES_DIR
        QTest::addColumn<int>("status");         // -1: the game starts
        QTest::addColumn<QString>("firstLine");  // of what is printed, up to its length
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QString>("folder");

        const QString tryHelp = QStringLiteral(" Essayez « drovane --help ».");
        QTest::newRow("nothing") << QStringList{} << QString() << -1 << QString() << 0 << QString();
        QTest::newRow("help") << QStringList{"--help"} << QString() << 0 << "Utilisation : " << 0 << QString();
        QTest::newRow("-h wins over a bad zoom")
            << QStringList{"-h", "--zoom", "7"} << QString() << 0 << "Utilisation : " << 0 << QString();
        QTest::newRow("version") << QStringList{"--version"} << QString() << 0 << "drovane " DROVANE_VERSION << 0
                                 << QString();
        QTest::newRow("-v") << QStringList{"-v"} << QString() << 0 << "drovane " DROVANE_VERSION << 0 << QString();
        QTest::newRow("unknown") << QStringList{"--nonsense"} << QString() << 2
                                 << "drovane : option inconnue « --nonsense »." + tryHelp << 0 << QString();
        QTest::newRow("unknown short") << QStringList{"-x"} << QString() << 2
                                       << "drovane : option inconnue « -x »." + tryHelp << 0 << QString();
        QTest::newRow("stray") << QStringList{"space2"} << QString() << 2
                               << "drovane : argument inattendu « space2 »." + tryHelp << 0 << QString();
        for (const char* zoom : {"0", "9", "x", "2.5", ""})
            QTest::addRow("zoom '%s'", zoom)
                << QStringList{"--zoom", zoom} << QString() << 2
                << QStringLiteral("drovane : --zoom attend un nombre entier de 1 à 4, pas « %1 ».").arg(zoom) + tryHelp
                << 0 << QString();
        QTest::newRow("zoom without N") << QStringList{"--zoom"} << QString() << 2 << "drovane : " << 0 << QString();
        QTest::newRow("folder without a name")
            << QStringList{"--scores-dir"} << QString() << 2 << "drovane : " << 0 << QString();
        QTest::newRow("empty folder") << QStringList{"--scores-dir", ""} << QString() << 2
                                      << "drovane : --scores-dir attend un dossier." + tryHelp << 0 << QString();
        QTest::newRow("zoom 1") << QStringList{"--zoom", "1"} << QString() << -1 << QString() << 1 << QString();
        QTest::newRow("zoom=4") << QStringList{"--zoom=4"} << QString() << -1 << QString() << 4 << QString();
        QTest::newRow("variable") << QStringList{} << "/srv/scores" << -1 << QString() << 0 << "/srv/scores";
        QTest::newRow("option wins") << QStringList{"--scores-dir", "/mnt/club"} << "/srv/scores" << -1 << QString()
                                     << 0 << "/mnt/club";
    }
    void readsOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, variable);
        QFETCH(int, status);
        QFETCH(QString, firstLine);
        arguments.prepend(QStringLiteral("drovane"));
        const CommandLine commandLine = readCommandLine(arguments, variable);
        QCOMPARE(commandLine.exitStatus.value_or(-1), status);
        QVERIFY2(commandLine.text.startsWith(firstLine), qPrintable(commandLine.text));
        QVERIFY(commandLine.text.isEmpty() || commandLine.text.endsWith(QLatin1Char('\n')));
        if (status > 0)
            QCOMPARE(commandLine.text.count(QLatin1Char('\n')), 1);  // one line on standard error
        if (status == -1) {
            QTEST(commandLine.options.zoom, "zoom");
            QTEST(commandLine.options.scoresFolder, "folder");
        }
    }

    void chosenFolderHoldsEveryScoreFile()
    {
        const QString defaultFile = scoreFileLocation(gameMode(1));
        QTemporaryDir club;
        QDir::setCurrent(club.path());
        setScoreFolder(QStringLiteral("tables"));  // relative to where the game starts
        for (const GameMode& mode : allGameModes()) {
            const QString file = scoreFileLocation(mode);
            QCOMPARE(QFileInfo(file).absolutePath(), club.path() + QStringLiteral("/tables"));
            QCOMPARE(QFileInfo(file).fileName(), toQString(mode.scoreFilePath).section(QLatin1Char('\\'), -1));
        }
        // A result saved there makes the folder, as the default one is made.
        QVERIFY(writeSlot(scoreFileLocation(gameMode(2)), 1, {QStringLiteral("ace"), 137, {}}));
        QVERIFY(QFileInfo::exists(club.path() + QStringLiteral("/tables/bdd activité 1")));
        setScoreFolder({});
        QCOMPARE(scoreFileLocation(gameMode(1)), defaultFile);
    }
};

DROVANE_TEST_MAIN(TestCommandLine)
#include "test_commandline.moc"
