#pragma once

#include "store/ClockRecord.h"
#include "store/EditHistory.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// How the edit history reads to a person: the record's origin and each change as old -> new.
namespace HistoryTexts {
// "Time: 2026-12-04 08:00:45 -> 2026-12-04 09:15:45" for every field that differs.
QStringList changes(const QString& oldValues, const QString& newValues);
// The lines the editor's history window shows for one record: first how it came about (the
// punch with its original time, a hand insert or a forced clock-out), then one line per entry.
QStringList recordStory(const QList<HistoryEntry>& entries, const std::optional<ClockRecord>& current);
// One TAB-separated line per entry: number, when, action, record number, user, old values, new
// values, details.
QString tabLine(const HistoryEntry& entry);
} // namespace HistoryTexts
