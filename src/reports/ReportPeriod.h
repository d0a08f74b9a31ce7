#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

// The report window's period: the quick choices beside the date buttons, and the window size kept
// in the station's own settings (Station.ini) from one opening to the next. The period itself is
// chosen afresh at each opening, so a report never runs on days nobody looked at.
namespace ReportPeriod {
struct Days {
    qint32 firstDay = 0;
    qint32 lastDay = 0;
    bool operator==(const Days&) const = default;
};
// A day left unchosen (0) takes the other one: a single day.
Days completed(Days days);

enum class Quick { ThisWeek, LastWeek, ThisMonth, LastMonth };
QString caption(Quick quick);
// The week starts on the locale's first day of the week.
Days quick(Quick choice, const QDate& today, Qt::DayOfWeek firstDayOfWeek);

QByteArray windowGeometry(const QString& programFolder);
void rememberWindowGeometry(const QString& programFolder, const QByteArray& geometry);
} // namespace ReportPeriod
