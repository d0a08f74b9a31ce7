#pragma once

#include <QDate>
#include <QDateTime>

// Day numbers select clock records by calendar day: whole days since 30 December 1899.
namespace DayNumber {
constexpr qint64 epochJulianDay = 2415019; // QDate(1899, 12, 30).toJulianDay()

inline qint32 of(const QDate& date)
{
    return static_cast<qint32>(date.toJulianDay() - epochJulianDay);
}
inline qint32 of(const QDateTime& moment)
{
    return of(moment.date());
}
inline QDate toDate(qint32 dayNumber)
{
    return QDate::fromJulianDay(dayNumber + epochJulianDay);
}
// Exactly YYYY-MM-DD, as a day number; 0 when it is no such date (or before day 1).
inline qint32 fromIso(const QString& text)
{
    if (text.size() != 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-'))
        return 0;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!text[i].isDigit() || text[i].unicode() > 0x7f)
            return 0;
    const QDate date = QDate::fromString(text, Qt::ISODate);
    return date.isValid() && of(date) >= 1 ? of(date) : 0;
}
} // namespace DayNumber
