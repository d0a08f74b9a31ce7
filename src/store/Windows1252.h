#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The Windows ANSI code page the staff files are kept in. Every byte maps to one character and
// back, the five bytes the code page leaves undefined included, so no file text is ever lost.
namespace Windows1252 {
QString decode(QByteArrayView bytes);
// Characters outside the code page become '?'.
QByteArray encode(QStringView text);
} // namespace Windows1252
