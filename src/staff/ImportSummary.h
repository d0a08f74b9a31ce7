#pragma once

#include "staff/StaffCsv.h"

#include <QString>
#include <QStringList>

// What an import of the staff spreadsheet will do, told before anything is written: one sentence
// for the window and TAB lines for the command line.
namespace ImportSummary {
// What differs between an employee and the same employee as imported: "name", "ID", "department",
// "pay", "active" and the weekdays whose periods change, in that order.
QStringList differences(const Employee& before, const Employee& after);
// "3 added, 2 changed (101 Smith Anna: name, pay, Monday), 1 new department (Nowhere)".
QString sentence(const StaffCsv::Plan& plan);
// "add|change|unchanged|department" TAB ID (a department's number) TAB name TAB what changes.
QStringList tabLines(const StaffCsv::Plan& plan);
// The new departments' names, in file order.
QStringList newDepartments(const StaffCsv::Plan& plan);
} // namespace ImportSummary
