#pragma once

#include "clock/PunchOutcome.h"
#include "settings/SettingsRecord.h"

#include <QString>

// Compares a punch with the employee's scheduled start or stop of the day.
namespace ScheduleCheck {
struct Verdict {
    PunchOutcome outcome = PunchOutcome::NormalIn;
    qint16 mark = 0; // Options value of the record: 0, or 4 to 7
    QString message; // the warning of the failed rule; empty when the punch passed
};

// nowMinutes: minutes since midnight (seconds dropped); start/stop in quarter hours, 0 = none.
Verdict check(bool clockOut, int nowMinutes, qint16 start, qint16 stop, const SettingsRecord& settings);
} // namespace ScheduleCheck
