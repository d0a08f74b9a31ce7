#pragma once

#include "store/ClockRecord.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Database;

// Who is in and who is out, judged from each employee's latest record of the last few days.
namespace InOutLists {
struct Lists {
    QStringList in; // names, in employee ID order
    QStringList out;
};

// A list entry is padded to at least this width and cut to below the maximum (pixels at 96 dpi).
constexpr int minimumEntryWidth = 80;
constexpr int maximumEntryWidth = 90;

// The window in days before today; 0 stands for 7.
qint16 effectiveDays(qint16 screenInOutDays);

// Reads the window ending today: each employee's latest record (by time, then record number)
// decides its list. No value when there is nothing to show: the lists then keep what they show. A window of 0
// days is set to 7 in screenInOutDays, as the options would hold it.
std::optional<Lists> load(Database& database, const QDate& today, qint16& screenInOutDays);

// The name padded with blanks to the minimum width, cut from the right while as wide as the
// maximum, then a tab. width measures a text in the list's font.
QString entryText(const QString& name, const std::function<int(const QString&)>& width,
                  int minimumWidth = minimumEntryWidth, int maximumWidth = maximumEntryWidth);
} // namespace InOutLists
