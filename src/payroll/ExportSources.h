#pragma once

#include <QString>

// What the columns of an export can hold, and where each may be used.
namespace ExportSources {
enum class Kind { Text, Hours, Money };
enum class Scope {
    Setting,  // a payroll setting: anywhere, file names included
    Period,   // the period's first or last day: anywhere, file names included
    Employee, // anywhere but in file names
    EmployeeRows,
    WorkdayRows,
};

struct Source {
    const char* name;
    Kind kind;
    Scope scope;
};

// Null for a name that is no source.
const Source* find(const QString& name);
// The names, in the order the profiles' notes list them.
QString listed();
} // namespace ExportSources
