#pragma once

#include "store/ClockRecords.h"

#include <QDateTime>
#include <QList>
#include <functional>
#include <optional>

class Database;
class Session;
class TimeSource;
struct SettingsRecord;

// Where a forced OUT is put, in the order of the `clock.forced_out_time` setting's words.
enum class ForcedOutTime { MinuteAfterIn, ScheduledStop, Limit };

// The employee's scheduled stop on a day, in minutes after its midnight; nothing when none.
using ScheduledStops = std::function<std::optional<int>(const QString& employeeId, const QDate& day)>;

struct ForcedOutPlacement {
    ForcedOutTime time = ForcedOutTime::MinuteAfterIn;
    ScheduledStops stops;
};

// Closes clock-ins left open too long: each gets a forced OUT, one minute after it unless the
// settings choose the employee's scheduled stop or the force-after limit.
class ForcedClockOut {
public:
    // How many days back, counting today, an open IN can still be closed.
    static constexpr int windowDays = 9;

    using Placement = ForcedOutPlacement;

    ForcedClockOut(Database& database, const TimeSource& time);

    // One pass over the last nine days. Does nothing unless forced clock-outs are switched on, and
    // nothing while a pass is already running (a message box of a failing pass lets ticks through).
    // Returns the number of OUTs written. Database errors are thrown, with nothing written.
    int run(const SettingsRecord& settings, const ScheduledStops& stops = {});
    // The same with the session's settings and the schedules of its employee source.
    int run(const Session& session);
    bool isRunning() const { return m_running; }

    // Whole minutes after which an open IN is closed.
    static int limitMinutes(float forceAfterHours);
    // An open IN that is closed now, and when its OUT is put.
    struct Due {
        ClockRecords::OpenIn in;
        QDateTime at;
    };
    // The open INs due to be closed now.
    static QList<Due> closingsDue(const QList<ClockRecords::OpenIn>& ins, const QDateTime& now,
                                  int limitMinutes, const Placement& placement = {});
    // When the OUT that closes `in` is put: the placement's choice when it falls after the IN, before
    // the employee's next record and not after now; otherwise one minute after the IN.
    static QDateTime outTime(const ClockRecords::OpenIn& in, const QDateTime& now, int limitMinutes,
                             const Placement& placement);
    // The OUT that closes an IN at the given time.
    static ClockRecord closing(const ClockRecord& in, const QDateTime& now, const QDateTime& at);
    // The scheduled stops the session's employee source knows: an employee's weekly schedule, or
    // today's staff table for the scheduling database; none without an employee source.
    static ScheduledStops scheduledStopsOf(const Session& session, Database& database);

private:
    Database& m_database;
    const TimeSource& m_time;
    bool m_running = false;
};

// Decides, tick by tick, when the hourly forced clock-out is due: once an hour at minute 45 second 1.
// A tick that misses that second skips the hour.
class ForcedClockOutTrigger {
public:
    // True at most once per hour; call on every tick.
    bool due(const QDateTime& now);

private:
    bool m_ranThisHour = false;
};
