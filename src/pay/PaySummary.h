#pragma once

#include "pay/PayCalculation.h"
#include "reports/ReportDocument.h"

#include <QList>
#include <optional>

class Database;
class QTextStream;
struct DepartmentList;
class Session;

// One run of the pay summary: the rows and rates read afresh for a period, the pay computed from
// them, and the outputs made from it (TAB lines, CSV; pages through PayLayout).
class PaySummary {
public:
    PaySummary(const PayRequest& request, const SettingsRecord& settings, const DepartmentList& departments);
    PaySummary(const PaySummary&) = delete;
    PaySummary& operator=(const PaySummary&) = delete;

    // The rules pay is computed by, as the station's settings give them.
    static PayRules rulesOf(const Session& session);
    // A request for the period with the station's rules and zone; without a rounding, the pay
    // settings' own.
    static PayRequest requestFor(const Session& session, qint32 firstDay, qint32 lastDay,
                                 std::optional<RoundingCode> rounding = std::nullopt);

    // The clocking report's pay columns: each complete pair's workday and minutes by kind, as pay
    // computes them for the report's days with the station's rules and staff.
    static ReportDocument::PairPaySource pairPaySource(const Session& session);

    // Reads the rows of the period and each employee's rates; false when no employee has a complete
    // pair in it. Throws DatabaseError.
    bool load(Database& database, const QList<Employee>& employees);
    // For callers that already hold the rows and rates (tests, the benchmark).
    void compute(QList<ReportRow> rows, PayRates rates);
    // Names and departments the records leave blank, taken from the staff list.
    void fillFromStaff(const QList<Employee>& employees);

    const PayRequest& request() const { return m_request; }
    const SettingsRecord& settings() const { return m_settings; }
    const PayResult& result() const { return m_result; }
    // The paid employees by name, then ID, without regard to case.
    QList<const EmployeePay*> byName() const;
    // The paid employees by department name (those of no department last), then by name.
    QList<const EmployeePay*> byDepartment() const;
    QString departmentName(qint32 number) const;

    // "pay" TAB ID TAB name TAB regular TAB overtime TAB double TAB gross TAB tips per employee by
    // name, then the "total" line; minutes whole, money to the cent, tips empty when not reported.
    void writeLines(QTextStream& out) const;
    // The same as CSV for a spreadsheet (header row, CR LF), with departments, hours and rates.
    void writeCsv(QTextStream& out) const;

    // "40:30" for 2430 minutes.
    static QString hoursText(qint64 minutes);
    // The rates an employee was paid at, to the cent unless kept finer: "18.50, 19.00".
    static QString ratesText(const QList<Money>& rates);
    QString title() const;

private:
    PayRequest m_request;
    const SettingsRecord& m_settings;
    const DepartmentList& m_departments;
    QList<ReportRow> m_rows;
    PayRates m_rates;
    PayResult m_result;
};
