#include "pay/PaySummary.h"

#include "pay/PaySettingsRules.h"
#include "reports/ReportExports.h"
#include "settings/Session.h"
#include "staff/PayRateEditing.h"
#include "store/DayNumber.h"
#include "store/EmployeeId.h"
#include "store/PayRateTable.h"
#include "store/StaffFiles.h"

#include <QTextStream>
#include <algorithm>
#include <memory>

namespace {
// A name or ID kept on one line of a TAB-separated output whatever it holds.
QString oneField(const QString& text)
{
    QString s = text.trimmed();
    for (QChar& c : s)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return s;
}

bool byNameThenId(const EmployeePay* a, const EmployeePay* b)
{
    if (const int c = QString::compare(a->name.trimmed(), b->name.trimmed(), Qt::CaseInsensitive))
        return c < 0;
    return QString::compare(a->id, b->id, Qt::CaseInsensitive) < 0;
}
} // namespace

PaySummary::PaySummary(const PayRequest& request, const SettingsRecord& settings,
                       const DepartmentList& departments)
    : m_request(request)
    , m_settings(settings)
    , m_departments(departments)
{}

PayRules PaySummary::rulesOf(const Session& session)
{
    return PaySettingsRules::rules(session.settings());
}

PayRequest PaySummary::requestFor(const Session& session, qint32 firstDay, qint32 lastDay,
                                  std::optional<RoundingCode> rounding)
{
    PayRequest request;
    request.firstDay = firstDay;
    request.lastDay = lastDay;
    request.rounding = rounding.value_or(PaySettingsRules::rounding(session.settings()));
    request.rules = rulesOf(session);
    return request;
}

ReportDocument::PairPaySource PaySummary::pairPaySource(const Session& session)
{
    return [&session](Database& database, const ReportRequest& report) -> PairPayLookup {
        PaySummary summary(requestFor(session, report.firstDay, report.lastDay, report.rounding),
                           session.settings(), session.departments());
        summary.load(database, session.employees().entries);
        // By the IN: the report's rows are other copies of the same records.
        using Key = std::pair<QString, qint64>;
        auto byIn = std::make_shared<QHash<Key, PairPayColumns>>();
        for (const EmployeePay& e : summary.result().employees)
            for (const PairPay& p : e.pairs)
                byIn->insert({e.id, p.in->time},
                             {p.workday, p.paid.regular, p.paid.overtime, p.paid.doubleTime});
        return [byIn](const ReportRow& in) -> std::optional<PairPayColumns> {
            const auto found = byIn->constFind({EmployeeId::normalised(in.employeeId), in.time});
            return found == byIn->cend() ? std::nullopt : std::optional(*found);
        };
    };
}

bool PaySummary::load(Database& database, const QList<Employee>& employees)
{
    const auto [from, to] = PayCalculation::rowDays(m_request.firstDay, m_request.lastDay, m_request.rules);
    QList<ReportRow> rows = ReportRows::select(database, from, to, ReportRows::Order::Employee);
    compute(std::move(rows), payRatesOf(employees, PayRateTable(database).all()));
    fillFromStaff(employees);
    return !m_result.employees.isEmpty();
}

void PaySummary::compute(QList<ReportRow> rows, PayRates rates)
{
    m_rows = std::move(rows);
    m_rates = std::move(rates);
    m_result = PayCalculation(m_request, m_settings, m_rates).compute(m_rows);
}

void PaySummary::fillFromStaff(const QList<Employee>& employees)
{
    // Records typed in by hand or stored by a clock without an employee list carry a blank name
    // and no department; the staff list still knows who the ID is.
    for (EmployeePay& e : m_result.employees) {
        if (!e.name.trimmed().isEmpty() && e.dnumber != 0)
            continue;
        for (const Employee& staff : employees) {
            if (staff.employeeNumber <= 0 || !EmployeeId::same(staff.employeeId, e.id))
                continue;
            if (e.name.trimmed().isEmpty())
                e.name = staff.name;
            if (e.dnumber == 0)
                e.dnumber = staff.departmentNumber;
            break;
        }
    }
}

QList<const EmployeePay*> PaySummary::byName() const
{
    QList<const EmployeePay*> list;
    for (const EmployeePay& e : m_result.employees)
        list.append(&e);
    std::stable_sort(list.begin(), list.end(), byNameThenId);
    return list;
}

QString PaySummary::departmentName(qint32 number) const
{
    for (const Department& d : m_departments.entries)
        if (d.number == number && !d.name.isEmpty())
            return d.name;
    return {};
}

QList<const EmployeePay*> PaySummary::byDepartment() const
{
    QList<const EmployeePay*> list = byName();
    std::stable_sort(list.begin(), list.end(), [this](const EmployeePay* a, const EmployeePay* b) {
        const QString da = departmentName(a->dnumber);
        const QString db = departmentName(b->dnumber);
        if (da.isEmpty() != db.isEmpty())
            return db.isEmpty();
        if (const int c = QString::compare(da, db, Qt::CaseInsensitive))
            return c < 0;
        return a->dnumber < b->dnumber;
    });
    return list;
}

QString PaySummary::hoursText(qint64 minutes)
{
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString PaySummary::ratesText(const QList<Money>& rates)
{
    QStringList texts;
    for (const Money& r : rates)
        texts.append(PayRateEditing::rateText(r));
    return texts.join(QStringLiteral(", "));
}

QString PaySummary::title() const
{
    const auto iso = [](qint32 day) {
        return DayNumber::toDate(day).toString(Qt::ISODate);
    };
    return QStringLiteral("Pay summary %1 to %2").arg(iso(m_request.firstDay), iso(m_request.lastDay));
}

void PaySummary::writeLines(QTextStream& out) const
{
    const auto tips = [this](Money m) {
        return m_settings.reportTips ? m.toFixed(2) : QString();
    };
    for (const EmployeePay* e : byName())
        out << "pay\t" << oneField(e->id) << '\t' << oneField(e->name) << '\t' << e->paid.regular << '\t'
            << e->paid.overtime << '\t' << e->paid.doubleTime << '\t' << e->gross.toFixed(2) << '\t'
            << tips(e->tips) << '\n';
    const PayResult& r = m_result;
    out << "total\t\t\t" << r.paid.regular << '\t' << r.paid.overtime << '\t' << r.paid.doubleTime << '\t'
        << r.gross.toFixed(2) << '\t' << tips(r.tips) << '\n';
}

void PaySummary::writeCsv(QTextStream& out) const
{
    const bool tips = m_settings.reportTips;
    out << "Employee ID,Employee,Department number,Department,Regular minutes,Overtime minutes,Double "
           "minutes,"
           "Hours,Rates,Gross pay"
        << (tips ? ",Tips" : "") << "\r\n";
    const auto numbers = [&](const PayMinutes& m, const QString& rates, Money gross, Money tipsMoney) {
        out << ',' << m.regular << ',' << m.overtime << ',' << m.doubleTime << ',' << hoursText(m.total())
            << ',' << CsvExport::textField(rates) << ',' << gross.toFixed(2);
        if (tips)
            out << ',' << tipsMoney.toFixed(2);
        out << "\r\n";
    };
    for (const EmployeePay* e : byName()) {
        out << CsvExport::textField(e->id) << ',' << CsvExport::textField(e->name.trimmed()) << ','
            << (e->dnumber ? QString::number(e->dnumber) : QString()) << ','
            << CsvExport::textField(departmentName(e->dnumber));
        numbers(e->paid, ratesText(e->rates), e->gross, e->tips);
    }
    out << ",Total,,";
    numbers(m_result.paid, QString(), m_result.gross, m_result.tips);
}
