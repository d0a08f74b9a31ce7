#include "platform/Wait.h"

#include "platform/TimeSource.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>

namespace {
constexpr double secondsPerDay = 86400.0;
constexpr int pauseMs = 2;

double secondsSinceMidnight(const QDateTime& moment)
{
    return moment.time().msecsSinceStartOfDay() / 1000.0;
}
} // namespace

void waitSeconds(double seconds, const TimeSource& time)
{
    if (!(seconds > 0))
        return;
    // The time source may tell whole seconds only; within one of its seconds the fraction comes
    // from a steady timer, capped below a second so that the time source alone decides when a
    // second has passed. Short waits thus last about as long as asked.
    double start = secondsSinceMidnight(time.now());
    double lastReading = start;
    QElapsedTimer sinceReadingChanged;
    sinceReadingChanged.start();
    for (;;) {
        const double reading = secondsSinceMidnight(time.now());
        if (reading != lastReading) {
            if (reading < lastReading)
                start -= secondsPerDay; // past midnight the reading starts again from 0
            lastReading = reading;
            sinceReadingChanged.restart();
        }
        const double fraction = std::min(sinceReadingChanged.elapsed() / 1000.0, 0.999);
        if (lastReading + fraction - start >= seconds)
            return;
        QCoreApplication::processEvents(QEventLoop::AllEvents, pauseMs);
        QThread::msleep(pauseMs);
    }
}
