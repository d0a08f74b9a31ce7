#include "store/EmployeePayrollTable.h"

#include "store/Database.h"
#include "store/EmployeeId.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

const QString EmployeePayrollTable::changedAction = QStringLiteral("Payroll details");

namespace {
constexpr qsizetype longestNumber = 30;
constexpr qsizetype longestName = 60;

// The history's picture of an entry; empty when there is none.
QString valuesOf(const EmployeePayroll& p)
{
    if (p.isEmpty())
        return {};
    QJsonObject o;
    o.insert(QStringLiteral("Employee ID"), p.employeeId);
    o.insert(QStringLiteral("Payroll number"), p.payrollNumber);
    o.insert(QStringLiteral("First name"), p.firstName);
    o.insert(QStringLiteral("Last name"), p.lastName);
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

EmployeePayroll rowOf(QSqlQuery& query)
{
    return {query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
            query.value(3).toString()};
}

// An empty text as the database keeps it: never NULL, which the columns refuse.
QString kept(const QString& text)
{
    return text.isNull() ? QString(QLatin1String("")) : text;
}

bool hasControl(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

const QString selectAll = QStringLiteral(
    R"(SELECT "Employee ID", "Payroll number", "First name", "Last name" FROM "Employee payroll")");
} // namespace

std::pair<QString, QString> EmployeePayroll::firstAndLastOf(const QString& storedName)
{
    const QString plain = storedName.simplified();
    const qsizetype blank = plain.lastIndexOf(QLatin1Char(' '));
    if (blank < 0)
        return {QString(), plain};
    return {plain.mid(blank + 1), plain.left(blank)};
}

EmployeePayrollTable::EmployeePayrollTable(Database& database)
    : m_database(database)
{}

bool EmployeePayrollTable::hasTable(Database& database)
{
    return database.hasTable(QStringLiteral("Employee payroll"));
}

QString EmployeePayrollTable::problemOf(const EmployeePayroll& p)
{
    const struct {
        const QString& value;
        const char* field;
        qsizetype longest;
    } fields[] = {
        {p.payrollNumber, "payroll number", longestNumber},
        {p.firstName, "first name", longestName},
        {p.lastName, "last name", longestName},
    };
    for (const auto& f : fields) {
        const QString value = f.value.trimmed();
        if (hasControl(value))
            return QStringLiteral("The %1 holds a tab, line break or other control character").arg(f.field);
        if (value.size() > f.longest)
            return QStringLiteral("The %1 is longer than %2 characters").arg(f.field).arg(f.longest);
    }
    return {};
}

EmployeePayroll EmployeePayrollTable::find(const QString& employeeId)
{
    const QString id = EmployeeId::normalised(employeeId);
    QSqlQuery& query = m_database.run(selectAll + QStringLiteral(R"( WHERE "Employee ID" = ?)"), {id});
    EmployeePayroll found{id, {}, {}, {}};
    if (query.next())
        found = rowOf(query);
    query.finish();
    return found;
}

QHash<QString, EmployeePayroll> EmployeePayrollTable::all()
{
    QSqlQuery& query = m_database.run(selectAll);
    QHash<QString, EmployeePayroll> entries;
    while (query.next()) {
        const EmployeePayroll row = rowOf(query);
        entries.insert(row.employeeId, row);
    }
    query.finish();
    return entries;
}

bool EmployeePayrollTable::set(const EmployeePayroll& payroll, const EditStamp& stamp)
{
    const EmployeePayroll after{EmployeeId::normalised(payroll.employeeId), payroll.payrollNumber.trimmed(),
                                payroll.firstName.trimmed(), payroll.lastName.trimmed()};
    Transaction transaction(m_database);
    const EmployeePayroll before = find(after.employeeId);
    if (before == after)
        return false;
    m_database.execute(QStringLiteral(R"(DELETE FROM "Employee payroll" WHERE "Employee ID" = ?)"),
                       {after.employeeId});
    if (!after.isEmpty())
        m_database.execute(
            QStringLiteral(R"(INSERT INTO "Employee payroll" ("Employee ID", "Payroll number", )"
                           R"("First name", "Last name") VALUES (?, ?, ?, ?))"),
            {after.employeeId, kept(after.payrollNumber), kept(after.firstName), kept(after.lastName)});
    EditHistory(m_database).append(stamp, changedAction, std::nullopt, valuesOf(before), valuesOf(after));
    transaction.commit();
    return true;
}
