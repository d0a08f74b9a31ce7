#pragma once

#include "pay/PayRules.h"

// Workdays and workweeks as the rules set them. A workday is named by the day number of the date
// it starts on and runs from the workday start time to the same time the next day (wall clock, so
// 23 or 25 hours on the nights the clocks change); a workweek is seven workdays from the start day.
class WorkCalendar {
public:
    static constexpr qint64 secondsPerDay = 86400;

    explicit WorkCalendar(const PayRules& rules)
        : m_start(qint64(rules.workdayStartMinutes) * 60)
        , m_weekStart(rules.workweekStart)
    {}

    qint32 workdayOf(qint64 clockFace) const
    {
        return static_cast<qint32>(floorDiv(clockFace - m_start, secondsPerDay));
    }
    qint64 startOf(qint32 workday) const { return workday * secondsPerDay + m_start; }
    // The first workday of the workday's workweek.
    qint32 weekOf(qint32 workday) const
    {
        // Day number 0, 30 December 1899, was a Saturday.
        const int weekday = static_cast<int>(floorMod(workday + 5, 7)) + 1;
        return workday - static_cast<qint32>(floorMod(weekday - m_weekStart, 7));
    }

private:
    static qint64 floorDiv(qint64 a, qint64 b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
    static qint64 floorMod(qint64 a, qint64 b) { return a - floorDiv(a, b) * b; }

    qint64 m_start;
    int m_weekStart;
};
