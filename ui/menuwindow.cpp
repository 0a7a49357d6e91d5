// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/menuwindow.h"

#include "rules/gamemode.h"
#include "rules/modetext.h"
#include "ui/colours.h"
#include "ui/fonts.h"
#include "ui/layout.h"
#include "ui/navigator.h"
#include "ui/pictures.h"
#include "ui/windowrules.h"
#include "ui/wrappingbutton.h"

#include <QButtonGroup>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <iterator>

namespace drovane {
namespace {

constexpr Rgb background{0, 0, 64};

void paintOn(QWidget* widget, Rgb back, Rgb text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, toQColor(back));
    palette.setColor(QPalette::Button, toQColor(back));
    palette.setColor(QPalette::WindowText, toQColor(text));
    palette.setColor(QPalette::ButtonText, toQColor(text));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void place(QWidget* widget, const Control& control)
{
    widget->setObjectName(QString::fromLatin1(control.name));
    widget->setGeometry(twipsToPixels(control.place));
}

}  // namespace

MenuWindow::MenuWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("menu"));
    applyWindowRules(this, twipsLengthToPixels(layout::menu::clientArea));
    setWindowTitle(QStringLiteral("menu"));

    playButton_ = new WrappingButton(QStringLiteral("Jouer"), this);
    place(playButton_, layout::menu::playButton);
    scoresButton_ = new WrappingButton(QStringLiteral("Afficher les scores"), this);
    place(scoresButton_, layout::menu::scoresButton);
    for (QPushButton* button : {playButton_, scoresButton_})
        button->setFont(dialogFont());

    options_ = new QButtonGroup(this);
    options_->setExclusive(true);
    QWidget* previous = scoresButton_;
    setTabOrder(playButton_, scoresButton_);
    for (const GameMode& mode : allGameModes()) {
        auto* option = new QRadioButton(toQString(mode.menuCaption), this);
        option->setObjectName(toQString(mode.menuOption));
        option->setGeometry(twipsToPixels(layout::menu::modeOptions[mode.index - 1]));
        option->setFont(comicFont(9.75));
        paintOn(option, background, {0, 128, 0});
        options_->addButton(option, mode.index);
        option->installEventFilter(this);
        setTabOrder(previous, option);
        previous = option;
    }
    options_->button(defaultModeIndex)->setChecked(true);

    auto* modePrompt = new QLabel(QStringLiteral("Choisir le mode de jeux:"), this);
    place(modePrompt, layout::menu::modePrompt);
    modePrompt->setFont(comicFont(9.75));
    modePrompt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    paintOn(modePrompt, background, {255, 128, 0});

    auto* logo = new QLabel(this);
    place(logo, layout::menu::logo);
    logo->setPixmap(QPixmap::fromImage(logoPicture()));
    logo->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(playButton_, &QPushButton::clicked, this, &MenuWindow::play);
    connect(scoresButton_, &QPushButton::clicked, this, &MenuWindow::showScores);
    playButton_->setFocus();
}

void MenuWindow::paintEvent(QPaintEvent*)
{
    // Painted rather than set in the palette, so the buttons keep the system colours.
    QPainter(this).fillRect(rect(), toQColor(background));
}

void MenuWindow::keyPressEvent(QKeyEvent* event)
{
    if (isQuitKey(*event)) {
        Navigator::instance().endProgram();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (focusWidget() == scoresButton_)
            showScores();
        else
            play();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool MenuWindow::focusNextPrevChild(bool next)
{
    // The options are one stop of the tab order, entered on the selected one.
    QWidget* const stops[] = {playButton_, scoresButton_, options_->checkedButton()};
    const auto count = static_cast<int>(std::size(stops));
    const auto* at = std::find(std::begin(stops), std::end(stops), focusWidget());
    int index = at == std::end(stops) ? (isOption(focusWidget()) ? count - 1 : 0) : int(at - std::begin(stops));
    do
        index = (index + (next ? 1 : count - 1)) % count;
    while (!stops[index]);
    stops[index]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool MenuWindow::eventFilter(QObject* watched, QEvent* event)
{
    // On an option the arrows move the focus and the selection together, within the options.
    if (event->type() != QEvent::KeyPress || !isOption(watched))
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    int step = 0;
    if (key == Qt::Key_Up || key == Qt::Key_Left)
        step = -1;
    else if (key == Qt::Key_Down || key == Qt::Key_Right)
        step = 1;
    if (step == 0)
        return QWidget::eventFilter(watched, event);
    const int index = options_->id(static_cast<QAbstractButton*>(watched)) + step;
    if (QAbstractButton* option = options_->button(index)) {
        option->setChecked(true);
        option->setFocus(step < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    }
    return true;
}

bool MenuWindow::isOption(const QObject* object) const
{
    const auto* button = qobject_cast<const QAbstractButton*>(object);
    return button && button->group() == options_;
}

const GameMode* MenuWindow::selectedMode() const
{
    for (const GameMode& mode : allGameModes()) {
        if (options_->button(mode.index)->isChecked())
            return &mode;
    }
    return nullptr;
}

void MenuWindow::play()
{
    if (const GameMode* mode = selectedMode())
        Navigator::instance().show(toQString(mode->gameScreen));
}

void MenuWindow::showScores()
{
    if (const GameMode* mode = selectedMode())
        Navigator::instance().show(toQString(mode->scoreBoard));
}

}  // namespace drovane
