// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/gamecore.h"
#include "rules/gamehost.h"
#include "rules/randomsource.h"
#include "ui/playfieldpainter.h"

#include <QWidget>

#include <array>

class QTimer;

namespace drovane {

struct GameMode;
class ScreenLabel;

// The window of one mode's game. It forwards every event to the rules and draws
// their state; constructing it is the screen's load step.
class GameScreen : public QWidget, private GameHost {
    Q_OBJECT
public:
    explicit GameScreen(const GameMode& mode, GameState& state = sharedGameState(),
                        RandomSource& random = programRandom());
    ~GameScreen() override;

    GameCore& core() { return core_; }
    // Timer1 to Timer4; nullptr for a timer the mode does not have.
    QTimer* timer(GameTimer which) const;
    ScreenLabel* label(const QString& name) const;

    // Maps a Qt key to the classic virtual key code the rules know (0 for others). Shift,
    // Ctrl and Alt change nothing, except that S and Q count only with Ctrl (keys::control).
    static int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers = {});

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
    void showMessage(const QString& text) override;
    QString askText(const QString& prompt, int maxLength) override;
    void beep() override;
    void showScoreBoard() override;
    void endProgram() override;
    void submitResult() override;
    void switchSound() override;

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
