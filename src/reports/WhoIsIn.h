#pragma once

#include "store/ClockRecord.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>
#include <optional>

class Database;

// Who is clocked in and who is clocked out, judged from each employee's latest record over a
// chosen number of days: the manager's view behind "Who is In and Out".
namespace WhoIsIn {
constexpr qint16 defaultDays = 7;
constexpr qint16 maximumDays = 31;

struct Entry {
    QString employeeId;
    QString name;
    QDateTime time; // of the employee's latest record in the period
};
struct Lists {
    QList<Entry> in; // in employee ID order
    QList<Entry> out;
};

// 0 (not chosen yet) counts as the default of seven days.
qint16 effectiveDays(qint16 days);

// Each employee's latest record (by time, then record number) from today minus the days onward, so
// one day covers yesterday and today, decides its list; records without an ID are left out. No
// value when the period has no records: the window then keeps what it shows.
std::optional<Lists> load(Database& database, const QDate& today, qint16 days);

// A list line: the name as the window's first column holds it, a tab, the ID, " - ", the time in
// full on the clock the settings choose.
QString itemText(const QString& column, const Entry& entry, bool clock12Hour, const QLocale& locale);
} // namespace WhoIsIn
