#include "clock/LateArrivals.h"

#include "store/ClockRecords.h"
#include "store/DayNumber.h"
#include "store/EmployeeId.h"

#include <algorithm>
#include <tuple>

bool LateArrivals::isLate(const QTime& start, const QTime& now, int allowedMinutes)
{
    const int nowMinutes = now.hour() * 60 + now.minute();
    const int startMinutes = start.hour() * 60 + start.minute();
    return nowMinutes - startMinutes > allowedMinutes;
}

QList<LateArrivals::Entry> LateArrivals::find(const QList<StaffRow>& staff, const QSet<QString>& inToday,
                                              const QDateTime& now, int allowedMinutes)
{
    const qint32 today = DayNumber::of(now.date());
    QList<Entry> late;
    QSet<QString> listed;
    for (const StaffRow& row : staff) {
        const QString id = EmployeeId::normalised(row.employeeId);
        // A start of 0 or past the day is no schedule; the table may still hold another day's rows.
        if (row.julian != today || row.start <= 0 || row.start >= 96 || id.isEmpty())
            continue;
        const QTime start(row.start / 4, row.start % 4 * 15);
        if (inToday.contains(id) || listed.contains(id) || !isLate(start, now.time(), allowedMinutes))
            continue;
        listed.insert(id);
        late.append({row.employeeId, row.employee, start});
    }
    std::sort(late.begin(), late.end(), [](const Entry& a, const Entry& b) {
        return std::tie(a.start, a.employeeId) < std::tie(b.start, b.employeeId);
    });
    return late;
}

QList<LateArrivals::Entry> LateArrivals::load(Database& database, const QDateTime& now, int allowedMinutes)
{
    const QList<StaffRow> staff = StaffTable(database).all();
    return find(staff, ClockRecords(database).employeesInOn(DayNumber::of(now.date())), now, allowedMinutes);
}
