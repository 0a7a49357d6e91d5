// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/scoreboard.h"

#include "rules/gamemode.h"
#include "rules/modetext.h"
#include "scores/scorefile.h"
#include "scores/scorepaths.h"
#include "ui/layout.h"
#include "ui/navigator.h"
#include "ui/scoregrid.h"
#include "ui/windowrules.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>

namespace drovane {
namespace {

constexpr int refreshIntervalMs = 2000;
const QColor windowColour(128, 255, 128);
const QColor labelTextColour(255, 128, 0);

// A cell's text stops at its first NUL: an empty record's nickname shows as nothing.
QString shownText(const QString& stored)
{
    return stored.left(stored.indexOf(QChar(0)));
}

QLabel* makeLabel(QWidget* parent, const BoardScale& scale, const Control& control, const QString& text,
                  const QFont& font)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(control.name));
    label->setGeometry(scale.rect(twipsToPixels(control.place)));
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, labelTextColour);
    label->setPalette(palette);
    return label;
}

// The screen that shows the game: that of the window the player is using (the menu or a game
// screen), else the one under the pointer.
QScreen* screenOfTheGame()
{
    if (const QWidget* active = QApplication::activeWindow())
        return active->screen();
    if (QScreen* screen = QGuiApplication::screenAt(QCursor::pos()))
        return screen;
    return QGuiApplication::primaryScreen();
}

// The window manager's frame around a window: taken from an open window of the game, else a
// title bar of usual height.
QMargins frameMargins()
{
    if (const QWidget* active = QApplication::activeWindow()) {
        const QRect frame = active->frameGeometry();
        const QRect inside = active->geometry();
        if (frame != inside)
            return {inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
                    frame.bottom() - inside.bottom()};
    }
    return layout::scoreBoard::usualFrame;
}

const QSize boardSize = twipsLengthToPixels(layout::scoreBoard::clientArea);

BoardScale fittingScale(const QScreen* screen)
{
    if (!screen)
        return {};
    return BoardScale::fitting(boardSize, screen->availableGeometry().size(), frameMargins(),
                               screen->devicePixelRatio());
}

}  // namespace

ScoreBoard::ScoreBoard(const GameMode& mode, QWidget* parent) : ScoreBoard(mode, scoreFileLocation(mode), parent)
{
}

ScoreBoard::ScoreBoard(const GameMode& mode, const QString& scoreFile, QWidget* parent)
    : QWidget(parent),
      scoreFile_(scoreFile),
      scale_(fittingScale(screenOfTheGame()))
{
    buildControls(mode);
    load();
}

void ScoreBoard::buildControls(const GameMode& mode)
{
    applyWindowRules(this, scale_.size(boardSize));
    setWindowTitle(toQString(mode.boardCaption));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, windowColour);
    setPalette(palette);
    setAutoFillBackground(true);

    const Control& fin = layout::scoreBoard::endButton;
    auto* endButton = new QPushButton(QStringLiteral("Fin"), this);
    endButton->setObjectName(QString::fromLatin1(fin.name));
    endButton->setGeometry(scale_.rect(twipsToPixels(fin.place)));
    endButton->setFont(scale_.comic(9.75));
    connect(endButton, &QPushButton::clicked, this, [] { Navigator::instance().endProgram(); });

    makeLabel(this, scale_, layout::scoreBoard::webAddress, QStringLiteral("www.drovane.example"), scale_.comic(11.25));
    makeLabel(this, scale_, layout::scoreBoard::credit, QStringLiteral("By Pelmar"), scale_.comic(15.75));

    grid_ = makeScoreGrid(mode, this, scale_);
    setTabOrder(endButton, grid_);
    // The focus starts on the table, where the arrows read it: a stray Space or Enter on
    // "Fin" would end the whole program.
    grid_->setFocus();
    // Tab leaves the table for "Fin"; the arrows move within it.
    grid_->setTabKeyNavigation(false);
    // The focus coming to a table without a current cell makes Qt pick a first one: that is
    // not the player's choice, every later move is.
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int, int, int previousRow) {
        if (previousRow >= 0)
            playerMovedCurrentCell_ = true;
    });

    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setInterval(refreshIntervalMs);
    connect(timer, &QTimer::timeout, this, &ScoreBoard::refreshScoreBoard);
    timer->start();

    placeOnScreen();
}

void ScoreBoard::placeOnScreen()
{
    QScreen* screen = screenOfTheGame();
    if (!screen)
        return;
    // Centred, frame included, with its title bar on the screen however little room there is.
    const QRect available = screen->availableGeometry();
    QRect outer(QPoint(0, 0), size().grownBy(frameMargins()));
    outer.moveCenter(available.center());
    outer.moveLeft(std::max(available.left(), std::min(outer.left(), available.right() + 1 - outer.width())));
    outer.moveTop(std::max(available.top(), std::min(outer.top(), available.bottom() + 1 - outer.height())));
    // Before the window exists, a move places its frame.
    move(outer.topLeft());
}

void ScoreBoard::load()
{
    const QString headers[] = {QStringLiteral("Pseudos "), QStringLiteral("Scores"), QStringLiteral("Commentaires")};
    for (int column = 1; column <= 3; ++column) {
        grid_->setHorizontalHeaderItem(column, new QTableWidgetItem(headers[column - 1]));
        setColumnWidth(*grid_, column,
                       scale_.length(twipsLengthToPixels(layout::scoreBoard::gridColumnWidths[column - 1])));
    }
    for (int rank = 1; rank <= scoreTableSize; ++rank)
        grid_->item(rank - 1, 0)->setText(rankLabel(rank));
    refreshScoreBoard();
}

void ScoreBoard::refreshScoreBoard()
{
    const QList<ScoreRecord> records = readScoreTable(scoreFile_);
    const int scrolledTo = grid_->verticalScrollBar()->value();
    for (qsizetype i = 0; i < records.size(); ++i) {
        const int row = static_cast<int>(i);
        grid_->item(row, 1)->setText(shownText(records[i].nickname));
        grid_->item(row, 2)->setText(QString::number(records[i].score));
        grid_->item(row, 3)->setText(shownText(records[i].comment));
    }
    // The last comment written becomes the current cell, shown in the header colours, until
    // the player picks another cell: from then on the refresh keeps the player's cell. The
    // table does not scroll either.
    if (!records.isEmpty() && !playerMovedCurrentCell_) {
        const QSignalBlocker notThePlayer(grid_);
        grid_->setCurrentCell(static_cast<int>(records.size()) - 1, 3);
    }
    grid_->verticalScrollBar()->setValue(scrolledTo);
}

void ScoreBoard::keyPressEvent(QKeyEvent* event)
{
    if (isQuitKey(*event)) {
        Navigator::instance().endProgram();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        // As the close box: the last window closed ends the program.
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

QString ScoreBoard::cellText(int row, int column) const
{
    if (row == 0) {
        const QTableWidgetItem* header = grid_->horizontalHeaderItem(column);
        return header ? header->text() : QString();
    }
    const QTableWidgetItem* item = grid_->item(row - 1, column);
    return item ? item->text() : QString();
}

}  // namespace drovane
