// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/navigator.h"

#include "rules/gamemode.h"
#include "rules/modetext.h"

#include <QApplication>
#include <QKeyEvent>

#include <algorithm>

namespace drovane {

bool isQuitKey(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Q && event.modifiers().testFlag(Qt::ControlModifier);
}

Navigator& Navigator::instance()
{
    static Navigator navigator;
    return navigator;
}

Navigator::Navigator()
    : endProgram_([] {
          QApplication::closeAllWindows();
          QCoreApplication::quit();
      })
{
}

void Navigator::setFactory(Factory factory)
{
    factory_ = std::move(factory);
}

void Navigator::setEndProgram(std::function<void()> endProgram)
{
    endProgram_ = std::move(endProgram);
}

QWidget* Navigator::find(const QString& name) const
{
    const QPointer<QWidget> window = windows_.value(name);
    // Windows are only ever hidden by closing, and a closed one is deleted later:
    // either way it is no longer open.
    if (!window || !window->isVisible())
        return nullptr;
    return window.data();
}

QWidget* Navigator::show(const QString& name)
{
    QWidget* window = find(name);
    if (!window) {
        if (!factory_)
            return nullptr;
        // The constructor is the load step; a game screen's load closes other windows,
        // and the new window must be shown in this same call so the program stays up.
        window = factory_(name);
        if (!window)
            return nullptr;
        window->setObjectName(name);
        windows_.insert(name, window);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void Navigator::close(const QString& name)
{
    if (QWidget* window = find(name))
        window->close();
}

void Navigator::closeMenuAndBoards()
{
    // The menu, then the boards in the order of their names, as the game has always closed them.
    QStringList boards;
    for (const GameMode& mode : allGameModes())
        boards.append(toQString(mode.scoreBoard));
    std::sort(boards.begin(), boards.end());
    close(QStringLiteral("menu"));
    for (const QString& board : std::as_const(boards))
        close(board);
}

void Navigator::endProgram()
{
    if (endProgram_)
        endProgram_();
}

void Navigator::reset()
{
    for (const QPointer<QWidget>& window : std::as_const(windows_)) {
        if (window)
            delete window.data();
    }
    windows_.clear();
}

}  // namespace drovane
