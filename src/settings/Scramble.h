#pragma once

#include <QString>

// The reversible scrambling of the stored password: the same call scrambles and unscrambles.
namespace Scramble {
QString apply(const QString& text);
} // namespace Scramble
