// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/scoregrid.h"

#include "rules/gamemode.h"
#include "scores/scorerecord.h"
#include "ui/fonts.h"
#include "ui/layout.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

namespace drovane {
namespace {

constexpr int columnCount = 4;
constexpr int cellMargin = 2;  // pixels on each side of a cell's text
const QColor cellColour(255, 255, 128);
const QColor cellTextColour(0, 128, 0);
const QColor lineColour(128, 128, 128);

QString css(Rgb c)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.r).arg(c.g).arg(c.b);
}

QString gridStyle(const GameMode& mode, const BoardScale& scale)
{
    // The outside colour is the table's background; cells paint their own yellow.
    return QStringLiteral("QTableWidget { background-color: %1; gridline-color: %2; border: none;"
                          " selection-background-color: %3; selection-color: %4; }"
                          "QHeaderView { background-color: %1; }"
                          "QHeaderView::section { background-color: %3; color: %4; padding: 0px %5px;"
                          " border: none; border-right: 1px solid %6; border-bottom: 1px solid %6; }")
        .arg(css(mode.gridOutsideColour), lineColour.name(), css(mode.gridHeaderColour), css(mode.gridHeaderTextColour))
        .arg(scale.length(cellMargin))
        .arg(css(mode.gridHeaderLineColour));
}

}  // namespace

BoardScale BoardScale::fitting(QSize board, QSize available, QMargins frame, double ratio)
{
    BoardScale scale;
    for (int tenths = static_cast<int>(std::ceil(ratio * 10 - 1e-6)); tenths >= 10; --tenths) {
        scale.factor = std::min(1.0, tenths / (10 * ratio));
        const QSize needed = scale.size(board).grownBy(frame);
        if (needed.width() <= available.width() && needed.height() <= available.height())
            break;
    }
    return scale;
}

QSize BoardScale::size(QSize pixels) const
{
    return {length(pixels.width()), length(pixels.height())};
}

int BoardScale::length(int pixels) const
{
    return static_cast<int>(std::lround(pixels * factor));
}

QRect BoardScale::rect(QRect pixels) const
{
    return {length(pixels.left()), length(pixels.top()), length(pixels.width()), length(pixels.height())};
}

QFont BoardScale::comic(double points) const
{
    // In whole pixels: a size in points would be read at another resolution by the table's
    // style sheet than by the other widgets.
    QFont font = comicFont(points);
    font.setPixelSize(std::max(1, length(font.pixelSize())));
    return font;
}

QString rankLabel(int rank)
{
    return (QString::number(rank) + QLatin1Char(':')).leftJustified(3, QLatin1Char(' '));
}

QTableWidget* makeScoreGrid(const GameMode& mode, QWidget* parent, const BoardScale& scale)
{
    // Row 0 of the table is the horizontal header, which never scrolls.
    auto* grid = new QTableWidget(scoreTableSize, columnCount, parent);
    grid->setObjectName(QString::fromLatin1(layout::scoreBoard::grid.name));
    grid->setGeometry(scale.rect(twipsToPixels(layout::scoreBoard::grid.place)));
    grid->setFont(scale.comic(8.25));
    QString style = gridStyle(mode, scale);
    if (scale.factor != 1) {
        // The header's lettering comes from the style sheet, not from the fonts set below.
        const int headerPixels = QFontInfo(grid->horizontalHeader()->font()).pixelSize();
        style += QStringLiteral("QHeaderView::section { font-size: %1px; }").arg(scale.length(headerPixels));
    }
    grid->setStyleSheet(style);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setWordWrap(false);
    grid->setTextElideMode(Qt::ElideNone);  // padded nicknames are clipped, not shortened
    grid->setCornerButtonEnabled(false);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->verticalHeader()->hide();

    const int rowHeight = scale.length(twipsLengthToPixels(layout::scoreBoard::gridRowHeight));
    for (QHeaderView* header : {grid->horizontalHeader(), grid->verticalHeader()}) {
        header->setFont(scale.comic(8.25));
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setHighlightSections(false);
    }
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid->horizontalHeader()->setFixedHeight(rowHeight);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    // Column 0's header is four blanks and the column is sized to them, but never so
    // narrow that a rank label is cut: "30:" is the wider of the two in this lettering.
    grid->setHorizontalHeaderItem(0, new QTableWidgetItem(QStringLiteral("    ")));
    const QFontMetrics metrics(grid->font());
    const int labelWidth = std::max(metrics.horizontalAdvance(QStringLiteral("    ")),
                                    metrics.horizontalAdvance(rankLabel(scoreTableSize)));
    grid->setColumnWidth(0, labelWidth + 2 * cellMargin);
    for (int row = 0; row < scoreTableSize; ++row) {
        for (int column = 0; column < columnCount; ++column) {
            auto* item = new QTableWidgetItem;
            item->setBackground(cellColour);
            item->setForeground(cellTextColour);
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            grid->setItem(row, column, item);
        }
    }
    return grid;
}

void setColumnWidth(QTableWidget& grid, int column, int pixels)
{
    // At a scale the header's lettering is rounded apart from the column: it may come out
    // wider than the column does.
    QHeaderView* header = grid.horizontalHeader();
    header->ensurePolished();
    grid.setColumnWidth(column, std::max(pixels, header->sectionSizeHint(column)));
}

}  // namespace drovane
