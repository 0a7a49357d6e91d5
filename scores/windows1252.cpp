// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/windows1252.h"

#include <QList>

#include <array>

namespace drovane {
namespace {

// The code page's 0x80-0x9F row; every other byte stands for the character of its own
// number, as in Latin-1.
// clang-format off
constexpr std::array<char16_t, 32> row80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
// clang-format on

char encodeOne(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < row80.size(); ++i) {
        if (row80[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

char16_t windows1252Char(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? row80[byte - 0x80] : char16_t(byte);
}

QByteArray toWindows1252(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    // toUcs4 turns a surrogate pair into one character and a lone surrogate into U+FFFD.
    for (const char32_t c : text.toUcs4())
        bytes.append(encodeOne(c));
    return bytes;
}

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = QChar(windows1252Char(static_cast<unsigned char>(bytes[i])));
    return text;
}

}  // namespace drovane
