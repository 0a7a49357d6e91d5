// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/gamecore.h"
#include "rules/gamehost.h"
#include "rules/randomsource.h"
#include "scores/submission.h"
#include "ui/playfieldpainter.h"

#include <QWidget>

#include <array>
#include <variant>

class QTimer;

namespace drovane {

struct GameMode;
class ScreenLabel;

// The window of one mode's game. It forwards the events of a run to the rules and
// draws their state, and runs "Valider", "Quitter" and the sound switch itself;
// constructing it is the screen's load step.
class GameScreen : public QWidget, private GameHost, private SubmissionHost {
    Q_OBJECT
public:
    // What the screen does itself, rather than the rules: the keys of "Valider" and
    // "Quitter", and the sound switch.
    enum class ScreenAction { Submit, Quit, SwitchSound };
    // What a key means on a game screen: a command for the rules, one of the screen's
    // own actions, or nothing (std::monostate).
    using KeyMeaning = std::variant<std::monostate, Command, ScreenAction>;

    explicit GameScreen(const GameMode& mode, GameState& state = sharedGameState(),
                        RandomSource& random = programRandom());
    ~GameScreen() override;

    GameCore& core() { return core_; }
    // Timer1 to Timer4; nullptr for a timer the mode does not have.
    QTimer* timer(GameTimer which) const;
    ScreenLabel* label(const QString& name) const;

    // Every key a game screen answers: the arrows, P, R and F2 for the rules, Ctrl+S,
    // Ctrl+Q and M for the screen. Shift, Ctrl and Alt change nothing, except that S and
    // Q count only with Ctrl.
    static KeyMeaning keyMeaning(int qtKey, Qt::KeyboardModifiers modifiers = {});

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // GameHost
    void closeMenuAndBoards() override;
    void setTimerEnabled(GameTimer timer, bool enabled) override;
    void showMessage(const QString& text) override;  // SubmissionHost's too
    void beep() override;
    // SubmissionHost
    QString askText(const QString& prompt, int maxLength) override;
    void showScoreBoard() override;

    void perform(ScreenAction action);
    void submitResult();
    void endProgram();
    void switchSound();

    void createLabels();
    void createTimers();
    // Copies the captions the rules write and schedules a redraw of what changed since
    // the last refresh.
    void refresh();
    void syncCaptions();
    ScreenLabel* labelAt(QPoint position) const;

    const GameMode& mode_;
    GameCore core_;
    std::array<QTimer*, 5> timers_{};
    ScreenLabels labels_{};
    ScreenLabel* pressedLabel_ = nullptr;
    PlayfieldPainter painter_;
    Playfield refreshed_;  // the field as of the last refresh
};

}  // namespace drovane
