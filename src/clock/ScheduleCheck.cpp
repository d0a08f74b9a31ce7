#include "clock/ScheduleCheck.h"

// Placeholder until the schedule rules land: every punch passes.
ScheduleCheck::Verdict ScheduleCheck::check(bool clockOut, int, qint16, qint16, const SettingsRecord&)
{
    Verdict verdict;
    verdict.outcome = clockOut ? PunchOutcome::NormalOut : PunchOutcome::NormalIn;
    return verdict;
}
