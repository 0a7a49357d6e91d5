// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

namespace drovane {

// Loads Qt's own French texts (the "Annuler" of input boxes, the parts of the command
// line's help that Qt writes), whatever the desktop's language: the whole game speaks
// French. Without Debian's qt6-translations-l10n, Qt's English texts stay.
void installFrenchQtTexts(QCoreApplication& application);

}  // namespace drovane
