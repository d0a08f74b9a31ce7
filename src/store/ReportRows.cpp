#include "store/ReportRows.h"

#include "store/Database.h"
#include "store/DayNumber.h"
#include "store/EmployeeId.h"

#include <QDate>

namespace {
const QString columns = QStringLiteral(R"(SELECT "Time", "Employee ID", "Clock out", "Employee", "Tips", "Dnumber", )"
                                       R"("Options", "Julian", "Record number" FROM "In Out" )");

int digits(QByteArrayView text, qsizetype at, int count)
{
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const char c = text[at + i];
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Consecutive rows mostly belong to one employee: sharing the previous row's string keeps a year of
// rows to one copy of each name instead of one per row.
class SharedText {
public:
    const QString& take(QByteArrayView bytes)
    {
        if (!m_valid || bytes != QByteArrayView(m_bytes)) {
            m_bytes = bytes.toByteArray();
            m_text = QString::fromUtf8(bytes);
            m_valid = true;
        }
        return m_text;
    }

private:
    QByteArray m_bytes;
    QString m_text;
    bool m_valid = false;
};
} // namespace

qint64 ReportRows::clockSeconds(QByteArrayView text)
{
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return -1;
    const QDate date(digits(text, 0, 4), digits(text, 5, 2), digits(text, 8, 2));
    if (!date.isValid())
        return -1;
    const qint64 midnight = qint64(DayNumber::of(date)) * secondsPerDay;
    if (text.size() == 10) // a date alone, as another tool may write it
        return midnight;
    if (text.size() < 19 || text[10] != ' ' || text[13] != ':' || text[16] != ':')
        return -1;
    const int hour = digits(text, 11, 2);
    const int minute = digits(text, 14, 2);
    const int second = digits(text, 17, 2);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return -1;
    return midnight + hour * 3600 + minute * 60 + second;
}

QString ReportRows::selectSql(Order order)
{
    // UPPER rather than a collation: both SQLite and PostgreSQL read it the same way.
    const QString byName =
        QStringLiteral(R"(UPPER("Employee"), UPPER("Employee ID"), "Time", "Record number")");
    return columns + QStringLiteral(R"(WHERE "Julian" BETWEEN ? AND ? ORDER BY )") +
           (order == Order::Department ? QStringLiteral(R"("Dnumber", )") : QString()) + byName;
}

namespace {
QList<ReportRow> readRows(NativeStatement& query)
{
    QList<ReportRow> rows;
    SharedText ids;
    SharedText names;
    while (query.step()) {
        ReportRow row;
        row.time = ReportRows::clockSeconds(query.utf8(0));
        if (row.time < 0) // a time another tool mangled still belongs to its day
            row.time = query.integer(7) * ReportRows::secondsPerDay;
        row.employeeId = ids.take(query.utf8(1));
        row.clockOut = query.integer(2) != 0;
        row.employee = names.take(query.utf8(3));
        row.tips = Money::fromUnits(query.integer(4));
        row.dnumber = static_cast<qint32>(query.integer(5));
        row.options = static_cast<qint16>(query.integer(6));
        row.recordNumber = query.integer(8);
        rows.append(std::move(row));
    }
    return rows;
}
} // namespace

QList<ReportRow> ReportRows::select(Database& database, qint32 firstDay, qint32 lastDay, Order order)
{
    StatementUse query(database.native(selectSql(order)));
    query->bind(1, firstDay).bind(2, lastDay);
    return readRows(*query.operator->());
}

QList<ReportRow> ReportRows::forEmployee(Database& database, const QString& employeeId, qint32 firstDay,
                                         qint32 lastDay)
{
    StatementUse query(database.native(
        columns + QStringLiteral(R"(WHERE "Employee ID" = ? AND "Julian" BETWEEN ? AND ? ORDER BY "Time", )"
                                 R"("Record number")")));
    query->bind(1, EmployeeId::normalised(employeeId)).bind(2, firstDay).bind(3, lastDay);
    return readRows(*query.operator->());
}
