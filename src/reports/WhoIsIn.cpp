#include "reports/WhoIsIn.h"

#include "store/ClockRecords.h"
#include "store/DayNumber.h"

#include <QRegularExpression>

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

QString WhoIsIn::generalDateTime(const QDateTime& moment, const QLocale& locale)
{
    QString date = locale.dateFormat(QLocale::ShortFormat);
    // A two-digit year cannot tell this century's records from the last one's.
    if (!date.contains(QLatin1String("yyyy")))
        date.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    QString time = locale.timeFormat(QLocale::ShortFormat);
    if (!time.contains(QLatin1Char('s'))) {
        static const QRegularExpression minutes(QStringLiteral("mm?"));
        time.replace(minutes, QStringLiteral("mm:ss"));
    }
    return locale.toString(moment, date + QLatin1Char(' ') + time);
}

QString WhoIsIn::itemText(const QString& column, const Entry& entry, const QLocale& locale)
{
    return column + QLatin1Char('\t') + entry.employeeId + QStringLiteral(" - ") +
           generalDateTime(entry.time, locale);
}
