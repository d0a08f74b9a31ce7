#include "payroll/PeriodExport.h"

#include "pay/PaySummary.h"
#include "payroll/PayrollExport.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DayNumber.h"
#include "store/EmployeeId.h"
#include "store/EmployeePayrollTable.h"
#include "store/PeriodStates.h"

ExportSettings PeriodExport::settingsOf(const SettingsRecord& s)
{
    ExportSettings settings;
    settings.adpCompany = s.adpCompany;
    settings.adpBatch = s.adpBatch;
    settings.adpDoubleCode = s.adpDoubleCode;
    settings.quickbooksCompany = s.quickbooksCompany;
    settings.quickbooksCreateTime = s.quickbooksCreateTime;
    settings.quickbooksItem = s.quickbooksItem;
    return settings;
}

QHash<QString, ExportEmployee> PeriodExport::employeesOf(Database& database, const Session& session)
{
    QHash<QString, ExportEmployee> employees;
    // The staff list names an employee as the service knows them now; a record keeps the name of
    // its day.
    for (const Employee& employee : session.employees().entries)
        employees[EmployeeId::normalised(employee.employeeId)].name = employee.name.trimmed();
    if (EmployeePayrollTable::hasTable(database)) {
        const QHash<QString, EmployeePayroll> payroll = EmployeePayrollTable(database).all();
        for (const EmployeePayroll& p : payroll) {
            ExportEmployee& known = employees[p.employeeId];
            known.payrollNumber = p.payrollNumber;
            known.firstName = p.firstName;
            known.lastName = p.lastName;
        }
    }
    return employees;
}

PeriodExport::Outcome PeriodExport::make(const Services& services, const Session& session,
                                         const PayPeriod& period, const ExportProfile& profile)
{
    Outcome outcome;
    PaySummary summary(PaySummary::requestFor(session, DayNumber::of(period.first),
                                              DayNumber::of(period.last),
                                              RoundingCode(session.settings().payRounding)),
                       session.settings(), session.departments());
    if (!summary.load(services.database, session.employees().entries)) {
        outcome.nothing = true;
        outcome.problem =
            QStringLiteral("No employee has a complete IN and OUT in the pay period %1.").arg(period.text());
        return outcome;
    }
    ExportInput input;
    input.period = period;
    input.pay = &summary.result();
    input.settings = settingsOf(session.settings());
    input.employees = employeesOf(services.database, session);
    outcome.fileName = PayrollExport::fileName(profile, period, input.settings);
    outcome.bytes = PayrollExport::bytes(profile, input, &outcome.problem);
    return outcome;
}

QString PeriodExport::warning(const PayPeriod& period, const std::optional<StoredPeriod>& stored)
{
    const StoredPeriod::State state = stored ? stored->state() : StoredPeriod::State::Open;
    if (state == StoredPeriod::State::Locked)
        return {};
    return QStringLiteral("The pay period %1 is %2: its hours can still change until it is locked.")
        .arg(period.text(), StoredPeriod::stateWord(state));
}
