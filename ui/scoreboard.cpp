// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/scoreboard.h"

#include "rules/gamemode.h"
#include "rules/modetext.h"
#include "scores/scorefile.h"
#include "scores/scorepaths.h"
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
#include <cmath>

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

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect place, const QFont& font)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
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
    return {4, 30, 4, 4};
}

// The controls reach 9945 x 9735 twips: the window is that large, so "Fin" and the last
// rows show.
constexpr QSize boardSize{663, 649};

// With --zoom N (or a desktop scale) every window is N times larger; a board that would
// not fit its screen so goes down to the largest whole number of screen pixels per pixel
// of its own that does, so that its lines stay crisp.
BoardScale fittingScale(const QScreen* screen)
{
    BoardScale scale;
    if (!screen)
        return scale;
    const QRect available = screen->availableGeometry();
    const QMargins frame = frameMargins();
    const double ratio = screen->devicePixelRatio();
    for (int pixels = static_cast<int>(std::ceil(ratio)); pixels >= 1; --pixels) {
        scale.factor = std::min(1.0, pixels / ratio);
        const QSize needed = (boardSize * scale.factor).grownBy(frame);
        if (needed.width() <= available.width() && needed.height() <= available.height())
            break;
    }
    return scale;
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
    applyWindowRules(this, scale_.rect(QRect(QPoint(0, 0), boardSize)).size());
    setWindowTitle(toQString(mode.boardCaption));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, windowColour);
    setPalette(palette);
    setAutoFillBackground(true);

    auto* endButton = new QPushButton(QStringLiteral("Fin"), this);
    endButton->setObjectName(QStringLiteral("cmd_fin"));
    endButton->setGeometry(scale_.rect(twipsRect(4080, 9120, 1695, 615)));
    endButton->setFont(scale_.comic(9.75));
    connect(endButton, &QPushButton::clicked, this, [] { Navigator::instance().endProgram(); });

    makeLabel(this, "Label1", QStringLiteral("www.drovane.example"), scale_.rect(twipsRect(600, 9240, 2415, 375)),
              scale_.comic(11.25));
    makeLabel(this, "Label2", QStringLiteral("By Pelmar"), scale_.rect(twipsRect(8040, 9240, 1575, 495)),
              scale_.comic(15.75));

    grid_ = makeScoreGrid(mode, this, scale_);
    setTabOrder(endButton, grid_);
    // The focus starts on the table, where the arrows read it: a stray Space or Enter on
    // "Fin" would end the whole program.
    grid_->setFocus();
    connect(grid_, &QTableWidget::currentCellChanged, this, [this] { playerMovedCurrentCell_ = true; });

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
    // Centred, with its title bar on the screen however little room there is.
    const QRect available = screen->availableGeometry();
    const QMargins frame = frameMargins();
    const QRect outer = rect().marginsAdded(frame);
    QPoint topLeft = available.center() - outer.center();
    topLeft.setX(std::max(available.left(), std::min(topLeft.x(), available.right() + 1 - outer.width())));
    topLeft.setY(std::max(available.top(), std::min(topLeft.y(), available.bottom() + 1 - outer.height())));
    move(topLeft + QPoint(frame.left(), frame.top()));
}

void ScoreBoard::load()
{
    const QString headers[] = {QStringLiteral("Pseudos "), QStringLiteral("Scores"), QStringLiteral("Commentaires")};
    const int widthsTwips[] = {1500, 650, 7300};
    for (int column = 1; column <= 3; ++column) {
        grid_->setHorizontalHeaderItem(column, new QTableWidgetItem(headers[column - 1]));
        grid_->setColumnWidth(column, scale_.length(twipsToPixelsTruncated(widthsTwips[column - 1])));
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
    if (event->key() == Qt::Key_Escape) {
        // Escape only ever closes the board: were it the last window, closing it would end
        // the program, so the menu comes back first.
        const QWidgetList windows = QApplication::topLevelWidgets();
        if (std::none_of(windows.begin(), windows.end(), [this](QWidget* w) { return w != this && w->isVisible(); }))
            Navigator::instance().show(QStringLiteral("menu"));
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
