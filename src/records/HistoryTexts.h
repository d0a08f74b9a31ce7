#pragma once

#include "store/ClockRecord.h"
#include "store/EditHistory.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// How the edit history reads to a person: the record's origin and each change in words.
namespace HistoryTexts {
// The lines the editor's history window shows for one record: first how it came about (the
// punch with its original time, a hand insert or a forced clock-out), then one line per entry
// with what it changed.
QStringList recordStory(const QList<HistoryEntry>& entries, const std::optional<ClockRecord>& current,
                        bool clock12Hour);
// "entry", number, when, action, record number, user and the change in words, TAB-separated.
QString tabLine(const HistoryEntry& entry, bool clock12Hour);
// The entry as stored: number, when, action, record number, user, old values, new values and
// details (JSON), TAB-separated.
QString rawLine(const HistoryEntry& entry);

// A deleted record as found again by its employee and day.
struct DeletedRecord {
    HistoryEntry entry;
    ClockRecord record;
};
// The records of the employee deleted by hand, of the given day or later, newest deletion first.
QList<DeletedRecord> deletedRecords(const QList<HistoryEntry>& entries, const QString& employeeId,
                                    qint32 fromDay);
} // namespace HistoryTexts
