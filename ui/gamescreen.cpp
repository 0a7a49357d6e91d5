// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/gamescreen.h"

#include "rules/gamemode.h"
#include "rules/modetext.h"
#include "rules/randomsource.h"
#include "scores/scorepaths.h"
#include "ui/colours.h"
#include "ui/fonts.h"
#include "ui/layout.h"
#include "ui/navigator.h"
#include "ui/pickuptone.h"
#include "ui/screenlabel.h"
#include "ui/soundswitch.h"
#include "ui/windowrules.h"

#include <QApplication>
#include <QCloseEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace drovane {
namespace {

const QString applicationTitle = QStringLiteral("Drovane");
constexpr QSize clientSize = twipsLengthToPixels(layout::gameScreen::clientArea);

}  // namespace

GameScreen::GameScreen(const GameMode& mode, GameState& state, RandomSource& random)
    : mode_(mode),
      core_(mode, state, *this, random),
      painter_(mode, palette())
{
    setObjectName(toQString(mode.gameScreen));
    applyWindowRules(this, clientSize);
    setWindowTitle(toQString(mode.gameCaption));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    createLabels();
    createTimers();
    core_.load();
    refreshed_ = core_.playfield();
    for (QTimer* timer : timers_) {
        if (timer)
            timer->start();
    }
}

GameScreen::~GameScreen() = default;

void GameScreen::createLabels()
{
    const QColor status = toQColor(mode_.statusColour);
    const QColor paleYellow(255, 255, 128);
    const QColor paleGreen(128, 255, 128);
    const auto decor = [this](const Control& control, const QString& caption, ScreenLabel::Look look) {
        look.rect = twipsToPixels(control.place);
        return new ScreenLabel(QString::fromLatin1(control.name), caption, look, this);
    };
    const auto button = [&](const Control& control, const QString& caption) {
        return decor(control, caption,
                     {{},
                      Qt::AlignHCenter,
                      dialogFont(),
                      systemColour(SystemColour::ButtonFace, palette()),
                      systemColour(SystemColour::ButtonText, palette())});
    };
    namespace place = layout::gameScreen;
    labels_.scoreTitle = decor(place::scoreTitle, QStringLiteral("Score:"),
                               {{}, Qt::AlignLeft, comicFont(9), status, paleYellow});
    labels_.score = decor(place::score, QStringLiteral("0"), {{}, Qt::AlignLeft, comicFont(9), status, paleYellow});
    labels_.credit = decor(place::credit, QStringLiteral("By Pelmar"),
                           {{}, Qt::AlignLeft, comicFont(9.75), status, paleGreen});
    labels_.submitButton = button(place::submitButton, QStringLiteral("Valider"));
    labels_.quitButton = button(place::quitButton, QStringLiteral("Quitter"));
    labels_.pause = button(place::pauseButton, QStringLiteral("Pause"));

    connect(labels_.submitButton, &ScreenLabel::clicked, this, [this] {
        perform(ScreenAction::Submit);
        refresh();
    });
    connect(labels_.quitButton, &ScreenLabel::clicked, this, [this] { perform(ScreenAction::Quit); });
    connect(labels_.pause, &ScreenLabel::clicked, this, [this] {
        core_.clickPause();
        refresh();
    });
}

void GameScreen::createTimers()
{
    const auto make = [this](GameTimer which, int interval, void (GameCore::*handler)()) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QStringLiteral("Timer%1").arg(static_cast<int>(which)));
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(interval);
        connect(timer, &QTimer::timeout, this, [this, handler] {
            (core_.*handler)();
            refresh();
        });
        timers_[static_cast<std::size_t>(which)] = timer;
    };
    make(GameTimer::Tick, mode_.tickInterval, &GameCore::tick);
    if (mode_.stoneInterval)
        make(GameTimer::Stone, *mode_.stoneInterval, &GameCore::launchStone);
    if (mode_.bonusInterval)
        make(GameTimer::Bonus, *mode_.bonusInterval, &GameCore::launchBonus);
    if (mode_.pelletInterval)
        make(GameTimer::Pellet, *mode_.pelletInterval, &GameCore::launchPellet);
}

QTimer* GameScreen::timer(GameTimer which) const
{
    return timers_[static_cast<std::size_t>(which)];
}

ScreenLabel* GameScreen::label(const QString& name) const
{
    return findChild<ScreenLabel*>(name, Qt::FindDirectChildrenOnly);
}

void GameScreen::refresh()
{
    syncCaptions();
    // Only what changed: on a tick the playfield and the score, on a key the ship.
    const QRect changed = painter_.changedArea(refreshed_, core_.playfield(), labels_);
    if (!changed.isEmpty())
        update(changed);
    refreshed_ = core_.playfield();
    PickupTone::instance().follow({mode_.hasBonus() || mode_.hasPellet(), SoundSwitch::instance().isOn(),
                                   core_.runState(), isVisible() && !isMinimized(),
                                   QApplication::activeModalWidget() != nullptr});
}

