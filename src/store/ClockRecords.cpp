#include "store/ClockRecords.h"

#include "store/Database.h"
#include "store/EmployeeId.h"
#include "store/InOutRow.h"
#include "store/StoredTime.h"

#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <tuple>

ClockRecords::ClockRecords(Database& database)
    : m_database(database)
{}

qint64 ClockRecords::append(const ClockRecord& r)
{
    static const QString sql = QStringLiteral(R"(INSERT INTO "In Out" (%1) VALUES (%2))")
                                   .arg(InOutRow::insertList(), InOutRow::insertPlaceholders());
    StatementUse insert(m_database.native(sql));
    const QVariantList values = InOutRow::insertValues(r);
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& value = values.at(i);
        if (value.isNull())
            insert->bindNull(i + 1);
        else if (value.typeId() == QMetaType::QString)
            insert->bind(i + 1, value.toString());
        else
            insert->bind(i + 1, value.toLongLong());
    }
    insert->step();
    return insert->lastInsertRowId();
}

qint64 ClockRecords::appendPunch(const QString& employeeId, const PunchDecision& decide)
{
    return appendPunch(employeeId, decide, QString(), 0);
}

qint64 ClockRecords::appendPunch(const QString& employeeId, const PunchDecision& decide,
                                 const QString& station, qint64 sequence)
{
    Transaction transaction(m_database);
    m_database.lock(employeeKey(employeeId));
    const std::optional<ClockRecord> record = decide(latestPunchFor(employeeId));
    if (!record)
        return 0;
    const qint64 number = append(*record);
    if (!station.isEmpty())
        m_database.execute(
            QStringLiteral(
                R"(INSERT INTO "Sent punches" ("Station", "Sequence", "Record number") VALUES (?, ?, ?))"),
            {station, sequence, number});
    transaction.commit();
    return number;
}

qint64 ClockRecords::appendQueued(const QString& station, qint64 sequence, const ClockRecord& record)
{
    // Decided when it was taken; the check runs under the employee's lock, after any earlier send.
    const auto asTaken = [&](const std::optional<LatestPunch>&) -> std::optional<ClockRecord> {
        QSqlQuery& sent = m_database.run(
            QStringLiteral(R"(SELECT 1 FROM "Sent punches" WHERE "Station" = ? AND "Sequence" = ?)"),
            {station, sequence});
        const bool sentBefore = sent.next();
        m_database.finish(sent);
        return sentBefore ? std::nullopt : std::optional<ClockRecord>(record);
    };
    return appendPunch(record.employeeId, asTaken, station, sequence);
}

QHash<QString, ClockRecords::LatestPunch> ClockRecords::latestPunchesAfter(qint64 recordNumber,
                                                                           qint64* highest)
{
    *highest = recordNumber;
    // In the order that makes a record an employee's latest: the last one read for an ID wins.
    QSqlQuery& query = m_database.run(
        QStringLiteral(R"(SELECT "Employee ID", "Clock out", "Time", "Record number" FROM "In Out" )"
                       R"(WHERE "Record number" > ? ORDER BY "Julian", "Record number")"),
        {recordNumber});
    QHash<QString, LatestPunch> latest;
    while (query.next()) {
        const qint64 number = query.value(3).toLongLong();
        *highest = std::max(*highest, number);
        latest.insert(EmployeeId::normalised(query.value(0).toString()),
                      LatestPunch{query.value(1).toInt() != 0,
                                  StoredTime::fromText(query.value(2).toString()), number});
    }
    m_database.finish(query);
    return latest;
}

qint64 ClockRecords::highestRecordNumber()
{
    QSqlQuery& query = m_database.run(QStringLiteral(R"(SELECT max("Record number") FROM "In Out")"));
    const qint64 highest = query.next() ? query.value(0).toLongLong() : 0;
    m_database.finish(query);
    return highest;
}

QHash<QString, ClockRecords::LatestPunch> ClockRecords::latestPunches(qint32 sinceDay)
{
    QSqlQuery& query = m_database.run(m_database.dialect().latestPunchPerEmployee(), {sinceDay});
    QHash<QString, LatestPunch> latest;
    while (query.next()) {
        const QString id = EmployeeId::normalised(query.value(0).toString());
        LatestPunch punch{query.value(1).toInt() != 0, StoredTime::fromText(query.value(2).toString()), 0};
        // IDs that differ only in case or blanks are one employee; keep the later punch of them.
        const auto it = latest.constFind(id);
        if (it == latest.cend() || it->time < punch.time)
            latest.insert(id, punch);
    }
    m_database.finish(query);
    return latest;
}

QString ClockRecords::employeeKey(const QString& employeeId)
{
    return QStringLiteral("employee ") + EmployeeId::normalised(employeeId);
}

bool ClockRecords::contains(const ClockRecord& r)
{
    QSqlQuery& query = m_database.run(
        QStringLiteral(R"(SELECT 1 FROM "In Out" WHERE "Employee ID" = ? AND "Time" = ? AND "Clock out" = ? )"
                       R"(AND "Created" = ? LIMIT 1)"),
        {r.employeeId, StoredTime::toText(r.time), r.clockOut ? 1 : 0, StoredTime::toText(r.created)});
    const bool found = query.next();
    m_database.finish(query);
    return found;
}

