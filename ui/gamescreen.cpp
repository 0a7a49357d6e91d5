// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/gamescreen.h"

#include "rules/gamemode.h"
#include "rules/modetext.h"
#include "rules/randomsource.h"
#include "scores/scorepaths.h"
#include "scores/submission.h"
#include "ui/colours.h"
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
constexpr QSize clientSize{twipsToPixelsTruncated(geometry::clientWidth),
                           twipsToPixelsTruncated(geometry::clientHeight)};

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
    const auto decor = [this](const char* name, const QString& caption, const ScreenLabel::Look& look) {
        return new ScreenLabel(QString::fromLatin1(name), caption, look, this);
    };
    const auto button = [&](const char* name, const QString& caption, QRect rect) {
        return decor(name, caption,
                     {rect, Qt::AlignHCenter, dialogFont(), systemColour(SystemColour::ButtonFace, palette()),
                      systemColour(SystemColour::ButtonText, palette())});
    };
    labels_.scoreTitle = decor("Label1", QStringLiteral("Score:"),
                               {twipsRect(4200, 3720, 615, 255), Qt::AlignLeft, comicFont(9), status, paleYellow});
    labels_.score = decor("score", QStringLiteral("0"),
                          {twipsRect(4920, 3720, 975, 255), Qt::AlignLeft, comicFont(9), status, paleYellow});
    labels_.credit = decor("Label2", QStringLiteral("By Pelmar"),
                           {twipsRect(240, 3600, 1095, 255), Qt::AlignLeft, comicFont(9.75), status, paleGreen});
    labels_.submitButton = button("Label3", QStringLiteral("Valider"), twipsRect(1320, 3720, 855, 255));
    labels_.quitButton = button("Label4", QStringLiteral("Quitter"), twipsRect(3240, 3720, 855, 255));
    labels_.pause = button("pause", QStringLiteral("Pause"), twipsRect(2280, 3720, 855, 255));

    connect(labels_.submitButton, &ScreenLabel::clicked, this, [this] {
        submitResult();
        refresh();
    });
    connect(labels_.quitButton, &ScreenLabel::clicked, this, [this] { core_.clickQuit(); });
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

int GameScreen::virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    switch (qtKey) {
    case Qt::Key_Left:
        return keys::left;
    case Qt::Key_Right:
        return keys::right;
    case Qt::Key_P:
        return keys::pause;
    case Qt::Key_M:
        return keys::mute;
    case Qt::Key_R:
        return keys::replay;
    case Qt::Key_F2:
        return keys::replayF2;
    case Qt::Key_S:
        return control ? keys::submit : 0;
    case Qt::Key_Q:
        return control ? keys::quit : 0;
    default:
        return 0;
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
    const int code = virtualKeyCode(event->key(), event->modifiers());
    if (code == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    core_.keyDown(code);
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

void GameScreen::endProgram()
{
    Navigator::instance().endProgram();
}

void GameScreen::submitResult()
{
    submitScore(core_, submissionMemory(), scoreFileLocation(mode_));
}

void GameScreen::switchSound()
{
    SoundSwitch::instance().toggle();  // the refresh after the key tells the tone
}

}  // namespace drovane
