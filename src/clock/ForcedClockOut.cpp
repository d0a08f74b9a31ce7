#include "clock/ForcedClockOut.h"

#include "platform/TimeSource.h"
#include "settings/Session.h"
#include "settings/SettingsRecord.h"
#include "store/ClockRecords.h"
#include "store/Database.h"
#include "store/DayNumber.h"
#include "store/EditHistory.h"
#include "store/EmployeeId.h"
#include "store/ReportRows.h"
#include "store/StaffRebuild.h"
#include "store/StaffTable.h"
#include "store/StoredTime.h"

#include <QHash>
#include <QTimeZone>
#include <cmath>

namespace {
QDateTime clockFace(qint64 seconds)
{
    const qint64 day = seconds / ReportRows::secondsPerDay;
    return QDateTime(DayNumber::toDate(static_cast<qint32>(day)),
                     QTime::fromMSecsSinceStartOfDay(int(seconds - day * ReportRows::secondsPerDay) * 1000),
                     QTimeZone::utc());
}

qint64 clockSecondsOf(const QDateTime& moment)
{
    return qint64(DayNumber::of(moment.date())) * ReportRows::secondsPerDay +
           moment.time().msecsSinceStartOfDay() / 1000;
}

// Clears the running flag however the pass ends.
class RunningGuard {
public:
    explicit RunningGuard(bool& flag)
        : m_flag(flag)
    {
        m_flag = true;
    }
    ~RunningGuard() { m_flag = false; }
    RunningGuard(const RunningGuard&) = delete;
    RunningGuard& operator=(const RunningGuard&) = delete;

private:
    bool& m_flag;
};
} // namespace

ForcedClockOut::ForcedClockOut(Database& database, const TimeSource& time)
    : m_database(database)
    , m_time(time)
{}

int ForcedClockOut::limitMinutes(float forceAfterHours)
{
    // An integer assignment rounds to the nearest minute; 12.5 hours is exactly 750.
    return static_cast<int>(std::lround(60.0 * static_cast<double>(forceAfterHours)));
}

QDateTime ForcedClockOut::outTime(const ClockRecords::OpenIn& in, const QDateTime& now, int limitMinutes,
                                  const Placement& placement)
{
    // On the clock face, as the times are stored: a change of daylight-saving time moves nothing.
    const QDateTime inTime = clockFace(in.time);
    const QDateTime minuteAfter = inTime.addSecs(60);
    QDateTime chosen = minuteAfter;
    if (placement.time == ForcedOutTime::Limit) {
        chosen = inTime.addSecs(qint64(limitMinutes) * 60);
    } else if (placement.time == ForcedOutTime::ScheduledStop && placement.stops) {
        if (const std::optional<int> stop = placement.stops(in.employeeId, inTime.date()))
            chosen = QDateTime(inTime.date(), QTime(0, 0), QTimeZone::utc()).addSecs(qint64(*stop) * 60);
    }
    // An OUT anywhere else would not close this IN, or would be a punch nobody has made yet.
    if (chosen <= inTime || chosen > StoredTime::onClockFace(now) ||
        (in.next && chosen >= clockFace(*in.next)))
        chosen = minuteAfter;
    return QDateTime(chosen.date(), chosen.time());
}

ClockRecord ForcedClockOut::closing(const ClockRecord& in, const QDateTime& now, const QDateTime& at)
{
    ClockRecord out;
    out.time = at;
    out.julian = DayNumber::of(out.time);
    out.employeeId = in.employeeId;
    out.tips = in.tips.value_or(Money());
    out.clockOut = true;
    out.employee = in.employee;
    out.dnumber = in.dnumber;
    out.inEarly = in.inEarly;
    out.outLate = in.outLate;
    out.inLate = in.inLate;
    out.outEarly = in.outEarly;
    out.options = static_cast<qint16>(Mark::Forced);
    out.created = now;
    return out;
}

QList<ForcedClockOut::Due> ForcedClockOut::closingsDue(const QList<ClockRecords::OpenIn>& ins,
                                                       const QDateTime& now, int limitMinutes,
                                                       const Placement& placement)
{
    const qint64 nowSeconds = clockSecondsOf(now);
    QList<Due> due;
    for (const ClockRecords::OpenIn& in : ins) {
        // A time that is no time (-1) closes nothing.
        if (in.time >= 0 && in.time + qint64(limitMinutes) * 60 <= nowSeconds)
            due.append({in, outTime(in, now, limitMinutes, placement)});
    }
    return due;
}

