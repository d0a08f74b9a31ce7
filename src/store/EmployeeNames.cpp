#include "store/EmployeeNames.h"

#include "store/Database.h"

#include <QSqlQuery>
#include <QVariant>

QList<EmployeeName> employeeNamesByName(Database& database)
{
    QSqlQuery& query = database.run(
        QStringLiteral(R"(SELECT "Employee", "Employee ID" FROM "Employee" ORDER BY upper("Employee") ASC)"));
    QList<EmployeeName> names;
    while (query.next())
        names.append({query.value(0).toString(), query.value(1).toString()});
    query.finish();
    return names;
}
