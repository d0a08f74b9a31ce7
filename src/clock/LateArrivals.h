#pragma once

#include "store/StaffTable.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>

class Database;

// Who is late: the employees whose schedule for today started more than the allowed minutes ago
// and who have not clocked in today.
namespace LateArrivals {
constexpr int defaultMinutes = 15;

struct Entry {
    QString employeeId;
    QString name;
    QTime start;
    friend bool operator==(const Entry&, const Entry&) = default;
};

// Minutes are whole: with 15 allowed, a start at 08:00 is late from 08:16:00 on, not at 08:15:59.
bool isLate(const QTime& start, const QTime& now, int allowedMinutes);
// Today's staff rows (start in quarter hours, 0 for none) against the normalised IDs with an IN
// today; in order of start, then ID.
QList<Entry> find(const QList<StaffRow>& staff, const QSet<QString>& inToday, const QDateTime& now,
                  int allowedMinutes);
// Reads today's staff table and today's INs.
QList<Entry> load(Database& database, const QDateTime& now, int allowedMinutes);
} // namespace LateArrivals
