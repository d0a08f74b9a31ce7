#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The Windows ANSI code page the staff files are kept in. Every byte maps to one character and
// back, the five bytes the code page leaves undefined included, so no file text is ever lost.
namespace Windows1252 {
QString decode(QByteArrayView bytes);
// Characters outside the code page become '?'; callers that store text refuse them first.
QByteArray encode(QStringView text);
// The first character of the text that the code page cannot hold (a surrogate pair counts as one);
// empty when it holds them all.
QString firstUnencodable(QStringView text);
// The byte that stands for the character, as a number (0x80 for "€"); -1 for a character outside
// the code page.
int byteOf(QChar c);
} // namespace Windows1252
