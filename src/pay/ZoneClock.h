#pragma once

#include <QTimeZone>
#include <vector>

// Turns clock-face times (seconds since midnight of day number 0, as the store's rows hold them)
// into real instants on the same scale, under one time zone's daylight-saving changes, so that
// differences are the time that really passed.
class ZoneClock {
public:
    // Which instant a wall time names when the clocks went back and it occurred twice.
    enum class Repeated { Earlier, Later };

    // Looks up the zone's changes between the two clock-face times once; later readings outside
    // them use the offset in force at the nearer end.
    ZoneClock(const QTimeZone& zone, qint64 fromClockFace, qint64 toClockFace);

    // A wall time the clocks skipped reads with the offset before the change, so it lands just
    // after the change, as the clock would have shown had it not jumped.
    qint64 instant(qint64 clockFace, Repeated repeated) const;

private:
    struct Change {
        qint64 wallFrom = 0; // first wall time the change touches: skipped or repeated
        qint64 wallTo = 0;   // first wall time after them
        int before = 0;      // offsets from UTC in seconds
        int after = 0;
    };
    std::vector<Change> m_changes; // in time order
    int m_initialOffset = 0;
};
