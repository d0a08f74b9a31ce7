#pragma once

#include "store/Money.h"
#include "store/WeeklySchedule.h"

#include <QByteArray>
#include <QList>
#include <QString>

class ProgramPaths;

// One employee of the staff files.
struct Employee {
    qint32 employeeNumber = 0; // 0 or less: deleted, not written
    QString name;
    QString employeeId;
    qint16 departmentNumber = 0; // 0: none chosen
    Money pay;
    bool active = true;
    WeeklySchedule schedule;

    bool operator==(const Employee&) const = default;
};

struct Department {
    qint32 number = 0;
    QString name; // empty: deleted, not written

    bool operator==(const Department&) const = default;
};

// Numbers are handed out as the highest loaded + 1 and must stay within 1..32767.
constexpr qint32 highestStaffNumber = 32767;

struct EmployeeList {
    QList<Employee> entries;
    qint32 highestNumber = 0; // of the entries read, counting only numbers within 1..32767

    qsizetype count() const { return entries.size(); }
    // 0 when every number up to 32767 is taken.
    qint32 nextNumber() const { return highestNumber < highestStaffNumber ? highestNumber + 1 : 0; }
};

struct DepartmentList {
    QList<Department> entries;
    qint32 highestNumber = 0;

    qsizetype count() const { return entries.size(); }
    qint32 nextNumber() const { return highestNumber < highestStaffNumber ? highestNumber + 1 : 0; }
};

// Reads and writes Empl.DAT and Dept.DAT: one field per CR LF line, Windows ANSI text.
//
// Readers never fail and never complain: a missing file is an empty list, a number line that is no
// number reads as 0, and a file cut short keeps the records whose every line was read (the last
// line may lack its line end); a record cut anywhere before its last line is dropped whole, so a
// half-read employee can never be written back over the good one. The lists hold at most 32767
// entries, the rest of a larger file is ignored.
//
// Writers rewrite the file whole through a temporary file, so a failed write leaves the old file
// as it was, and leave out deleted entries. A file written here and read back is written again
// byte for byte the same.
namespace StaffFiles {
QString employeeFile(const ProgramPaths& paths);
QString departmentFile(const ProgramPaths& paths);

EmployeeList readEmployees(const QByteArray& bytes);
DepartmentList readDepartments(const QByteArray& bytes);
QByteArray employeeBytes(const QList<Employee>& employees);
QByteArray departmentBytes(const QList<Department>& departments);

EmployeeList loadEmployees(const QString& path);
DepartmentList loadDepartments(const QString& path);
bool writeEmployees(const QString& path, const QList<Employee>& employees);
bool writeDepartments(const QString& path, const QList<Department>& departments);
} // namespace StaffFiles
