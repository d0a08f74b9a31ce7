#pragma once

#include <QtCore/qnamespace.h>
#include <QtGlobal>
#include <qnamespace.h>

// The overtime rules pay is computed by. Times are minutes; multipliers are ten-thousandths, so
// 1.5 is exact.
struct PayRules {
    static constexpr qint32 multiplierUnit = 10000;
    // The seventh day of a fully worked workweek is overtime up to this many minutes, double beyond.
    static constexpr qint64 seventhDayDoubleAfter = 480;

    Qt::DayOfWeek workweekStart = Qt::Sunday;
    int workdayStartMinutes = 0; // after midnight; the workweek begins at this time too

    qint64 weeklyOvertimeAfter = 2400; // 0: no weekly overtime
    bool dailyOvertime = false;
    qint64 dailyOvertimeAfter = 480;
    bool dailyDouble = false;
    qint64 dailyDoubleAfter = 720;
    bool seventhDay = false;

    qint32 overtimeMultiplier = 15000;
    qint32 doubleMultiplier = 20000;

    // Off: a pair belongs wholly to the workday of its IN. On: it is cut at every workday start.
    bool splitAtWorkdayStart = false;
};
