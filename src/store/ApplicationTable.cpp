#include "store/ApplicationTable.h"

#include "store/Database.h"
#include "store/DatabaseError.h"
#include "store/ProgramSettingsTable.h"
#include "store/SqlDialect.h"

#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>

ApplicationTable::Row::Row(QVariantMap values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        m_values.insert(it.key().toLower(), it.value());
}

QVariant ApplicationTable::Row::value(const QString& field) const
{
    return m_values.value(field.toLower());
}

ApplicationTable::ApplicationTable(Database& database)
    : m_database(database)
{}

ApplicationTable::Row ApplicationTable::read()
{
    QSqlQuery& query = m_database.run(QStringLiteral(R"(SELECT * FROM "Application" ORDER BY %1 LIMIT 1)")
                                          .arg(m_database.dialect().insertionOrder()));
    QVariantMap values;
    if (query.next()) {
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i) {
            const QVariant value = record.value(i);
            // The server's password bytes are text again for everyone who reads the row.
            values.insert(record.fieldName(i), value.typeId() == QMetaType::QByteArray && !value.isNull()
                                                   ? QVariant(QString::fromUtf8(value.toByteArray()))
                                                   : value);
        }
    }
    m_database.finish(query);
    return Row(values);
}

void ApplicationTable::write(const QList<QPair<QString, QVariant>>& fields,
                             const QList<QPair<QString, QVariant>>& programValues)
{
    if (fields.isEmpty()) {
        ProgramSettingsTable(m_database).write(programValues);
        return;
    }
    // A server compares quoted column names exactly, the file without regard to case: write the
    // column under the name the table has.
    QHash<QString, QString> columns;
    for (const QString& column : fieldNames())
        columns.insert(column.toLower(), column);
    QStringList assignments;
    QVariantList values;
    for (const auto& [name, value] : fields) {
        assignments.append(Database::quoted(columns.value(name.toLower(), name)) + QStringLiteral(" = ?"));
        values.append(stored(m_database.dialect(), name, value));
    }
    Transaction transaction(m_database);
    // Two stations saving options at once must not both add the missing row.
    m_database.lock(QStringLiteral("Application"));
    QSqlQuery& count = m_database.run(QStringLiteral(R"(SELECT count(*) FROM "Application")"));
    const bool missing = count.next() && count.value(0).toInt() == 0;
    m_database.finish(count);
    if (missing)
        m_database.execute(QStringLiteral(R"(INSERT INTO "Application" DEFAULT VALUES)"));
    m_database.execute(
        QStringLiteral(R"(UPDATE "Application" SET %1 WHERE %2 = )"
                       R"((SELECT %2 FROM "Application" ORDER BY %2 LIMIT 1))")
            .arg(assignments.join(QStringLiteral(", ")), m_database.dialect().insertionOrder()),
        values);
    ProgramSettingsTable(m_database).writeWithin(programValues);
    transaction.commit();
}

QStringList ApplicationTable::fieldNames()
{
    return m_database.columnNames(QStringLiteral("Application"));
}

QVariant ApplicationTable::stored(const SqlDialect& dialect, const QString& field, const QVariant& value)
{
    if (!dialect.isServer() || field.compare(QLatin1String("PW"), Qt::CaseInsensitive) != 0 || value.isNull())
        return value;
    return value.toString().toUtf8();
}
