// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace drovane {

struct GameMode;

// The folder that holds the five score files, as the player chose it at start-up
// (--scores-dir, or DROVANE_SCORES_DIR); empty goes back to the default folder.
// A relative folder is taken from the current directory at the time of the call.
void setScoreFolder(const QString& folder);

// Where a mode's score file lives: in the chosen folder when there is one, otherwise in
// the user's data folder, "<generic data>/Drovane/bdd activité N" (the name the mode's
// fixed path ends with). The folder is made by the first write, never by a read.
QString scoreFileLocation(const GameMode& mode);

}  // namespace drovane
