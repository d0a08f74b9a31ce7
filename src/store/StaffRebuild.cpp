#include "store/StaffRebuild.h"

#include "store/DayNumber.h"

int StaffRebuild::weekdayOf(QDate day)
{
    return day.dayOfWeek() % 7 + 1; // Qt counts Monday = 1 .. Sunday = 7
}

QList<StaffRow> StaffRebuild::staffRowsFor(const QList<Employee>& employees, QDate day)
{
    const int weekday = weekdayOf(day);
    const qint32 julian = DayNumber::of(day);
    QList<StaffRow> rows;
    for (const Employee& e : employees) {
        if (!e.active)
            continue;
        StaffRow row;
        row.employee = e.name;
        row.employeeNumber = e.employeeNumber;
        row.julian = julian;
        row.employeeId = e.employeeId;
        row.departmentNumber = e.departmentNumber;
        row.start = static_cast<qint16>(e.schedule.firstStart(weekday));
        row.stop = static_cast<qint16>(e.schedule.latestStop(weekday));
        rows.append(row);
    }
    return rows;
}

StaffRebuild::Loaded StaffRebuild::rebuildStaffTable(Database& database, const ProgramPaths& paths,
                                                     QDate today)
{
    Loaded loaded;
    loaded.departments = StaffFiles::loadDepartments(StaffFiles::departmentFile(paths));
    loaded.employees = StaffFiles::loadEmployees(StaffFiles::employeeFile(paths));
    StaffTable(database).replaceAll(staffRowsFor(loaded.employees.entries, today));
    return loaded;
}
