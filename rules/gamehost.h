// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace drovane {

enum class GameTimer { Tick = 1, Stone = 2, Bonus = 3, Pellet = 4 };

// What the rules of a game screen need from the outside world. The real screen
// answers with Qt timers, a modal box and sound; tests answer with scripts.
class GameHost {
public:
    virtual ~GameHost() = default;

    // Closes the menu and every open score board (first step of a screen's load).
    virtual void closeMenuAndBoards() = 0;
    // Switching a timer from off to on restarts its countdown from the full interval.
    virtual void setTimerEnabled(GameTimer timer, bool enabled) = 0;
    // Modal message with one OK button ("Perdu !"); returns when the player closes it.
    virtual void showMessage(const QString& text) = 0;
    // The short high tone of a pickup.
    virtual void beep() = 0;
};

}  // namespace drovane
