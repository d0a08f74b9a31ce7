#pragma once

#include "store/StaffFiles.h"
#include "store/StaffTable.h"

#include <QDate>
#include <QList>

class Database;
class ProgramPaths;

// Turns the staff files into the day's "Employee" table the clock looks IDs up in.
namespace StaffRebuild {
struct Loaded {
    EmployeeList employees;
    DepartmentList departments;
};

// The week's day of a date, 1 = Sunday .. 7 = Saturday.
int weekdayOf(QDate day);
// One row per active employee in list order, with the day's first start and latest stop.
QList<StaffRow> staffRowsFor(const QList<Employee>& employees, QDate day);
// Loads Dept.DAT and Empl.DAT from the program folder and replaces the table's rows in one
// transaction. Throws DatabaseError when the table cannot be written; the table then keeps its
// old rows.
Loaded rebuildStaffTable(Database& database, const ProgramPaths& paths, QDate today);
} // namespace StaffRebuild
