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
} // namespace DayNumber
