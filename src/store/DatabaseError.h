#pragma once

#include <QString>
#include <stdexcept>

class QSqlError;

// A failed database operation, with the engine's number and text for the user's message.
class DatabaseError : public std::runtime_error {
public:
    DatabaseError(QString number, QString text);
    explicit DatabaseError(const QSqlError& error);

    const QString& number() const { return m_number; }
    const QString& text() const { return m_text; }
    // "Database problem.. Error number is:" followed by the number and the engine's text.
    QString userMessage() const;
    // The file itself is damaged (not a database, a malformed page), as opposed to busy, locked or
    // unwritable: the error that calls for a repair.
    bool isDamage() const;
    static bool isDamage(const QString& number);
    // Another program held the lock longer than the statement waited: trying again later may work.
    bool isBusy() const;

private:
    QString m_number;
    QString m_text;
};
