#include "reports/ReportPeriod.h"

#include "store/DayNumber.h"

#include <QDir>
#include <QSettings>

namespace {
QString settingsPath(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("Station.ini"));
}

const QString geometryKey = QStringLiteral("Report/WindowGeometry");
} // namespace

QString ReportPeriod::caption(Quick quick)
{
    switch (quick) {
    case Quick::ThisWeek:
        return QStringLiteral("This week");
    case Quick::LastWeek:
        return QStringLiteral("Last week");
    case Quick::ThisMonth:
        return QStringLiteral("This month");
    case Quick::LastMonth:
        return QStringLiteral("Last month");
    }
    return {};
}

ReportPeriod::Days ReportPeriod::completed(Days days)
{
    if (days.firstDay == 0 && days.lastDay >= 1)
        days.firstDay = days.lastDay;
    if (days.lastDay == 0 && days.firstDay >= 1)
        days.lastDay = days.firstDay;
    return days;
}

ReportPeriod::Days ReportPeriod::quick(Quick choice, const QDate& today, Qt::DayOfWeek firstDayOfWeek)
{
    QDate first;
    QDate last;
    switch (choice) {
    case Quick::ThisWeek:
    case Quick::LastWeek:
        first = today.addDays(-((today.dayOfWeek() - firstDayOfWeek + 7) % 7));
        if (choice == Quick::LastWeek)
            first = first.addDays(-7);
        last = first.addDays(6);
        break;
    case Quick::ThisMonth:
    case Quick::LastMonth:
        first = QDate(today.year(), today.month(), 1);
        if (choice == Quick::LastMonth)
            first = first.addMonths(-1);
        last = first.addMonths(1).addDays(-1);
        break;
    }
    return {DayNumber::of(first), DayNumber::of(last)};
}

QByteArray ReportPeriod::windowGeometry(const QString& programFolder)
{
    return QSettings(settingsPath(programFolder), QSettings::IniFormat).value(geometryKey).toByteArray();
}

void ReportPeriod::rememberWindowGeometry(const QString& programFolder, const QByteArray& geometry)
{
    QSettings(settingsPath(programFolder), QSettings::IniFormat).setValue(geometryKey, geometry);
}
