#include "staff/EmployeeListing.h"

#include "settings/Services.h"
#include "settings/Session.h"
#include "store/EmployeeNames.h"
#include "store/StaffFiles.h"

namespace {
constexpr double nameTwips = 1500;
constexpr double idTwips = 1750;
const QString crlf = QStringLiteral("\r\n");
} // namespace

QList<EmployeeListing::Entry> EmployeeListing::entries(const Services& services, const Session& session)
{
    QList<Entry> list;
    if (session.usesLocalStaff()) {
        const QList<Employee>& employees = session.employees().entries;
        for (int i = 0; i < employees.size(); ++i)
            list.append({employees.at(i).name, employees.at(i).employeeId, i});
        return list;
    }
    const QList<EmployeeName> names = employeeNamesByName(services.database);
    for (int i = 0; i < names.size(); ++i)
        list.append({names.at(i).name, names.at(i).employeeId, i});
    return list;
}

QString EmployeeListing::lineText(const QString& name, const QString& employeeId, const TwipsWidth& width)
{
    QString padded = name;
    // A blank always widens the text, but a font without one must not hang the list.
    for (int guard = 0; width(padded) < nameTwips && guard < 1000; ++guard)
        padded += QLatin1Char(' ');
    QString id = employeeId;
    while (!id.isEmpty() && width(id) >= idTwips)
        id.chop(1);
    return padded + QLatin1Char('\t') + id;
}

int EmployeeListing::firstMatch(const QStringList& lines, const QString& typed)
{
    for (int i = 0; i < lines.size(); ++i) {
        if (lines.at(i).startsWith(typed, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

QString EmployeeListing::caption(Purpose purpose)
{
    switch (purpose) {
    case Purpose::Change:
        return QStringLiteral("Change Employee");
    case Purpose::Delete:
        return QStringLiteral("Delete Employee");
    case Purpose::PickForRecords:
        break;
    }
    return QStringLiteral("Edit employee clocking records");
}

QString EmployeeListing::deleteQuestion(const QString& name, const QString& employeeId)
{
    return QStringLiteral("Deleting:  ") + name + QStringLiteral(" ") + employeeId + crlf + crlf +
           QStringLiteral("Are you sure?") + crlf + crlf + QStringLiteral("Note!") + crlf +
           QStringLiteral("Deleted employees will not be") + crlf +
           QStringLiteral("part of any statistics or history...") + crlf +
           QStringLiteral("If you mark them as Inactive,") + crlf + QStringLiteral("they will be.");
}

bool EmployeeListing::deleteEmployee(Session& session, int index)
{
    if (index < 0 || index >= session.employees().entries.size())
        return false;
    QList<Employee> remaining = session.employees().entries;
    remaining[index].employeeNumber = 0;
    const QString path = StaffFiles::employeeFile(session.paths());
    if (!StaffFiles::writeEmployees(path, remaining))
        return false;
    session.setEmployees(StaffFiles::loadEmployees(path));
    return true;
}
