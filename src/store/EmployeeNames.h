#pragma once

#include <QList>
#include <QString>

class Database;

// Name and ID of each row of today's "Employee" table, in name order without regard to case: the employee
// list when the scheduling database is the employee source.
struct EmployeeName {
    QString name;
    QString employeeId;
};
QList<EmployeeName> employeeNamesByName(Database& database);
