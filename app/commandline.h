// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace drovane {

// What the player asked for on the command line.
struct LaunchOptions {
    int zoom = 0;          // 1 to 4; 0 leaves the screen's own scale
    QString scoresFolder;  // empty: the default folder
    bool mute = false;     // no sound at all in this run
};

// Reading the command line ends either in a game to start or in a text to print and an
// exit status, with no window at all (help, version, a bad option).
struct CommandLine {
    LaunchOptions options;
    std::optional<int> exitStatus;  // set: print `text` and leave
    QString text;                   // for standard output when exitStatus is 0, else standard error
};

// `arguments` includes the program's name first, as QCoreApplication::arguments() gives it.
// `scoresFolderVariable` is DROVANE_SCORES_DIR; --scores-dir wins over it. The texts are
// French; Qt's own parts of them ("Utilisation", "Options") need Qt's French texts loaded.
CommandLine readCommandLine(const QStringList& arguments, const QString& scoresFolderVariable);

// Makes every window `zoom` times larger; must run before the application object exists.
void applyZoom(int zoom);

}  // namespace drovane
