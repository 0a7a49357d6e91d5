// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace drovane {

// Call once in main(), before the QApplication is made. Until the application has its
// display platform, Qt's messages are held back; if Qt then finds no display it can reach
// (no DISPLAY nor WAYLAND_DISPLAY, no X server behind DISPLAY, no compositor behind
// WAYLAND_DISPLAY, a platform plugin that is not installed), the program writes one line on
// standard error saying what is missing and exits with status 1 instead of aborting. Once
// the platform is up, the held messages go on to the handler installed before, which is put
// back.
void exitCleanlyWithoutDisplay();

}  // namespace drovane
