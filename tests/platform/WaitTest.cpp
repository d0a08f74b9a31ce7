#include "platform/Wait.h"

#include "platform/TimeSource.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace {
// A clock that moves on by a fixed step each time it is read, counting the reads.
class SteppingTimeSource final : public TimeSource {
public:
    SteppingTimeSource(QDateTime start, qint64 stepMs)
        : m_now(std::move(start))
        , m_stepMs(stepMs)
    {}
    QDateTime now() const override
    {
        const QDateTime reading = m_now;
        m_now = m_now.addMSecs(m_stepMs);
        return reading;
    }
    QDateTime peek() const { return m_now; }

private:
    mutable QDateTime m_now;
    qint64 m_stepMs;
};

// A clock that stands still until moved.
class ManualTimeSource final : public TimeSource {
public:
    QDateTime now() const override { return m_now; }
    QDateTime m_now = QDateTime(QDate(2026, 12, 4), QTime(9, 0));
};
} // namespace

TEST(WaitSeconds, EndsOnceTheTimeSourceHasMovedOnEvenPastMidnight)
{
    struct Case {
        const char* name;
        QTime start;
        double seconds;
        qint64 stepMs;
        qint64 expectedMs; // how far the clock has moved when the wait ends
    };
    const Case cases[] = {
        {"whole seconds", QTime(9, 0), 3, 1000, 3000},
        {"fraction of a second on a fine clock", QTime(9, 0), 0.25, 10, 250},
        {"across midnight", QTime(23, 59, 58), 5, 1000, 5000},
        {"ending right at midnight", QTime(23, 59, 57), 3, 1000, 3000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QDateTime start(QDate(2026, 12, 4), c.start);
        SteppingTimeSource time(start, c.stepMs);
        waitSeconds(c.seconds, time);
        // The clock is read once more after the reading that ended the wait was taken.
        const qint64 moved = start.msecsTo(time.peek()) - c.stepMs;
        EXPECT_EQ(moved, c.expectedMs);
    }
}

TEST(WaitSeconds, KeepsEventsRunningWhileTheClockStandsStill)
{
    ManualTimeSource time;
    const QDateTime start = time.m_now;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        time.m_now = time.m_now.addSecs(1);
    });
    timer.start(5);
    waitSeconds(2, time);
    // Only the timer moves the clock, so the wait could only end because events kept running.
    EXPECT_GE(start.secsTo(time.m_now), 2);
    EXPECT_GE(ticks, 2);
}
