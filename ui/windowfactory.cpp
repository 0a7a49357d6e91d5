// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windowfactory.h"

#include "rules/gamemode.h"
#include "ui/gamescreen.h"
#include "ui/menuwindow.h"
#include "ui/scoreboard.h"

namespace drovane {

QWidget* createWindow(const QString& name)
{
    if (name == QLatin1String("menu"))
        return new MenuWindow;
    const QByteArray utf8 = name.toUtf8();
    const std::string_view key(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    const GameMode* mode = gameModeByWindowName(key);
    if (!mode)
        return nullptr;
    if (mode->gameScreen == key)
        return new GameScreen(*mode);
    return new ScoreBoard(*mode);
}

}  // namespace drovane
