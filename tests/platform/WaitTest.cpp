#include "platform/Wait.h"

#include "FakeTimeSource.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace {
// A clock that moves on by a fixed step each time it is read.
class SteppingTimeSource final : public TimeSource {
public:
    QDateTime now() const override { return reading = reading.addMSecs(stepMs); }
    mutable QDateTime reading;
    qint64 stepMs;
};
} // namespace

TEST(WaitSeconds, EndsOnceTheTimeSourceHasMovedOnEvenPastMidnight)
{
    const struct {
        QTime start;
        double seconds;
        qint64 stepMs;
    } cases[] = {{QTime(9, 0), 0.25, 10}, {QTime(23, 59, 58), 5, 1000}, {QTime(23, 59, 57), 3, 1000}};
    for (const auto& c : cases) {
        const QDateTime start(QDate(2026, 12, 4), c.start);
        SteppingTimeSource time;
        time.reading = start;
        time.stepMs = c.stepMs;
        waitSeconds(c.seconds, time);
        // The wait ends at the first reading that lies the asked time past the first one.
        EXPECT_EQ(start.msecsTo(time.reading), qint64(c.seconds * 1000) + c.stepMs) << c.seconds;
    }
}

TEST(WaitSeconds, KeepsEventsRunningWhileTheClockStandsStill)
{
    FakeTimeSource time;
    const QDateTime start = time.now();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { time.advanceSeconds(1); });
    timer.start(5);
    waitSeconds(2, time);
    // Only the timer moves the clock, so the wait could only end because events kept running.
    EXPECT_GE(start.secsTo(time.now()), 2);
}
