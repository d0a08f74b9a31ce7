#include "store/ClockRecords.h"

#include "store/Database.h"
#include "store/StoredTime.h"

#include <QSqlQuery>
#include <QVariant>

namespace {
const QString columns = QStringLiteral(
    R"("Time", "Employee ID", "Clock out", "Julian", "Employee", "Record number", "Tips", "Dnumber", )"
    R"("InEarly", "InLate", "OutEarly", "OutLate", "Options", "Created")");

QVariant timeValue(const QDateTime& moment)
{
    return moment.isValid() ? QVariant(StoredTime::toText(moment)) : QVariant(QMetaType(QMetaType::QString));
}
} // namespace

ClockRecords::ClockRecords(Database& database)
    : m_database(database)
{
}

qint64 ClockRecords::append(const ClockRecord& r)
{
    static const QString sql = QStringLiteral(
        R"(INSERT INTO "In Out" ("Time", "Employee ID", "Clock out", "Julian", "Employee", "Tips", "Dnumber", )"
        R"("InEarly", "InLate", "OutEarly", "OutLate", "Options", "Created") )"
        R"(VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?))");
    QSqlQuery& query = m_database.run(
        sql, {timeValue(r.time), r.employeeId, r.clockOut ? 1 : 0, r.julian, r.employee,
              r.tips ? QVariant(r.tips->units()) : QVariant(QMetaType(QMetaType::LongLong)), r.dnumber,
              r.inEarly ? 1 : 0, r.inLate ? 1 : 0, r.outEarly ? 1 : 0, r.outLate ? 1 : 0, r.options,
              timeValue(r.created)});
    const qint64 recordNumber = query.lastInsertId().toLongLong();
    query.finish();
    return recordNumber;
}

bool ClockRecords::isEmpty()
{
    QSqlQuery& query = m_database.run(QStringLiteral(R"(SELECT 1 FROM "In Out" LIMIT 1)"));
    const bool empty = !query.next();
    query.finish();
    return empty;
}

std::optional<ClockRecord> ClockRecords::latestFor(const QString& employeeId)
{
    static const QString sql = QStringLiteral(R"(SELECT %1 FROM "In Out" WHERE "Employee ID" = ? )"
                                              R"(ORDER BY "Julian" DESC, "Record number" DESC LIMIT 1)")
                                   .arg(columns);
    QSqlQuery& query = m_database.run(sql, {employeeId});
    std::optional<ClockRecord> latest;
    if (query.next())
        latest = fromQuery(query);
    query.finish();
    return latest;
}

QList<ClockRecord> ClockRecords::after(qint32 dayNumber)
{
    static const QString sql =
        QStringLiteral(R"(SELECT %1 FROM "In Out" WHERE "Julian" > ? ORDER BY "Employee ID", "Time")").arg(columns);
    return select(sql, dayNumber);
}

QList<ClockRecord> ClockRecords::since(qint32 dayNumber)
{
    static const QString sql = QStringLiteral(
                                   R"(SELECT %1 FROM "In Out" WHERE "Julian" >= ? ORDER BY "Employee ID", "Time")")
                                   .arg(columns);
    return select(sql, dayNumber);
}

QList<ClockRecord> ClockRecords::select(const QString& sql, qint32 dayNumber)
{
    QSqlQuery& query = m_database.run(sql, {dayNumber});
    QList<ClockRecord> rows;
    while (query.next())
        rows.append(fromQuery(query));
    query.finish();
    return rows;
}

ClockRecord ClockRecords::fromQuery(const QSqlQuery& q)
{
    ClockRecord r;
    r.time = StoredTime::fromText(q.value(0).toString());
    r.employeeId = q.value(1).toString();
    r.clockOut = q.value(2).toInt() != 0;
    r.julian = q.value(3).toInt();
    r.employee = q.value(4).toString();
    r.recordNumber = q.value(5).toLongLong();
    if (!q.value(6).isNull())
        r.tips = Money::fromUnits(q.value(6).toLongLong());
    r.dnumber = q.value(7).toInt();
    r.inEarly = q.value(8).toInt() != 0;
    r.inLate = q.value(9).toInt() != 0;
    r.outEarly = q.value(10).toInt() != 0;
    r.outLate = q.value(11).toInt() != 0;
    r.options = static_cast<qint16>(q.value(12).toInt());
    r.created = StoredTime::fromText(q.value(13).toString());
    return r;
}
