#pragma once

#include <QString>

namespace drovane {

struct GameMode;

// Where a mode's score file lives: the mode's fixed path on Windows; elsewhere a file of the
// same name in the user's data folder, "<generic data>/Drovane/bdd activité N". The
// folder is made by the first write, never by a read.
QString scoreFileLocation(const GameMode& mode);

}  // namespace drovane
