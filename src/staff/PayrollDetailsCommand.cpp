#include "staff/PayrollDetailsCommand.h"

#include "platform/CommandOptions.h"
#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/EmployeeId.h"
#include "store/EmployeeNames.h"
#include "store/EmployeePayrollTable.h"

#include <QTextStream>
#include <algorithm>

namespace {
const QString usage = QStringLiteral(
    "usage: tellarin employees payroll --id ID [--number N] [--first TEXT] [--last TEXT] [--clear]");

// The ID as the staff list spells it; empty when no employee of the station's source has it.
QString knownId(const Services& services, const Session& session, const QString& id)
{
    for (const Employee& e : session.employees().entries)
        if (EmployeeId::same(e.employeeId, id))
            return e.employeeId;
    if (session.hasEmployeeDatabase() && !session.usesLocalStaff())
        for (const EmployeeName& e : employeeNamesByName(services.database))
            if (EmployeeId::same(e.employeeId, id))
                return e.employeeId;
    return {};
}
} // namespace

int runPayrollDetailsCommand(const Services& services, const Session& session, const QStringList& args,
                             QTextStream& out, QTextStream& err)
{
    const QString number = QStringLiteral("--number");
    const QString first = QStringLiteral("--first");
    const QString last = QStringLiteral("--last");
    const CommandOptions options =
        CommandOptions::parse(QStringLiteral("employees payroll"), args,
                              {QStringLiteral("--id"), number, first, last}, {QStringLiteral("--clear")});
    if (!options.ok()) {
        err << options.problem() << Qt::endl;
        return 2;
    }
    const QString id = options.value(QStringLiteral("--id")).trimmed();
    if (id.isEmpty()) {
        err << usage << Qt::endl;
        return 2;
    }
    try {
        const QString shownId = knownId(services, session, id);
        if (shownId.isEmpty()) {
            err << "employees: no employee has the ID \"" << CommandOptions::shown(id) << "\"" << Qt::endl;
            return 1;
        }
        EmployeePayrollTable table(services.database);
        EmployeePayroll payroll = table.find(id);
        if (options.flag(QStringLiteral("--clear")))
            payroll = {payroll.employeeId, {}, {}, {}};
        if (options.has(number))
            payroll.payrollNumber = options.value(number);
        if (options.has(first))
            payroll.firstName = options.value(first);
        if (options.has(last))
            payroll.lastName = options.value(last);
        const QString problem = EmployeePayrollTable::problemOf(payroll);
        if (!problem.isEmpty()) {
            err << "employees: " << problem << Qt::endl;
            return 2;
        }
        if (options.flag(QStringLiteral("--clear")) || options.has(number) || options.has(first) ||
            options.has(last)) {
            table.set(payroll, {services.time.now(), EditHistory::workstationUser()});
            payroll = table.find(id);
        }
        out << "payroll\t" << shownId << '\t' << CommandOptions::shown(payroll.payrollNumber) << '\t'
            << CommandOptions::shown(payroll.firstName) << '\t' << CommandOptions::shown(payroll.lastName)
            << Qt::endl;
        return 0;
    } catch (const DatabaseError& error) {
        err << error.userMessage().simplified() << Qt::endl;
        return 3;
    }
}