bool ClockRecords::isEmpty()
{
    QSqlQuery& query = m_database.run(QStringLiteral(R"(SELECT 1 FROM "In Out" LIMIT 1)"));
    const bool empty = !query.next();
    m_database.finish(query);
    return empty;
}

std::optional<ClockRecords::LatestPunch> ClockRecords::latestPunchFor(const QString& employeeId)
{
    static const QString sql =
        QStringLiteral(R"(SELECT "Clock out", "Time", "Record number" FROM "In Out" WHERE "Employee ID" = ? )"
                       R"(ORDER BY "Julian" DESC, "Record number" DESC LIMIT 1)");
    StatementUse select(m_database.native(sql));
    select->bind(1, employeeId);
    if (!select->step())
        return std::nullopt;
    return LatestPunch{select->integer(0) != 0, StoredTime::fromText(select->text(1)), select->integer(2)};
}

std::optional<ClockRecords::LatestPunch> ClockRecords::latestByTimeFor(const QString& employeeId,
                                                                       qint32 afterDay)
{
    QSqlQuery& query =
        m_database.run(QStringLiteral(R"(SELECT "Clock out", "Time", "Record number" FROM "In Out" )"
                                      R"(WHERE "Employee ID" = ? AND "Julian" > ? )"
                                      R"(ORDER BY "Time" DESC, "Record number" DESC LIMIT 1)"),
                       {employeeId, afterDay});
    std::optional<LatestPunch> latest;
    if (query.next())
        latest = LatestPunch{query.value(0).toInt() != 0, StoredTime::fromText(query.value(1).toString()),
                             query.value(2).toLongLong()};
    m_database.finish(query);
    return latest;
}

QList<ClockRecord> ClockRecords::after(qint32 dayNumber)
{
    static const QString sql = QStringLiteral(R"(SELECT %1 FROM "In Out" WHERE "Julian" > ? )"
                                              R"(ORDER BY "Employee ID", "Time", "Record number")")
                                   .arg(InOutRow::selectList());
    return select(sql, {dayNumber});
}

QList<ClockRecord> ClockRecords::since(qint32 dayNumber)
{
    static const QString sql =
        QStringLiteral(R"(SELECT %1 FROM "In Out" WHERE "Julian" >= ? ORDER BY "Employee ID", "Time")")
            .arg(InOutRow::selectList());
    return select(sql, {dayNumber});
}

QList<ClockRecord> ClockRecords::latestOfEach(qint32 firstDay, qint32 lastDay)
{
    const SqlDialect::Statement statement =
        m_database.dialect().latestRecordPerEmployee(InOutRow::selectList(), firstDay, lastDay);
    QList<ClockRecord> latest;
    QHash<QString, qsizetype> place;
    for (const ClockRecord& record : select(statement.sql, statement.values)) {
        const QString id = EmployeeId::normalised(record.employeeId);
        if (id.isEmpty())
            continue;
        const auto it = place.constFind(id);
        if (it == place.cend()) {
            place.insert(id, latest.size());
            latest.append(record);
            continue;
        }
        // The same employee stored with other blanks around the ID: the later record stands for both.
        ClockRecord& kept = latest[*it];
        if (std::tie(record.time, record.recordNumber) > std::tie(kept.time, kept.recordNumber))
            kept = record;
    }
    return latest;
}

QSet<QString> ClockRecords::employeesInOn(qint32 dayNumber)
{
    QSqlQuery& query = m_database.run(
        QStringLiteral(
            R"(SELECT DISTINCT "Employee ID" FROM "In Out" WHERE "Julian" = ? AND "Clock out" = 0)"),
        {dayNumber});
    QSet<QString> ids;
    while (query.next())
        ids.insert(EmployeeId::normalised(query.value(0).toString()));
    m_database.finish(query);
    return ids;
}

QList<ClockRecord> ClockRecords::openInsAfter(qint32 dayNumber)
{
    // The window function sees only the narrow columns; whole rows are read for the few it keeps.
    // The days are set apart first: otherwise SQLite, without statistics, walks the whole
    // employee-first index for the order the window wants.
    static const QString sql =
        QStringLiteral(
            R"(WITH "Days" AS MATERIALIZED (SELECT "Employee ID", "Time", "Record number", )"
            R"("Clock out" FROM "In Out" WHERE "Julian" > ?) )"
            R"(SELECT %1 FROM "In Out" WHERE "Record number" IN (SELECT "Record number" FROM )"
            R"((SELECT "Record number", "Clock out", lead("Clock out") OVER (PARTITION BY )"
            R"("Employee ID" ORDER BY "Time", "Record number") AS "Next out" FROM "Days") AS "Ordered" )"
            R"(WHERE "Next out" IS NULL OR ("Clock out" = 0 AND "Next out" = 0)) )"
            R"(ORDER BY "Employee ID", "Time", "Record number")")
            .arg(InOutRow::selectList());
    return select(sql, {dayNumber});
}

QList<ClockRecord> ClockRecords::select(const QString& sql, const QVariantList& values)
{
    QSqlQuery& query = m_database.run(sql, values);
    QList<ClockRecord> rows;
    while (query.next())
        rows.append(InOutRow::read(query));
    m_database.finish(query);
    return rows;
}
