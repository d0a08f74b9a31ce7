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

bool DatabaseError::isDamage() const
{
    return isDamage(m_number);
}

bool DatabaseError::isDamage(const QString& number)
{
    const int primary = number.toInt() & 0xff;
    return primary == 11 /*CORRUPT*/ || primary == 26 /*NOTADB*/;
}
