#include "store/SqlDialect.h"

#include <QCryptographicHash>
#include <QtEndian>

QString SqlDialect::beginWrite() const
{
    return isServer() ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE");
}

QString SqlDialect::lockStatement() const
{
    return isServer() ? QStringLiteral("SELECT pg_advisory_xact_lock(?)") : QString();
}

qint64 SqlDialect::lockKey(const QString& key)
{
    // Every station must turn the same key into the same number, so no per-process hash salt.
    const QByteArray digest =
        QCryptographicHash::hash(key.trimmed().toUpper().toUtf8(), QCryptographicHash::Sha256);
    return qFromBigEndian<qint64>(digest.constData());
}

QString SqlDialect::insertionOrder() const
{
    return isServer() ? QStringLiteral("ctid") : QStringLiteral("rowid");
}

QString SqlDialect::caseSensitiveCollation() const
{
    return isServer() ? QStringLiteral(R"(COLLATE "C")") : QStringLiteral("COLLATE BINARY");
}

QString SqlDialect::tableExistsQuery() const
{
    return isServer()
               ? QStringLiteral("SELECT table_name FROM information_schema.tables "
                                "WHERE table_schema = current_schema() AND lower(table_name) = lower(?)")
               : QStringLiteral(
                     "SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE");
}

QString SqlDialect::columnNamesQuery() const
{
    return isServer() ? QStringLiteral("SELECT column_name FROM information_schema.columns "
                                       "WHERE table_schema = current_schema() AND table_name = ? "
                                       "ORDER BY ordinal_position")
                      : QStringLiteral("SELECT name FROM pragma_table_info(?)");
}

QString SqlDialect::advanceSequence(const QString& table, const QString& column) const
{
    if (!isServer())
        return {};
    // pg_get_serial_sequence wants the table as an SQL name, quotes included.
    QString quotedTable = table;
    quotedTable.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    quotedTable = QLatin1Char('"') + quotedTable + QLatin1Char('"');
    QString quotedColumn = column;
    quotedColumn.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), "
                          "GREATEST((SELECT coalesce(max(\"%3\"), 0) FROM %1), 1), "
                          "(SELECT count(*) > 0 FROM %1))")
        .arg(QString(quotedTable).replace(QLatin1Char('\''), QStringLiteral("''")),
             QString(column).replace(QLatin1Char('\''), QStringLiteral("''")), quotedColumn);
}

QString SqlDialect::latestPunchPerEmployee() const
{
    // The server picks each employee's first row of the order in one pass; SQLite has no DISTINCT ON.
    return isServer()
               ? QStringLiteral(R"(SELECT DISTINCT ON ("Employee ID") "Employee ID", "Clock out", "Time" )"
                                R"(FROM "In Out" WHERE "Julian" >= ? )"
                                R"(ORDER BY "Employee ID", "Julian" DESC, "Record number" DESC)")
               : QStringLiteral(R"(SELECT "Employee ID", "Clock out", "Time" FROM (SELECT "Employee ID", )"
                                R"("Clock out", "Time", row_number() OVER (PARTITION BY "Employee ID" )"
                                R"(ORDER BY "Julian" DESC, "Record number" DESC) AS "Rank" )"
                                R"(FROM "In Out" WHERE "Julian" >= ?) WHERE "Rank" = 1)");
}
