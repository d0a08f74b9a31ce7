#pragma once

#include "store/StaffFiles.h"

#include <QString>
#include <optional>

// The department rules: adding, renaming and deleting a department in the department list, and the
// order the department file is written in afterwards.
namespace DepartmentEditing {
enum class Outcome { Done, EmptyName, Unstorable, Duplicate, NoNumberLeft };

struct Result {
    Outcome outcome = Outcome::Done;
    QString message; // for a duplicate or a full list
    QString title;
    // The departments to write, in file order.
    QList<Department> toWrite;
};

// Adds a department numbered after the highest one loaded.
Result add(const DepartmentList& list, const QString& typedName);
// Renames the department at the list index; its number stays.
Result rename(const DepartmentList& list, int index, const QString& typedName);
// Removes the department at the list index; the others keep their order.
Result remove(const DepartmentList& list, int index);

// Ascending by upper-cased name, leaving out deleted entries.
QList<Department> sortedByName(QList<Department> departments);
// How many employees carry this department number.
int employeesIn(const EmployeeList& employees, qint32 departmentNumber);
// The list index of the department with this name (trimmed, any letter case); -1 when none.
int indexOfName(const QList<Department>& departments, const QString& name, int skipIndex = -1);
} // namespace DepartmentEditing