void GameScreen::syncCaptions()
{
    labels_.score->setCaption(core_.playfield().scoreCaption);
    labels_.pause->setCaption(pauseCaption(core_.playfield().run));
}

GameScreen::KeyMeaning GameScreen::keyMeaning(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    switch (qtKey) {
    case Qt::Key_Left:
        return Command::SteerLeft;
    case Qt::Key_Right:
        return Command::SteerRight;
    case Qt::Key_P:
        return Command::Pause;
    case Qt::Key_R:
    case Qt::Key_F2:
        return Command::Replay;
    case Qt::Key_M:
        return ScreenAction::SwitchSound;
    case Qt::Key_S:
        return control ? KeyMeaning(ScreenAction::Submit) : KeyMeaning();
    case Qt::Key_Q:
        return control ? KeyMeaning(ScreenAction::Quit) : KeyMeaning();
    default:
        return {};
    }
}

void GameScreen::paintEvent(QPaintEvent* event)
{
    syncCaptions();  // the rules may have run without an event of this window
    QPainter painter(this);
    painter_.paint(painter, core_.playfield(), labels_, event->region());
}

void GameScreen::keyPressEvent(QKeyEvent* event)
{
    // Shift and Alt make no difference, Ctrl only to S and Q; each repeat of a held key counts.
    const KeyMeaning meaning = keyMeaning(event->key(), event->modifiers());
    if (const auto* command = std::get_if<Command>(&meaning)) {
        core_.command(*command);
    } else if (const auto* action = std::get_if<ScreenAction>(&meaning)) {
        perform(*action);
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    refresh();
}

ScreenLabel* GameScreen::labelAt(QPoint position) const
{
    for (ScreenLabel* label : {labels_.submitButton, labels_.pause, labels_.quitButton}) {
        if (label->look().rect.contains(position))
            return label;
    }
    return nullptr;
}

void GameScreen::mousePressEvent(QMouseEvent* event)
{
    pressedLabel_ = event->button() == Qt::LeftButton ? labelAt(event->position().toPoint()) : nullptr;
}

void GameScreen::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release on the same label.
    ScreenLabel* pressed = pressedLabel_;
    pressedLabel_ = nullptr;
    if (pressed && event->button() == Qt::LeftButton && labelAt(event->position().toPoint()) == pressed)
        emit pressed->clicked();
}

void GameScreen::closeEvent(QCloseEvent* event)
{
    // Closing unloads the screen: nothing of it may run any more.
    for (QTimer* timer : timers_) {
        if (timer)
            timer->stop();
    }
    QWidget::closeEvent(event);
}

void GameScreen::changeEvent(QEvent* event)
{
    // Another program took the focus, or the window went down to the taskbar: the run
    // must not go on unseen. The game's own boxes and board do not count as leaving.
    const bool left = (event->type() == QEvent::ActivationChange && !QApplication::activeWindow())
                      || (event->type() == QEvent::WindowStateChange && isMinimized());
    if (left) {
        core_.windowLeft();
        refresh();
    }
    QWidget::changeEvent(event);
}

void GameScreen::closeMenuAndBoards()
{
    Navigator::instance().closeMenuAndBoards();
}

void GameScreen::setTimerEnabled(GameTimer which, bool enabled)
{
    QTimer* timer = timers_[static_cast<std::size_t>(which)];
    if (!timer)
        return;
    // Only a switch from off to on restarts the countdown.
    if (!enabled)
        timer->stop();
    else if (!timer->isActive())
        timer->start();
}

void GameScreen::showMessage(const QString& text)
{
    refresh();  // the screen shows the moment of the message while it is open
    QMessageBox box(QMessageBox::NoIcon, applicationTitle, text, QMessageBox::Ok, this);
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    if (!QApplication::activeWindow())
        box.setAttribute(Qt::WA_ShowWithoutActivating);  // never over another program's window
    box.exec();
}

QString GameScreen::askText(const QString& prompt, int maxLength)
{
    refresh();
    QInputDialog dialog(this);
    dialog.setWindowTitle(applicationTitle);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(QString());
    if (auto* field = dialog.findChild<QLineEdit*>())
        field->setMaxLength(maxLength);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

void GameScreen::beep()
{
    PickupTone::instance().play();
}

void GameScreen::showScoreBoard()
{
    Navigator::instance().show(toQString(mode_.scoreBoard));
}

void GameScreen::perform(ScreenAction action)
{
    switch (action) {
    case ScreenAction::Submit:
        submitResult();
        return;
    case ScreenAction::Quit:
        endProgram();
        return;
    case ScreenAction::SwitchSound:
        switchSound();
        return;
    }
}

void GameScreen::endProgram()
{
    Navigator::instance().endProgram();
}

void GameScreen::submitResult()
{
    submitScore(core_, *this, submissionMemory(), scoreFileLocation(mode_));
}

void GameScreen::switchSound()
{
    SoundSwitch::instance().toggle();  // the refresh after the key tells the tone
}

}  // namespace drovane
