// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/scoreboard.h"

#include "rules/gamemode.h"
#include "scores/scorefile.h"
#include "scores/scorepaths.h"
#include "ui/navigator.h"
#include "ui/scoregrid.h"
#include "ui/windowrules.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>

namespace drovane {
namespace {

constexpr int refreshIntervalMs = 2000;
const QColor windowColour(128, 255, 128);
const QColor labelTextColour(255, 128, 0);

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A cell's text stops at its first NUL: an empty record's nickname shows as nothing.
QString shownText(const QString& stored)
{
    return stored.left(stored.indexOf(QChar(0)));
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect place, double points)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setFont(comicFont(points));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, labelTextColour);
    label->setPalette(palette);
    return label;
}

void centreOnScreen(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

}  // namespace

ScoreBoard::ScoreBoard(const GameMode& mode, QWidget* parent) : ScoreBoard(mode, scoreFileLocation(mode), parent)
{
}

ScoreBoard::ScoreBoard(const GameMode& mode, const QString& scoreFile, QWidget* parent)
    : QWidget(parent),
      scoreFile_(scoreFile)
{
    buildControls(mode);
    load();
}

void ScoreBoard::buildControls(const GameMode& mode)
{
    // The controls reach 9945 x 9735 twips: the window is that large, so "Fin" and the
    // last rows show.
    applyWindowRules(this, QSize(663, 649));
    setWindowTitle(fromUtf8(mode.boardCaption));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, windowColour);
    setPalette(palette);
    setAutoFillBackground(true);

    auto* fin = new QPushButton(QStringLiteral("Fin"), this);
    fin->setObjectName(QStringLiteral("cmd_fin"));
    fin->setGeometry(twipsRect(4080, 9120, 1695, 615));
    fin->setFont(comicFont(9.75));
    connect(fin, &QPushButton::clicked, this, [] { Navigator::instance().endProgram(); });

    makeLabel(this, "Label1", QStringLiteral("www.drovane.example"), twipsRect(600, 9240, 2415, 375), 11.25);
    makeLabel(this, "Label2", QStringLiteral("By Pelmar"), twipsRect(8040, 9240, 1575, 495), 15.75);

    grid_ = makeScoreGrid(mode, this);
    setTabOrder(fin, grid_);
    fin->setFocus();

    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setInterval(refreshIntervalMs);
    connect(timer, &QTimer::timeout, this, &ScoreBoard::refreshScoreBoard);
    timer->start();

    centreOnScreen(this);
}

void ScoreBoard::load()
{
    const QString headers[] = {QStringLiteral("Pseudos "), QStringLiteral("Scores"), QStringLiteral("Commentaires")};
    const int widthsTwips[] = {1500, 650, 7300};
    for (int column = 1; column <= 3; ++column) {
        grid_->setHorizontalHeaderItem(column, new QTableWidgetItem(headers[column - 1]));
        grid_->setColumnWidth(column, twipsToPixelsTruncated(widthsTwips[column - 1]));
    }
    for (int rank = 1; rank <= scoreTableSize; ++rank)
        grid_->item(rank - 1, 0)->setText(rankLabel(rank));
    refreshScoreBoard();
}

void ScoreBoard::refreshScoreBoard()
{
    const QList<ScoreRecord> records = readScoreTable(scoreFile_);
    for (qsizetype i = 0; i < records.size(); ++i) {
        const int row = static_cast<int>(i);
        grid_->item(row, 1)->setText(shownText(records[i].nickname));
        grid_->item(row, 2)->setText(QString::number(records[i].score));
        grid_->item(row, 3)->setText(shownText(records[i].comment));
    }
    // The last comment written becomes the current cell, shown in the header colours.
    if (!records.isEmpty())
        grid_->setCurrentCell(static_cast<int>(records.size()) - 1, 3);
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
