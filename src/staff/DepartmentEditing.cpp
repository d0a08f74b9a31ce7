#include "staff/DepartmentEditing.h"

#include "staff/EmployeeEditing.h"
#include "store/Windows1252.h"

#include <algorithm>

using namespace DepartmentEditing;

int DepartmentEditing::indexOfName(const QList<Department>& departments, const QString& name, int skipIndex)
{
    const QString wanted = name.trimmed().toUpper();
    for (int i = 0; i < departments.size(); ++i) {
        if (i != skipIndex && !departments[i].name.trimmed().isEmpty() &&
            departments[i].name.trimmed().toUpper() == wanted)
            return i;
    }
    return -1;
}

namespace {
// A character the department file cannot hold would be written as "?".
std::optional<DepartmentEditing::Result> unstorable(const QString& name)
{
    const QString c = Windows1252::firstUnencodable(name);
    if (c.isEmpty())
        return std::nullopt;
    return DepartmentEditing::Result{DepartmentEditing::Outcome::Unstorable,
                                     EmployeeEditing::unstorableText(QStringLiteral("department name"), c),
                                     EmployeeEditing::unstorableTitle,
                                     {}};
}
} // namespace

Result DepartmentEditing::add(const DepartmentList& list, const QString& typedName)
{
    const QString name = EmployeeEditing::cleaned(typedName);
    if (name.isEmpty())
        return {Outcome::EmptyName, {}, {}, {}};
    if (const auto refused = unstorable(name))
        return *refused;
    if (indexOfName(list.entries, name) >= 0)
        return {Outcome::Duplicate,
                QStringLiteral("Department name ") + name + QStringLiteral("\n is in use..."),
                QStringLiteral("Department name duplicate"),
                {}};
    if (list.nextNumber() == 0)
        return {Outcome::NoNumberLeft,
                QStringLiteral("Every department number is in use."),
                QStringLiteral("Department"),
                {}};
    QList<Department> departments = list.entries;
    departments.append({list.nextNumber(), name});
    return {Outcome::Done, {}, {}, sortedByName(departments)};
}

Result DepartmentEditing::rename(const DepartmentList& list, int index, const QString& typedName)
{
    const QString name = EmployeeEditing::cleaned(typedName);
    if (name.isEmpty() || index < 0 || index >= list.count())
        return {Outcome::EmptyName, {}, {}, {}};
    if (const auto refused = unstorable(name))
        return *refused;
    if (indexOfName(list.entries, name, index) >= 0)
        return {Outcome::Duplicate,
                QStringLiteral("Shift name ") + name + QStringLiteral("\n is in use..."),
                QStringLiteral("Shift name duplicate"),
                {}};
    QList<Department> departments = list.entries;
    departments[index].name = name;
    return {Outcome::Done, {}, {}, sortedByName(departments)};
}

Result DepartmentEditing::remove(const DepartmentList& list, int index)
{
    QList<Department> departments = list.entries;
    if (index >= 0 && index < departments.size())
        departments.removeAt(index);
    departments.removeIf([](const Department& d) { return d.name.trimmed().isEmpty(); });
    return {Outcome::Done, {}, {}, departments};
}

QList<Department> DepartmentEditing::sortedByName(QList<Department> departments)
{
    departments.removeIf([](const Department& d) { return d.name.trimmed().isEmpty(); });
    std::stable_sort(departments.begin(), departments.end(), [](const Department& a, const Department& b) {
        return a.name.toUpper() < b.name.toUpper();
    });
    return departments;
}

int DepartmentEditing::employeesIn(const EmployeeList& employees, qint32 departmentNumber)
{
    return static_cast<int>(
        std::count_if(employees.entries.cbegin(), employees.entries.cend(),
                      [&](const Employee& e) { return e.departmentNumber == departmentNumber; }));
}
