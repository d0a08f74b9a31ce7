#include "store/RecordEdits.h"

#include "store/ClockRecords.h"
#include "store/Database.h"
#include "store/DayNumber.h"
#include "store/EmployeeId.h"
#include "store/InOutRow.h"
#include "store/PeriodStates.h"
#include "store/StoredTime.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

RecordEdits::RecordEdits(Database& database)
    : m_database(database)
{}

namespace {
QString detailsOf(const EditStamp& stamp)
{
    if (stamp.reason.isEmpty())
        return {};
    QJsonObject details;
    details.insert(QStringLiteral("reason"), stamp.reason);
    return QString::fromUtf8(QJsonDocument(details).toJson(QJsonDocument::Compact));
}
} // namespace

QList<ClockRecord> RecordEdits::forEmployee(const QString& employeeId, qint32 startDay)
{
    // The column ignores case, so the index finds the rows however they were stored; the server's
    // comparison is wider than the one-letter-for-one rule of an ID ("ß" against "SS"), so each row
    // is checked against that rule as well.
    static const QString sql =
        QStringLiteral(R"(SELECT %1 FROM "In Out" WHERE "Employee ID" = ? AND "Julian" > ? )"
                       R"(ORDER BY "Employee ID", "Julian", "Time")")
            .arg(InOutRow::selectList());
    const EmployeeId id(employeeId);
    QSqlQuery& query = m_database.run(sql, {id.text(), qint64(startDay) - 1});
    QList<ClockRecord> rows;
    while (query.next()) {
        ClockRecord row = InOutRow::read(query);
        if (EmployeeId(row.employeeId) == id)
            rows.append(std::move(row));
    }
    query.finish();
    return rows;
}

std::optional<ClockRecord> RecordEdits::find(qint64 recordNumber)
{
    static const QString sql =
        QStringLiteral(R"(SELECT %1 FROM "In Out" WHERE "Record number" = ?)").arg(InOutRow::selectList());
    QSqlQuery& query = m_database.run(sql, {recordNumber});
    std::optional<ClockRecord> found;
    if (query.next())
        found = InOutRow::read(query);
    query.finish();
    return found;
}

bool RecordEdits::update(const ClockRecord& r, const EditStamp& stamp)
{
    Transaction transaction(m_database);
    EditHistory history(m_database);
    const QString before = history.rowValues(r.recordNumber);
    if (before.isEmpty())
        return false;
    // Moving a record out of a locked period changes the period as much as moving one into it.
    PeriodStates periods(m_database);
    periods.refuseLockedDay(find(r.recordNumber)->julian);
    periods.refuseLockedDay(r.julian);
    m_database.execute(
        QStringLiteral(R"(UPDATE "In Out" SET "Julian" = ?, "Time" = ?, "Dnumber" = ?, "Options" = ?, )"
                       R"("Clock out" = ?, "Tips" = ? WHERE "Record number" = ?)"),
        {r.julian, StoredTime::toText(r.time), r.dnumber, r.options, r.clockOut ? 1 : 0,
         r.tips ? QVariant(r.tips->units()) : QVariant(QMetaType(QMetaType::LongLong)), r.recordNumber});
    history.append(stamp, EditHistory::edited, r.recordNumber, before, history.rowValues(r.recordNumber),
                   detailsOf(stamp));
    transaction.commit();
    return true;
}

qint64 RecordEdits::insert(const ClockRecord& record, const EditStamp& stamp)
{
    Transaction transaction(m_database);
    PeriodStates(m_database).refuseLockedDay(record.julian);
    const qint64 number = ClockRecords(m_database).append(record);
    EditHistory history(m_database);
    history.append(stamp, EditHistory::inserted, number, {}, history.rowValues(number), detailsOf(stamp));
    transaction.commit();
    return number;
}

bool RecordEdits::remove(qint64 recordNumber, const EditStamp& stamp)
{
    Transaction transaction(m_database);
    EditHistory history(m_database);
    const QString before = history.rowValues(recordNumber);
    if (before.isEmpty())
        return false;
    PeriodStates(m_database).refuseLockedDay(find(recordNumber)->julian);
    m_database.execute(QStringLiteral(R"(DELETE FROM "In Out" WHERE "Record number" = ?)"), {recordNumber});
    history.append(stamp, EditHistory::deleted, recordNumber, before, {}, detailsOf(stamp));
    transaction.commit();
    return true;
}

qint64 RecordEdits::removeBefore(qint32 dayNumber, const EditStamp& stamp)
{
    // In steps of about half a second, oldest days first, each whole with its history entry: a clock
    // station punching beside the removal never waits longer than one step for the write lock.
    constexpr qint64 stepMs = 500;
    qint64 batch = 2000;
    qint64 total = 0;
    for (;;) {
        QElapsedTimer step;
        step.start();
        Transaction transaction(m_database);
        // Checked at each step, so a period locked while the removal runs keeps its days too.
        PeriodStates(m_database).refuseLockedBefore(dayNumber);
        QSqlQuery& remove = m_database.run(
            QStringLiteral(R"(DELETE FROM "In Out" WHERE "Record number" IN (SELECT "Record number" )"
                           R"(FROM "In Out" WHERE "Julian" < ? ORDER BY "Julian" LIMIT ?))"),
            {dayNumber, batch});
        const qint64 count = remove.numRowsAffected();
        remove.finish();
        // Nothing removed is nothing to account for.
        if (count > 0) {
            QJsonObject details;
            details.insert(QStringLiteral("before"), DayNumber::toDate(dayNumber).toString(Qt::ISODate));
            details.insert(QStringLiteral("count"), count);
            EditHistory(m_database)
                .append(stamp, EditHistory::removedOldRecords, std::nullopt, {}, {},
                        QString::fromUtf8(QJsonDocument(details).toJson(QJsonDocument::Compact)));
        }
        transaction.commit();
        total += count;
        if (count < batch)
            return total;
        batch = std::clamp(batch * stepMs / std::max<qint64>(1, step.elapsed()), qint64(100), qint64(200000));
    }
}
