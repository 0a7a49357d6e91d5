// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/menuwindow.h"

#include "rules/gamemode.h"
#include "rules/modetext.h"
#include "ui/colours.h"
#include "ui/navigator.h"
#include "ui/pictures.h"
#include "ui/windowrules.h"
#include "ui/wrappingbutton.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace drovane {
namespace {

constexpr QSize clientSize{twipsToPixelsTruncated(5655), twipsToPixelsTruncated(4620)};
constexpr Rgb background{0, 0, 64};

struct OptionPlace {
    int top;
    int width;
    int height;
};
// Option1 to Option5, top to bottom; all stand at Left 1920.
constexpr OptionPlace optionPlaces[modeCount] = {
    {1440, 1935, 405}, {1800, 1095, 375}, {2160, 1815, 405}, {2520, 1815, 405}, {2880, 1815, 405},
};

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

}  // namespace

MenuWindow::MenuWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("menu"));
    applyWindowRules(this, clientSize);
    setWindowTitle(QStringLiteral("menu"));

    playButton_ = new WrappingButton(QStringLiteral("Jouer"), this);
    playButton_->setObjectName(QStringLiteral("Command1"));
    playButton_->setGeometry(twipsRect(1200, 3720, 1215, 615));
    scoresButton_ = new WrappingButton(QStringLiteral("Afficher les scores"), this);
    scoresButton_->setObjectName(QStringLiteral("Command2"));
    scoresButton_->setGeometry(twipsRect(3120, 3720, 1215, 615));
    for (QPushButton* button : {playButton_, scoresButton_})
        button->setFont(dialogFont());

    options_ = new QButtonGroup(this);
    options_->setExclusive(true);
    QWidget* previous = scoresButton_;
    setTabOrder(playButton_, scoresButton_);
    for (const GameMode& mode : allGameModes()) {
        const OptionPlace& place = optionPlaces[mode.index - 1];
        auto* option = new QRadioButton(toQString(mode.menuCaption), this);
        option->setObjectName(toQString(mode.menuOption));
        option->setGeometry(twipsRect(1920, place.top, place.width, place.height));
        option->setFont(comicFont(9.75));
        paintOn(option, background, {0, 128, 0});
        options_->addButton(option, mode.index);
        setTabOrder(previous, option);
        previous = option;
    }
    options_->button(defaultModeIndex)->setChecked(true);

    auto* modePrompt = new QLabel(QStringLiteral("Choisir le mode de jeux:"), this);
    modePrompt->setObjectName(QStringLiteral("Label2"));
    modePrompt->setGeometry(twipsRect(960, 1080, 2775, 375));
    modePrompt->setFont(comicFont(9.75));
    modePrompt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    paintOn(modePrompt, background, {255, 128, 0});

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setGeometry(twipsRect(840, 240, 3900, 645));
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
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (focusWidget() == scoresButton_)
            showScores();
        else
            play();
        return;
    }
    QWidget::keyPressEvent(event);
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
