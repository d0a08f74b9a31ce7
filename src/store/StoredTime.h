#pragma once

#include <QDateTime>
#include <QString>

// The text form of stored dates and times: local time to the second as SQLite's datetime() writes
// it, so stored values sort by time and read back the same in any locale.
namespace StoredTime {
QString toText(const QDateTime& moment);
QDateTime fromText(const QString& text);
// The same date and time of day with no time zone, for arithmetic the way a clock face reads:
// a shift from 22:00 to 06:00 is eight hours also on the night the clocks change.
QDateTime onClockFace(const QDateTime& moment);
} // namespace StoredTime
