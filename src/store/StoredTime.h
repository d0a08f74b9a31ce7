#pragma once

#include <QDateTime>
#include <QString>

// The text form of stored dates and times: local time to the second as SQLite's datetime() writes
// it, so stored values sort by time and read back the same in any locale.
namespace StoredTime {
QString toText(const QDateTime& moment);
QDateTime fromText(const QString& text);
} // namespace StoredTime
