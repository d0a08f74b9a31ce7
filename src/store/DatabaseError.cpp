#include "store/DatabaseError.h"

#include <QSqlError>

DatabaseError::DatabaseError(QString number, QString text)
    : std::runtime_error(text.toStdString())
    , m_number(std::move(number))
    , m_text(std::move(text))
{}

DatabaseError::DatabaseError(const QSqlError& error)
    : DatabaseError(error.nativeErrorCode().isEmpty() ? QStringLiteral("0") : error.nativeErrorCode(),
                    error.text())
{}

QString DatabaseError::userMessage() const
{
    return QStringLiteral("Database problem.. Error number is: %1.  %2").arg(m_number, m_text);
}

bool DatabaseError::isBusy() const
{
    // SQLite's BUSY and LOCKED (extended codes keep them in the low byte); the server's
    // lock_not_available.
    bool numeric = false;
    const int code = m_number.toInt(&numeric);
    if (numeric)
        return (code & 0xff) == 5 || (code & 0xff) == 6;
    return m_number == QLatin1String("55P03");
}

bool DatabaseError::isDamage() const
{
    return isDamage(m_number);
}

bool DatabaseError::isDamage(const QString& number)
{
    const int primary = number.toInt() & 0xff;
    return primary == 11 /*CORRUPT*/ || primary == 26 /*NOTADB*/;
}
