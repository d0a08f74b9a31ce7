#pragma once

#include "staff/ScheduleGrid.h"

#include <QList>
#include <QString>

// A day's working periods as people type them: "08:00-12:00, 13:00-17:00".
namespace TypedPeriods {
struct Parsed {
    QList<SchedulePeriod> periods; // merged, in time order
    QString error;                 // empty when the text was understood

    bool ok() const { return error.isEmpty(); }
};

// Periods are HH:MM-HH:MM on quarter hours, separated by blanks, commas or semicolons; 24:00 ends
// a day. Overlapping or touching periods are merged as on the grid, and more than three separate
// periods are refused rather than cut.
Parsed parse(const QString& text);
// "08:00-12:00 13:00-17:00" with the given separator between periods.
QString format(const QList<SchedulePeriod>& periods, const QString& separator = QStringLiteral(" "));
// A quarter-hour value as "HH:MM": 32 is "08:00", 96 is "24:00".
QString timeText(int value);
} // namespace TypedPeriods
