#include "reports/WhoIsIn.h"

#include "settings/TimeText.h"
#include "store/ClockRecords.h"
#include "store/DayNumber.h"

qint16 WhoIsIn::effectiveDays(qint16 days)
{
    return days == 0 ? defaultDays : days;
}

std::optional<WhoIsIn::Lists> WhoIsIn::load(Database& database, const QDate& today, qint16 days)
{
    const QList<ClockRecord> latest =
        ClockRecords(database).latestOfEach(DayNumber::of(today) - effectiveDays(days));
    if (latest.isEmpty())
        return std::nullopt;
    Lists lists;
    for (const ClockRecord& record : latest)
        (record.clockOut ? lists.out : lists.in).append({record.employeeId, record.employee, record.time});
    return lists;
}

QString WhoIsIn::itemText(const QString& column, const Entry& entry, bool clock12Hour, const QLocale& locale)
{
    return column + QLatin1Char('\t') + entry.employeeId + QStringLiteral(" - ") +
           TimeText::generalDateTime(entry.time, clock12Hour, locale);
}
