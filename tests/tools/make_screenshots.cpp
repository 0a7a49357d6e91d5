// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the game's windows offscreen to PNG files for the README, so the pictures
// there always show the program as it is:
//   QT_QPA_PLATFORM=offscreen build/tests/tools/make_screenshots docs/screenshots
#include "rules/gamemode.h"
#include "rules/modetext.h"
#include "scores/scorestore.h"
#include "support/corridor.h"
#include "support/fixedrandom.h"
#include "ui/gamescreen.h"
#include "ui/menuwindow.h"
#include "ui/scoreboard.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace drovane;

namespace {

bool save(QWidget& window, const QString& path)
{
    const bool ok = window.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

// A game a few seconds in, with the stone, the bonus and the pellet falling at once.
bool saveGame(const GameMode& mode, const QString& path)
{
    GameState state;
    test::FixedRandom random;
    GameScreen screen(mode, state, random);
    for (QTimer* timer : screen.findChildren<QTimer*>())
        timer->stop();
    GameCore& core = screen.core();
    Playfield& field = core.playfield();
    for (int tick = 0; tick < 140; ++tick) {
        field.shipLeft = test::centredShipLeft(field);
        if (tick == 118 && mode.hasStone())
            core.launchStone();
        if (tick == 128 && mode.hasBonus())
            core.launchBonus();
        if (tick == 124 && mode.hasPellet())
            core.launchPellet();
        core.tick();
    }
    return save(screen, path);
}

bool saveBoard(const QString& path)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("scores"));
    const struct {
        const char* nickname;
        std::int16_t score;
        const char* comment;
    } results[] = {
        {"Mirabelle", 2417, "la pierre m'a eue"}, {"Kestrel", 1980, "presque 2000 !"}, {"Nour", 1544, ""},
        {"ace pilot", 1203, "tout droit"},        {"Théo", 866, "première partie"},
    };
    // Written as a save writes them.
    ScoreFileStore store(file);
    bool written = store.lock(true);
    int slot = 0;
    for (const auto& result : results)
        written = written
                  && store.write(++slot,
                                 {QString::fromUtf8(result.nickname), result.score, QString::fromUtf8(result.comment)});
    for (++slot; slot <= 30; ++slot)
        written = written && store.write(slot, emptyScoreRecord());
    written = written && store.commit();
    store.unlock();
    if (!written)
        return false;
    ScoreBoard board(gameMode(2), file);
    return save(board, path);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    bool ok = out.mkpath(QStringLiteral("."));

    MenuWindow menu;
    ok = save(menu, out.filePath(QStringLiteral("menu.png"))) && ok;
    for (const GameMode& mode : allGameModes())
        ok = saveGame(mode, out.filePath(QStringLiteral("game-%1.png").arg(toQString(mode.gameScreen)))) && ok;
    ok = saveBoard(out.filePath(QStringLiteral("board.png"))) && ok;
    return ok ? 0 : 1;
}
