// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace drovane {

// Score files hold 8-bit text in the Western Windows code page: one byte per character.

// Characters the code page cannot hold become "?".
QByteArray toWindows1252(QStringView text);
// Every byte becomes exactly one character, NUL included.
QString fromWindows1252(QByteArrayView bytes);

// The code page's own table for one byte; stands in where Qt has no such codec.
char16_t windows1252Char(unsigned char byte);

}  // namespace drovane
