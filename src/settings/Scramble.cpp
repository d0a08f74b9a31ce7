#include "settings/Scramble.h"

namespace {
// Fixed for good: every stored password was scrambled with it.
constexpr char16_t key[] = u"QWERTYMANGOLIDSKVBHUP";
constexpr qsizetype keyLength = 21;
static_assert(sizeof(key) / sizeof(key[0]) == keyLength + 1);
} // namespace

QString Scramble::apply(const QString& text)
{
    QString result = text;
    for (qsizetype i = 0; i < result.size(); ++i)
        result[i] = QChar(static_cast<char16_t>(result[i].unicode() ^ key[i % keyLength]));
    return result;
}
