#pragma once

#include "store/ClockRecord.h"
#include "store/EditHistory.h"

#include <QDateTime>
#include <QString>

// A history entry's change in the words a manager reads ("Time 16:02 → 12:00, Edited"), shared by
// the history window, the history command and the sequence audit.
namespace HistoryWords {
// "" for a normal record, else "Edited", "Inserted", "Forced", "In early", ...
QString markText(int options);
// "Wed 09-Dec-26 09:30": the weekday, the date and the time (hh:mm AM/PM with the 12-hour clock).
QString momentText(const QDateTime& time, bool clock12Hour);
// "Wed 09-Dec-26 09:01 Out", then the mark when there is one ("Forced").
QString recordText(const ClockRecord& record, bool clock12Hour);
// The record held in a history entry's old or new values.
ClockRecord recordOf(const QString& values);
// What the entry did: "Time 16:02 → 12:00, Edited", "Inserted: Wed 09-Dec-26 17:30 Out",
// "Deleted: Wed 09-Dec-26 09:01 Out Forced", "Removed 12 records before 2026-03-01", ...
QString change(const HistoryEntry& entry, bool clock12Hour);
} // namespace HistoryWords