ScheduledStops ForcedClockOut::scheduledStopsOf(const Session& session, Database& database)
{
    switch (session.employeeSource()) {
    case EmployeeSource::LocalFiles:
        return [&session](const QString& employeeId, const QDate& day) -> std::optional<int> {
            for (const Employee& e : session.employees().entries) {
                if (e.employeeNumber > 0 && EmployeeId::same(e.employeeId, employeeId)) {
                    const int stop = e.schedule.latestStop(StaffRebuild::weekdayOf(day));
                    return stop > 0 ? std::optional<int>(stop * 15) : std::nullopt;
                }
            }
            return std::nullopt;
        };
    case EmployeeSource::SchedulingDatabase:
        // Only today's schedule is kept, in the staff table.
        return [&database](const QString& employeeId, const QDate& day) -> std::optional<int> {
            const std::optional<StaffRow> row = StaffTable(database).find(employeeId);
            if (!row || row->julian != DayNumber::of(day) || row->stop <= 0)
                return std::nullopt;
            return row->stop * 15;
        };
    case EmployeeSource::None:
        break;
    }
    return {};
}

int ForcedClockOut::run(const Session& session)
{
    return run(session.settings(), scheduledStopsOf(session, m_database));
}

int ForcedClockOut::run(const SettingsRecord& settings, const ScheduledStops& stops)
{
    if (!settings.forceClockOuts || m_running)
        return 0;
    RunningGuard guard(m_running);
    const QDateTime now = m_time.now();
    const qint32 windowStart = DayNumber::of(now.date()) - windowDays;
    ClockRecords records(m_database);
    // Read before any write lock: most passes write nothing, and they must not fail only because
    // another program is writing the file.
    const Placement placement{static_cast<ForcedOutTime>(settings.forcedOutTime), stops};
    // Only an OUT put later than a minute after the IN must stay before the IN's next record.
    const ClockRecords::OpenIns open = records.openInsAfter(
        windowStart, placement.time == ForcedOutTime::MinuteAfterIn ? ClockRecords::NextTimes::NotWanted
                                                                    : ClockRecords::NextTimes::Wanted);
    const QList<Due> due = closingsDue(open.ins, now, limitMinutes(settings.forceAfter), placement);
    if (due.isEmpty())
        return 0;
    // Whole rows only for the INs closed: each OUT carries its IN's name, department and marks.
    QList<qint64> numbers;
    for (const Due& d : due)
        numbers.append(d.in.recordNumber);
    QHash<qint64, ClockRecord> ins;
    for (const ClockRecord& row : records.withNumbers(numbers))
        ins.insert(row.recordNumber, row);

    // The pass is one unit: either every forced OUT is stored with its history entry or, on an
    // error, none is. Every station runs it; a punch or another station's pass since the read shows
    // as a different end of the employee's sequence, and that employee is left for the next pass.
    Transaction transaction(m_database);
    m_database.lock(QStringLiteral("forced clock-out"));
    EditHistory history(m_database);
    const EditStamp stamp{now, EditHistory::workstationUser()};
    QHash<QString, bool> unchanged;
    int written = 0;
    for (const Due& d : due) {
        const auto in = ins.constFind(d.in.recordNumber);
        if (in == ins.cend())
            continue; // deleted since the read
        const ClockRecord out = closing(*in, now, d.at);
        const QString key = ClockRecords::employeeKey(out.employeeId);
        if (!unchanged.contains(key)) {
            m_database.lock(key);
            const ClockRecords::SequenceEnd seen = open.ends.value(key);
            const auto latest = records.latestByTimeFor(out.employeeId, windowStart);
            unchanged.insert(key, latest && latest->recordNumber == seen.recordNumber &&
                                      clockSecondsOf(latest->time) == seen.time &&
                                      latest->clockOut == seen.clockOut);
        }
        if (!unchanged.value(key))
            continue;
        const qint64 number = records.append(out);
        history.append(stamp, EditHistory::forced, number, {}, history.rowValues(number));
        ++written;
    }
    transaction.commit();
    return written;
}

bool ForcedClockOutTrigger::due(const QDateTime& now)
{
    const QTime t = now.time();
    bool run = false;
    if (t.minute() == 45 && t.second() == 1 && !m_ranThisHour) {
        run = true;
        m_ranThisHour = true;
    }
    if (t.minute() == 47)
        m_ranThisHour = false;
    return run;
}
