#include "clock/ScheduleCheck.h"

#include "store/ClockRecord.h"

namespace {
ScheduleCheck::Verdict failed(PunchOutcome warning, bool reject, Mark mark, const QString& message)
{
    ScheduleCheck::Verdict verdict;
    verdict.outcome = reject ? PunchOutcome::Reject : warning;
    verdict.mark = static_cast<qint16>(mark);
    verdict.message = message;
    return verdict;
}
} // namespace

// The operands are 16-bit values, so their sums and differences are exact in int: a large limit
// widens the margin instead of wrapping round to the other side.
ScheduleCheck::Verdict ScheduleCheck::check(bool clockOut, int nowMinutes, qint16 start, qint16 stop,
                                            const SettingsRecord& s)
{
    const int now = nowMinutes;
    if (!clockOut) {
        const int startMinutes = start * 15;
        if (now + s.earlyLimit < startMinutes && s.earlyInShow && start >= 1)
            return failed(PunchOutcome::InWarning, s.earlyInReject, Mark::InEarly, s.earlyMessage);
        if (now - s.lateInLimit > startMinutes && s.lateInShow && start > 0)
            return failed(PunchOutcome::InWarning, s.lateInReject, Mark::InLate, s.lateInMessage);
        return Verdict{PunchOutcome::NormalIn, 0, {}};
    }
    const int stopMinutes = stop * 15;
    if (now > stopMinutes + s.lateLimit && s.lateOutShow && stop >= 1)
        return failed(PunchOutcome::OutWarning, s.lateOutReject, Mark::OutLate, s.lateMessage);
    if (now < stopMinutes - s.earlyOutLimit && s.earlyOutShow && stop > 0)
        return failed(PunchOutcome::OutWarning, s.earlyOutReject, Mark::OutEarly, s.earlyOutMessage);
    return Verdict{PunchOutcome::NormalOut, 0, {}};
}
