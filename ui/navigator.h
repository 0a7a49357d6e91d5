// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QKeyEvent;

namespace drovane {

// Ctrl+Q, whatever else is held: on every window it ends the program, as "Quitter" and
// "Fin" do.
bool isQuitKey(const QKeyEvent& event);

// Keeps the single program-wide instance of every window: the menu, the five game
// screens and the five score boards, by their objectName. A window is created (and
// so loaded) the first time it is shown; closing it unloads it.
class Navigator {
public:
    using Factory = std::function<QWidget*(const QString& name)>;

    static Navigator& instance();

    void setFactory(Factory factory);
    // Replaces what "Quitter" and "Fin" do (tests keep the application alive).
    void setEndProgram(std::function<void()> endProgram);

    // Creates and loads the window if it is not open, then shows it modeless, without
    // owner, in front.
    QWidget* show(const QString& name);
    // Closes an open window; a window that is not open is left alone, not loaded.
    void close(const QString& name);
    // The open window of that name, or nullptr.
    QWidget* find(const QString& name) const;

    // The first step of a game screen's load.
    void closeMenuAndBoards();
    // Ends the program at once, closing every window.
    void endProgram();

    // Forgets every window (tests).
    void reset();

private:
    Navigator();

    Factory factory_;
    std::function<void()> endProgram_;
    QHash<QString, QPointer<QWidget>> windows_;
};

}  // namespace drovane
