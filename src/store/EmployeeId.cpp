#include "store/EmployeeId.h"

#include <QList>

QString EmployeeId::normalised(const QString& text)
{
    // The simple case mapping turns one character into one; QString::toUpper would also apply the
    // expanding ones ("ß" to "SS") and make two employees one.
    QString result;
    const QList<uint> characters = text.trimmed().toUcs4();
    result.reserve(characters.size());
    for (const uint c : characters) {
        const char32_t upper = QChar::toUpper(char32_t(c));
        if (QChar::requiresSurrogates(upper)) {
            result.append(QChar(QChar::highSurrogate(upper)));
            result.append(QChar(QChar::lowSurrogate(upper)));
        } else {
            result.append(QChar(char16_t(upper)));
        }
    }
    return result;
}
