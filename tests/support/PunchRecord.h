#pragma once

#include "store/ClockRecord.h"
#include "store/DayNumber.h"

// A clock row as a punch at `time` writes it, for tests that fill the "In Out" table directly.
inline ClockRecord punchRecord(const QString& id, const QDateTime& time, bool out,
                               const QString& name = QStringLiteral(" "))
{
    ClockRecord r;
    r.employeeId = id;
    r.employee = name;
    r.time = r.created = time;
    r.julian = DayNumber::of(time);
    r.clockOut = out;
    return r;
}
