#include "store/ProgramSettingsTable.h"

#include "store/Database.h"

#include <QSqlQuery>

ProgramSettingsTable::ProgramSettingsTable(Database& database)
    : m_database(database)
{}

QVariantMap ProgramSettingsTable::read()
{
    QSqlQuery& query = m_database.run(QStringLiteral(R"(SELECT "Key", "Value" FROM "Program settings")"));
    QVariantMap values;
    while (query.next())
        values.insert(query.value(0).toString(), query.value(1));
    m_database.finish(query);
    return values;
}

void ProgramSettingsTable::write(const QList<QPair<QString, QVariant>>& values)
{
    if (values.isEmpty())
        return;
    Transaction transaction(m_database);
    writeWithin(values);
    transaction.commit();
}

void ProgramSettingsTable::writeWithin(const QList<QPair<QString, QVariant>>& values)
{
    for (const auto& [key, value] : values)
        m_database.execute(QStringLiteral(R"(INSERT INTO "Program settings" ("Key", "Value") VALUES (?, ?) )"
                                          R"(ON CONFLICT ("Key") DO UPDATE SET "Value" = excluded."Value")"),
                           {key, value.isNull() ? QVariant() : QVariant(value.toString())});
}
