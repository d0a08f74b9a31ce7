#include "store/SqlDialect.h"

#include "store/EmployeeId.h"

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
        QCryptographicHash::hash(EmployeeId::normalised(key).toUtf8(), QCryptographicHash::Sha256);
    return qFromBigEndian<qint64>(digest.constData());
}

QString SqlDialect::insertionOrder() const
{
    return isServer() ? QStringLiteral("ctid") : QStringLiteral("rowid");
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
    const auto quoted = [](QString name) {
        return QLatin1Char('"') + name.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    };
    // pg_get_serial_sequence takes the table as an SQL name (quotes and all) and the column as is.
    return QStringLiteral(
               "SELECT setval(pg_get_serial_sequence(?, ?), "
               "GREATEST((SELECT coalesce(max(%2), 0) FROM %1), 1), (SELECT count(*) > 0 FROM %1))")
        .arg(quoted(table), quoted(column));
}

QString SqlDialect::lastNumberGiven() const
{
    // SQLite keeps one counter per table, so the column only has to be named.
    return isServer()
               ? QStringLiteral("SELECT pg_sequence_last_value(pg_get_serial_sequence(quote_ident(?), ?))")
               : QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ? AND ? <> ''");
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

SqlDialect::Statement SqlDialect::latestRecordPerEmployee(const QString& columns, qint32 firstDay,
                                                          qint32 lastDay) const
{
    // The server sorts the days' rows once and keeps each employee's first. SQLite sorts such a window
    // slowly, so it lists the employees from the day-first index and probes each one's rows through
    // the employee-first index; neither plan needs the planner's statistics, which files rarely have.
    if (isServer())
        return {QStringLiteral(R"(SELECT DISTINCT ON ("Employee ID") %1 FROM "In Out" )"
                               R"(WHERE "Julian" BETWEEN ? AND ? )"
                               R"(ORDER BY "Employee ID", "Time" DESC, "Record number" DESC)")
                    .arg(columns),
                {firstDay, lastDay}};
    return {QStringLiteral(
                R"(SELECT %1 FROM "In Out" WHERE "Record number" IN )"
                R"((SELECT (SELECT "Last"."Record number" FROM "In Out" AS "Last" )"
                R"(WHERE "Last"."Employee ID" = "Present"."Employee ID" AND "Last"."Julian" BETWEEN ? AND ? )"
                R"(ORDER BY "Last"."Time" DESC, "Last"."Record number" DESC LIMIT 1) )"
                R"(FROM (SELECT DISTINCT "Employee ID" FROM "In Out" WHERE "Julian" BETWEEN ? AND ?) )"
                R"(AS "Present") ORDER BY "Employee ID")")
                .arg(columns),
            {firstDay, lastDay, firstDay, lastDay}};
}

std::optional<QString> SqlDialect::openInsByWindow(bool nextTimes) const
{
    if (!isServer())
        return std::nullopt;
    // Bytewise IDs: sorting by the case-blind collation costs a third more, and the caller checks
    // that no employee is stored in two ways. The days have an upper bound so that a table without
    // statistics is still read through the day index.
    return QStringLiteral(
               R"(SELECT "Employee ID", "Clock out", "Time", "Record number", "Next out"%1 FROM )"
               R"((SELECT "Employee ID", "Clock out", "Time", "Record number", lead("Clock out") OVER )"
               R"("Sequence" AS "Next out"%2 FROM "In Out" WHERE "Julian" > ? AND "Julian" <= ? WINDOW )"
               R"("Sequence" AS (PARTITION BY "Employee ID" COLLATE "C" ORDER BY "Time", "Record number")) )"
               R"(AS "Ordered" WHERE "Next out" IS NULL OR ("Clock out" = 0 AND "Next out" = 0))")
        .arg(nextTimes ? QStringLiteral(R"(, "Next time")") : QString(),
             nextTimes ? QStringLiteral(R"(, lead("Time") OVER "Sequence" AS "Next time")") : QString());
}
