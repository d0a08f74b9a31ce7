#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariant>
#include <QVariantList>

// A private connection to one SQLite file for whole-file work (checks, copies, salvage), apart from
// the program's own handle; closed and removed when it goes out of scope.
class SqliteConnection {
public:
    SqliteConnection(const QString& path, int busyTimeoutMs, bool readOnly = false);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    bool isOpen() const { return m_open; }
    QSqlDatabase database() const;
    const QSqlError& lastError() const { return m_lastError; }

    // Runs one statement to its end; false with lastError set when it fails.
    bool exec(const QString& sql, const QVariantList& values = {});
    // The first column of the first row, or an invalid value when the statement fails.
    QVariant scalar(const QString& sql, const QVariantList& values = {});
    // Every value of the first column.
    QVariantList column(const QString& sql, const QVariantList& values = {});
    void close();

private:
    // Prepared, bound and run; a failure is left in m_lastError.
    QSqlQuery run(const QString& sql, const QVariantList& values);

    QString m_name;
    bool m_open = false;
    QSqlError m_lastError;
};

// SQLite's primary result code (the low byte of an extended code) from an error.
int sqlitePrimaryCode(const QSqlError& error);
