#include "clock/ForcedClockOut.h"

#include "platform/TimeSource.h"
#include "settings/SettingsRecord.h"
#include "store/ClockRecords.h"
#include "store/Database.h"
#include "store/DayNumber.h"
#include "store/EditHistory.h"
#include "store/EmployeeId.h"
#include "store/StoredTime.h"

#include <QHash>
#include <cmath>

namespace {
bool sameEmployee(const ClockRecord& a, const ClockRecord& b)
{
    return EmployeeId::same(a.employeeId, b.employeeId);
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

ClockRecord ForcedClockOut::closing(const ClockRecord& in, const QDateTime& now)
{
    ClockRecord out;
    const QDateTime later = StoredTime::onClockFace(in.time).addSecs(60);
    out.time = QDateTime(later.date(), later.time());
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

QList<ClockRecord> ForcedClockOut::forcedOuts(const QList<ClockRecord>& rows, const QDateTime& now,
                                              int limitMinutes)
{
    QList<ClockRecord> outs;
    const auto consider = [&](const ClockRecord& in) {
        if (StoredTime::onClockFace(in.time).addSecs(qint64(limitMinutes) * 60) <=
            StoredTime::onClockFace(now))
            outs.append(closing(in, now));
    };
    const qsizetype count = rows.size();
    for (qsizetype i = 0; i < count; ++i) {
        const ClockRecord& row = rows.at(i);
        if (row.clockOut)
            continue;
        if (i == count - 1) {
            consider(row);
            break;
        }
        const ClockRecord& next = rows.at(i + 1);
        // An IN followed by another IN of the same employee, or the employee's last row: left open.
        if (!sameEmployee(row, next) || !next.clockOut)
            consider(row);
    }
    return outs;
}

int ForcedClockOut::run(const SettingsRecord& settings)
{
    if (!settings.forceClockOuts || m_running)
        return 0;
    RunningGuard guard(m_running);
    const QDateTime now = m_time.now();
    const qint32 windowStart = DayNumber::of(now.date()) - windowDays;
    ClockRecords records(m_database);
    // Read before any write lock: most passes write nothing, and they must not fail only because
    // another program is writing the file.
    const QList<ClockRecord> rows = records.after(windowStart);
    const QList<ClockRecord> outs = forcedOuts(rows, now, limitMinutes(settings.forceAfter));
    if (outs.isEmpty())
        return 0;
    // Each employee's last row as read (the selection ends each employee with it).
    QHash<QString, ClockRecord> lastRead;
    for (const ClockRecord& row : rows)
        lastRead.insert(ClockRecords::employeeKey(row.employeeId), row);

    // The pass is one unit: either every forced OUT is stored with its history entry or, on an
    // error, none is. Every station runs it; a punch or another station's pass since the read shows
    // as a different end of the employee's sequence, and that employee is left for the next pass.
    Transaction transaction(m_database);
    m_database.lock(QStringLiteral("forced clock-out"));
    EditHistory history(m_database);
    const EditStamp stamp{now, EditHistory::workstationUser()};
    QHash<QString, bool> unchanged;
    int written = 0;
    for (const ClockRecord& out : outs) {
        const QString key = ClockRecords::employeeKey(out.employeeId);
        if (!unchanged.contains(key)) {
            m_database.lock(key);
            const ClockRecord& seen = lastRead[key];
            const auto latest = records.latestByTimeFor(seen.employeeId, windowStart);
            unchanged.insert(key, latest && latest->recordNumber == seen.recordNumber &&
                                      latest->time == seen.time && latest->clockOut == seen.clockOut);
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
