#pragma once

#include "PunchRecord.h"
#include "settings/SettingsRecord.h"
#include "store/ClockRecords.h"
#include "store/DayNumber.h"
#include "store/StaffFiles.h"

#include <QList>

// A week of punches (Monday 30 November to Sunday 6 December 2026) that meets most of what the
// clocking report has to get right: names in mixed letter case, an employee without a name in an
// unknown department, a forced OUT with its IN before the week, IN IN OUT, a pair across midnight,
// a rounding that moves an IN into the next day, breaks and tips.
namespace ReportFixture {
inline QDateTime at(int month, int day, int hour, int minute, int second = 0)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, minute, second));
}

inline ClockRecord row(const char* id, const char* name, int dnumber, const QDateTime& time, bool out,
                       qint16 options = 0, const char* tips = nullptr)
{
    ClockRecord r = punchRecord(QString::fromUtf8(id), time, out, QString::fromUtf8(name));
    r.dnumber = dnumber;
    r.options = options;
    if (tips)
        r.tips = Money::parse(QString::fromLatin1(tips));
    return r;
}

inline QList<ClockRecord> week()
{
    return {
        // appended in the order a clock would, which is not the report's order
        row("B7", "Bea Rossi", 2, at(11, 30, 8, 0), false),
        row("a1", "adam Smith", 1, at(11, 30, 9, 0), true, 3, "0.5"),
        row("B7", "Bea Rossi", 2, at(11, 30, 12, 0, 30), true),
        row("B7", "Bea Rossi", 2, at(11, 30, 12, 30), false),
        row("B7", "Bea Rossi", 2, at(11, 30, 17, 0), true),
        row("a1", "adam Smith", 1, at(12, 1, 8, 7, 59), false),
        row("a1", "adam Smith", 1, at(12, 1, 8, 8), false, 5),
        row("a1", "adam Smith", 1, at(12, 1, 16, 52, 40), true, 0, "12.5"),
        row("B7", "Bea Rossi", 2, at(12, 1, 22, 0), false),
        row("B7", "Bea Rossi", 2, at(12, 2, 6, 15), true),
        row("C3", " ", 9, at(12, 3, 9, 0), false),
        row("D4", "Dora Lee", 2, at(12, 3, 10, 0), false),
        row("C3", " ", 9, at(12, 3, 11, 0), true),
        row("D4", "Dora Lee", 2, at(12, 3, 12, 0), true),
        row("B7", "Bea Rossi", 2, at(12, 5, 23, 53), false),
        row("B7", "Bea Rossi", 2, at(12, 6, 4, 0), true),
        // outside the week
        row("B7", "Bea Rossi", 2, at(11, 29, 8, 0), false),
        row("B7", "Bea Rossi", 2, at(12, 7, 8, 0), false),
    };
}

inline void append(Database& database, const QList<ClockRecord>& rows)
{
    ClockRecords records(database);
    for (const ClockRecord& r : rows)
        records.append(r);
}

inline SettingsRecord settings()
{
    SettingsRecord s;
    s.autoDeduct = true;
    s.minutesToDeduct = 30;
    s.minBeforeDed = 300;
    s.reportTips = true;
    return s;
}

inline DepartmentList departments()
{
    DepartmentList list;
    list.entries = {{1, QStringLiteral("Front desk")},
                    {2, QStringLiteral("Kitchen")},
                    {2, QStringLiteral("Second kitchen")}};
    return list;
}

inline qint32 day(int month, int d)
{
    return DayNumber::of(QDate(2026, month, d));
}
} // namespace ReportFixture
