// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace drovane {

// Score files hold 8-bit text in the Western Windows code page (windows-1252): one byte
// per character, from the code page's own table, so they read the same whatever codecs
// this Qt was built with.

// Characters the code page cannot hold become "?".
QByteArray toWindows1252(QStringView text);
// Every byte becomes exactly one character, NUL included.
QString fromWindows1252(QByteArrayView bytes);

// The character a byte stands for.
char16_t windows1252Char(unsigned char byte);

}  // namespace drovane
