#include "store/StaffTable.h"

#include "store/Database.h"

#include <QSqlQuery>
#include <QVariant>

namespace {
StaffRow rowFrom(const QSqlQuery& q)
{
    StaffRow row;
    row.employee = q.value(0).toString();
    row.employeeNumber = q.value(1).toInt();
    row.julian = q.value(2).toInt();
    row.employeeId = q.value(3).toString();
    row.departmentNumber = static_cast<qint16>(q.value(4).toInt());
    row.start = static_cast<qint16>(q.value(5).toInt());
    row.stop = static_cast<qint16>(q.value(6).toInt());
    return row;
}
const QString columns = QStringLiteral(
    R"("Employee", "Employee number", "Julian", "Employee ID", "Department number", "Start", "Stop")");
} // namespace

StaffTable::StaffTable(Database& database)
    : m_database(database)
{}

std::optional<StaffRow> StaffTable::find(const QString& employeeId)
{
    static const QString sql =
        QStringLiteral(R"(SELECT %1 FROM "Employee" WHERE "Employee ID" = ? LIMIT 1)").arg(columns);
    StatementUse select(m_database.native(sql));
    select->bind(1, employeeId.trimmed());
    if (!select->step())
        return std::nullopt;
    StaffRow row;
    row.employee = select->text(0);
    row.employeeNumber = static_cast<qint32>(select->integer(1));
    row.julian = static_cast<qint32>(select->integer(2));
    row.employeeId = select->text(3);
    row.departmentNumber = static_cast<qint16>(select->integer(4));
    row.start = static_cast<qint16>(select->integer(5));
    row.stop = static_cast<qint16>(select->integer(6));
    return row;
}

void StaffTable::replaceAll(const QList<StaffRow>& rows)
{
    static const QString insert =
        QStringLiteral(R"(INSERT INTO "Employee" (%1) VALUES (?, ?, ?, ?, ?, ?, ?))").arg(columns);
    Transaction transaction(m_database);
    // Stations rebuilding at the same moment take turns, so the table never holds two days' staff.
    m_database.lock(QStringLiteral("Employee"));
    m_database.execute(QStringLiteral(R"(DELETE FROM "Employee")"));
    // The clock looks the typed ID up trimmed; a blank kept from a staff file would hide the employee.
    for (const StaffRow& r : rows)
        m_database.execute(insert, {r.employee, r.employeeNumber, r.julian, r.employeeId.trimmed(),
                                    r.departmentNumber, r.start, r.stop});
    transaction.commit();
}

QList<StaffRow> StaffTable::all()
{
    const QString sql = QStringLiteral(R"(SELECT %1 FROM "Employee" ORDER BY %2)")
                            .arg(columns, m_database.dialect().insertionOrder());
    QSqlQuery& query = m_database.run(sql);
    QList<StaffRow> rows;
    while (query.next())
        rows.append(rowFrom(query));
    m_database.finish(query);
    return rows;
}
