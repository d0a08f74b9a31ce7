#pragma once

#include "store/ClockRecord.h"

#include <QDateTime>
#include <QList>

class Database;
class TimeSource;
struct SettingsRecord;

// Closes clock-ins left open too long: each gets a forced OUT one minute after it.
class ForcedClockOut {
public:
    // How many days back, counting today, an open IN can still be closed.
    static constexpr int windowDays = 9;

    ForcedClockOut(Database& database, const TimeSource& time);

    // One pass over the last nine days. Does nothing unless forced clock-outs are switched on, and
    // nothing while a pass is already running (a message box of a failing pass lets ticks through).
    // Returns the number of OUTs written. Database errors are thrown, with nothing written.
    int run(const SettingsRecord& settings);
    bool isRunning() const { return m_running; }

    // Whole minutes after which an open IN is closed.
    static int limitMinutes(float forceAfterHours);
    // The forced OUTs for a selection ordered by employee ID and time, as of now.
    static QList<ClockRecord> forcedOuts(const QList<ClockRecord>& rows, const QDateTime& now,
                                         int limitMinutes);
    // The OUT that closes an IN one minute after it.
    static ClockRecord closing(const ClockRecord& in, const QDateTime& now);

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
