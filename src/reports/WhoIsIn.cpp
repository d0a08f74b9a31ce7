#include "reports/WhoIsIn.h"

#include "settings/TimeText.h"
#include "store/ClockRecords.h"
#include "store/DayNumber.h"

qint16 WhoIsIn::effectiveDays(qint16 days)
{
    return days == 0 ? defaultDays : days;
}

WhoIsIn::Lists WhoIsIn::fromRows(const QList<ClockRecord>& rows)
{
    Lists lists;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const ClockRecord& row = rows.at(i);
        // IDs are one key without regard to case, as the table sorts them.
        const bool lastOfEmployee = i + 1 == rows.size() || rows.at(i + 1).employeeId.compare(
                                                                row.employeeId, Qt::CaseInsensitive) != 0;
        if (!lastOfEmployee || row.employeeId.trimmed().isEmpty())
            continue;
        (row.clockOut ? lists.out : lists.in).append({row.employeeId, row.employee, row.time});
    }
    return lists;
}

std::optional<WhoIsIn::Lists> WhoIsIn::load(Database& database, const QDate& today, qint16 days)
{
    ClockRecords records(database);
    if (records.isEmpty())
        return std::nullopt;
    const QList<ClockRecord> rows = records.since(DayNumber::of(today) - effectiveDays(days));
    if (rows.isEmpty())
        return std::nullopt;
    return fromRows(rows);
}

QString WhoIsIn::itemText(const QString& column, const Entry& entry, bool clock12Hour, const QLocale& locale)
{
    return column + QLatin1Char('\t') + entry.employeeId + QStringLiteral(" - ") +
           TimeText::generalDateTime(entry.time, clock12Hour, locale);
}
