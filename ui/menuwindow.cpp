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

    command1_ = new WrappingButton(QStringLiteral("Jouer"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setGeometry(twipsRect(1200, 3720, 1215, 615));
    command2_ = new WrappingButton(QStringLiteral("Afficher les scores"), this);
    command2_->setObjectName(QStringLiteral("Command2"));
    command2_->setGeometry(twipsRect(3120, 3720, 1215, 615));
    for (QPushButton* button : {command1_, command2_})
        button->setFont(dialogFont());

    options_ = new QButtonGroup(this);
    options_->setExclusive(true);
    QWidget* previous = command2_;
    setTabOrder(command1_, command2_);
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

    auto* label2 = new QLabel(QStringLiteral("Choisir le mode de jeux:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(twipsRect(960, 1080, 2775, 375));
    label2->setFont(comicFont(9.75));
    label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    paintOn(label2, background, {255, 128, 0});

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(twipsRect(840, 240, 3900, 645));
    image1->setPixmap(QPixmap::fromImage(logoPicture()));
    image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(command1_, &QPushButton::clicked, this, &MenuWindow::play);
    connect(command2_, &QPushButton::clicked, this, &MenuWindow::showScores);
    command1_->setFocus();
}

void MenuWindow::paintEvent(QPaintEvent*)
{
    // Painted rather than set in the palette, so the buttons keep the system colours.
    QPainter(this).fillRect(rect(), toQColor(background));
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
