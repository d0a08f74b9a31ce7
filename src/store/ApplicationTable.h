#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <QVariantMap>

class Database;
class SqlDialect;

// The single row of the "Application" table, read and written field by field. Field names are
// matched without regard to case, so every spelling of a field reaches the same column.
class ApplicationTable {
public:
    // A read row: values keyed by field name, looked up without regard to case; a missing field
    // reads as Null.
    class Row {
    public:
        explicit Row(QVariantMap values = {});
        QVariant value(const QString& field) const;
        bool isNull(const QString& field) const { return value(field).isNull(); }
        const QVariantMap& values() const { return m_values; }

    private:
        QVariantMap m_values; // keys in lower case
    };

    explicit ApplicationTable(Database& database);

    Row read();
    // Writes the fields in the given order in one statement; the row is created if missing. The
    // program's own settings go in the same transaction, so a save is kept whole or not at all.
    void write(const QList<QPair<QString, QVariant>>& fields,
               const QList<QPair<QString, QVariant>>& programValues = {});
    QStringList fieldNames();

    // A field's value as the database keeps it. The scrambled password may hold any character,
    // NUL included, which server text cannot: the server keeps it as its UTF-8 bytes.
    static QVariant stored(const SqlDialect& dialect, const QString& field, const QVariant& value);

private:
    Database& m_database;
};
