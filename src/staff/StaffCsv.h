#pragma once

#include "store/StaffFiles.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>

// The staff as a spreadsheet: one CSV row per employee with the department by name and each
// weekday's periods as typed in the editor, read back by employee ID.
namespace StaffCsv {
// Name,ID,Department,Pay,Active,Sunday,...,Saturday
QStringList header();

// RFC 4180, UTF-8, CR LF line ends, the employees in list order.
QByteArray exportBytes(const EmployeeList& employees, const DepartmentList& departments);

// One record of the file with the line it starts on (1 is the first line).
struct Record {
    int line = 0;
    QStringList fields;
};
// Splits the text into records; a quote left open is reported in `error`.
QList<Record> records(const QString& text, QString* error);

// One line of what an import would do.
struct Change {
    enum class Kind { Add, Change, Unchanged, Department };
    Kind kind = Kind::Add;
    QString key; // the employee ID, or the new department's number
    QString name;
    QStringList what; // for a change: "name", "ID", "department", "pay", "active", weekdays
};

// What an import would do to the staff lists.
struct Plan {
    // "line N: ...", the first keptErrors of errorCount; the whole file is refused when not empty.
    static constexpr int keptErrors = 20;
    QStringList errors;
    qsizetype errorCount = 0;
    QList<Employee> employees;
    QList<Department> departments;
    bool employeesChanged = false;
    bool departmentsChanged = false;
    int added = 0;
    int updated = 0;
    int unchanged = 0;
    int departmentsAdded = 0;
    QList<Change> changes; // in file order, each new department where it is first named
};
// Employees are matched by ID in any letter case; new employees and departments are numbered in
// file order after the highest number. When anything changes the lists come sorted by name, as
// the editors write them.
Plan plan(const QByteArray& bytes, const EmployeeList& employees, const DepartmentList& departments);
// The same, read from the file as it goes: a file of any size takes the memory of its kept rows.
Plan plan(QIODevice& file, const EmployeeList& employees, const DepartmentList& departments);
} // namespace StaffCsv
