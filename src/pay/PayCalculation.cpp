#include "pay/PayCalculation.h"

#include "pay/PayAmount.h"
#include "pay/WorkCalendar.h"
#include "pay/ZoneClock.h"
#include "reports/RecordPairs.h"
#include "reports/ReportLines.h"
#include "settings/SettingsRecord.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace {
constexpr qint64 unlimited = std::numeric_limits<qint64>::max();

// The part of a pair that falls on one workday: the whole pair, or with splitting one stretch
// between workday starts.
struct Piece {
    qint32 workday = 0;
    qint64 start = 0;   // real instant, for the order within the workday
    qint64 minutes = 0; // after the pair's deduction, never below zero
    qsizetype pair = 0; // index into the employee's pairs
};

struct Employee {
    EmployeePay pay;
    std::vector<PairPay> pairs; // every complete pair, also those outside the period
    std::vector<Piece> pieces;
};

// One workday's worked minutes: pieces[first, end) of its employee.
struct Workday {
    qint32 day = 0;
    qint64 worked = 0;
    qint64 deducted = 0;
    std::size_t first = 0;
    std::size_t end = 0;
    bool seventhDay = false;
};

// The kinds of pay a workday's minutes fall into, before the workweek is looked at.
PayMinutes dailyKinds(qint64 worked, bool seventhDay, const PayRules& rules)
{
    PayMinutes kinds;
    if (seventhDay) {
        kinds.overtime = std::min(worked, PayRules::seventhDayDoubleAfter);
        kinds.doubleTime = worked - kinds.overtime;
        return kinds;
    }
    const qint64 regularUpTo = rules.dailyOvertime ? rules.dailyOvertimeAfter : unlimited;
    const qint64 doubleFrom = rules.dailyDouble ? rules.dailyDoubleAfter : unlimited;
    kinds.regular = std::min({worked, regularUpTo, doubleFrom});
    kinds.doubleTime = worked > doubleFrom ? worked - doubleFrom : 0;
    kinds.overtime = worked - kinds.regular - kinds.doubleTime;
    return kinds;
}

class Computation {
public:
    Computation(const PayRequest& request, const SettingsRecord& settings, const PayRates& rates)
        : m_request(request)
        , m_settings(settings)
        , m_rates(rates)
        , m_calendar(request.rules)
    {}

    PayResult run(const QList<ReportRow>& rows);

private:
    bool inPeriod(qint32 workday) const
    {
        return workday >= m_request.firstDay && workday <= m_request.lastDay;
    }
    Employee& employeeFor(const QString& id);
    void addPair(Employee& employee, const ReportRow& in, qint64 roundedIn, const ReportRow& out,
                 qint64 roundedOut);
    void addOpen(const ReportRow& in, const QString& id, qint64 roundedIn);
    std::vector<Workday> workdays(Employee& employee) const;
    void markSeventhDays(std::vector<Workday>& days) const;
    void pay(Employee& employee);

    const PayRequest& m_request;
    const SettingsRecord& m_settings;
    const PayRates& m_rates;
    WorkCalendar m_calendar;
    std::optional<ZoneClock> m_zone;
    std::vector<Employee> m_employees;
    QHash<QString, std::size_t> m_indexes;
    PayResult m_result;
};

Employee& Computation::employeeFor(const QString& id)
{
    // Rows come by name first, so one ID under two names arrives in two runs.
    const auto it = m_indexes.constFind(id);
    if (it != m_indexes.cend())
        return m_employees[*it];
    m_indexes.insert(id, m_employees.size());
    Employee& e = m_employees.emplace_back();
    e.pay.id = id;
    return e;
}

void Computation::addOpen(const ReportRow& in, const QString& id, qint64 roundedIn)
{
    const qint32 workday = m_calendar.workdayOf(roundedIn);
    if (inPeriod(workday))
        m_result.openPairs.append({&in, id, roundedIn, workday});
}

void Computation::addPair(Employee& employee, const ReportRow& in, qint64 roundedIn, const ReportRow& out,
                          qint64 roundedOut)
{
    PairPay pair;
    pair.in = &in;
    pair.out = &out;
    pair.roundedIn = roundedIn;
    pair.roundedOut = roundedOut;
    pair.workday = m_calendar.workdayOf(roundedIn);
    const qint64 from = m_zone->instant(roundedIn, ZoneClock::Repeated::Earlier);
    const qint64 to = m_zone->instant(roundedOut, ZoneClock::Repeated::Later);
    pair.minutes = ClockingReport::minutesBetween(from, to);
    // The deduction follows the report, which counts breaks on the clock face.
    if (m_settings.autoDeduct)
        pair.deducted = qint64(m_settings.minutesToDeduct) *
                        RecordPairs::breaks(ClockingReport::minutesBetween(roundedIn, roundedOut),
                                            m_settings.minBeforeDed);
    const qsizetype index = static_cast<qsizetype>(employee.pairs.size());
    employee.pairs.push_back(pair);

    qint32 workday = pair.workday;
    qint64 start = from;
    qint64 deduction = pair.deducted;
    while (true) {
        qint64 end = to;
        if (m_request.rules.splitAtWorkdayStart) {
            const qint64 next =
                m_zone->instant(m_calendar.startOf(workday + 1), ZoneClock::Repeated::Earlier);
            end = std::min(end, next);
        }
        const qint64 minutes = ClockingReport::minutesBetween(start, end) - deduction;
        employee.pieces.push_back({workday, start, std::max<qint64>(minutes, 0), index});
        deduction = 0;
        if (end >= to)
            break;
        start = end;
        ++workday;
    }
}

std::vector<Workday> Computation::workdays(Employee& employee) const
{
    auto& pieces = employee.pieces;
    const auto byTime = [](const Piece& a, const Piece& b) {
        return a.workday != b.workday ? a.workday < b.workday : a.start < b.start;
    };
    if (!std::is_sorted(pieces.begin(), pieces.end(), byTime))
        std::stable_sort(pieces.begin(), pieces.end(), byTime);
    std::vector<Workday> days;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const Piece& p = pieces[i];
        if (days.empty() || days.back().day != p.workday)
            days.push_back({p.workday, 0, 0, i, i});
        Workday& d = days.back();
        d.worked += p.minutes;
        d.end = i + 1;
        const PairPay& pair = employee.pairs[std::size_t(p.pair)];
        if (pair.workday == p.workday)
            d.deducted += pair.deducted;
    }
    return days;
}

void Computation::markSeventhDays(std::vector<Workday>& days) const
{
    if (!m_request.rules.seventhDay)
        return;
    // Seven worked workdays in one workweek: the list holds each workday once, in order.
    for (std::size_t i = 0; i < days.size();) {
        const qint32 week = m_calendar.weekOf(days[i].day);
        std::size_t end = i;
        int worked = 0;
        while (end < days.size() && m_calendar.weekOf(days[end].day) == week)
            worked += days[end++].worked > 0 ? 1 : 0;
        if (worked == 7)
            days[end - 1].seventhDay = true;
        i = end;
    }
}

void Computation::pay(Employee& employee)
{
    std::vector<Workday> days = workdays(employee);
    markSeventhDays(days);
    const PayRules& rules = m_request.rules;
    const EmployeeRates* rates = nullptr;
    if (const auto it = m_rates.constFind(employee.pay.id); it != m_rates.cend())
        rates = &*it;
    EmployeePay& result = employee.pay;
    PayAmount amount;
    qint32 week = std::numeric_limits<qint32>::min();
    qint64 weekRegular = 0;
    for (const Workday& day : days) {
        if (const qint32 w = m_calendar.weekOf(day.day); w != week) {
            week = w;
            weekRegular = 0;
        }
        PayMinutes kinds = dailyKinds(day.worked, day.seventhDay, rules);
        if (rules.weeklyOvertimeAfter > 0) {
            const qint64 room = std::max<qint64>(rules.weeklyOvertimeAfter - weekRegular, 0);
            const qint64 moved = std::max<qint64>(kinds.regular - room, 0);
            kinds.regular -= moved;
            kinds.overtime += moved;
        }
        weekRegular += kinds.regular;
        if (!inPeriod(day.day))
            continue;

        // In time order the day's minutes are regular first, then overtime, then double time.
        PayMinutes left = kinds;
        for (std::size_t i = day.first; i < day.end; ++i) {
            qint64 minutes = employee.pieces[i].minutes;
            PayMinutes share;
            for (auto [have, take] :
                 {std::pair{&left.regular, &share.regular}, std::pair{&left.overtime, &share.overtime},
                  std::pair{&left.doubleTime, &share.doubleTime}}) {
                *take = std::min(minutes, *have);
                *have -= *take;
                minutes -= *take;
            }
            employee.pairs[std::size_t(employee.pieces[i].pair)].paid += share;
        }

        const Money rate = rates ? rates->rateOn(day.day) : Money();
        amount.add(kinds.regular, rate, PayRules::multiplierUnit);
        amount.add(kinds.overtime, rate, rules.overtimeMultiplier);
        amount.add(kinds.doubleTime, rate, rules.doubleMultiplier);
        if (!result.rates.contains(rate))
            result.rates.append(rate);
        result.workdays.append({day.day, day.deducted, kinds, rate, day.seventhDay});
        result.paid += kinds;
    }
    result.gross = amount.toCents();

    for (const PairPay& pair : employee.pairs) {
        const bool listed = inPeriod(pair.workday) || (rules.splitAtWorkdayStart && pair.paid.total() > 0);
        if (!listed)
            continue;
        result.pairs.append(pair);
        result.name = pair.in->employee;
        result.dnumber = pair.in->dnumber;
    }
}

PayResult Computation::run(const QList<ReportRow>& rows)
{
    if (rows.isEmpty())
        return {};
    qint64 earliest = rows.front().time;
    qint64 latest = earliest;
    for (const ReportRow& row : rows) {
        earliest = std::min(earliest, row.time);
        latest = std::max(latest, row.time);
    }
    m_zone.emplace(m_request.zone, earliest, latest);

    UpperIds ids;
    QString previousId;
    const ReportRow* openIn = nullptr; // an IN still waiting for the OUT that would close it
    qint64 openRounded = 0;
    Employee* employee = nullptr;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const ReportRow& row = rows[i];
        const QString& id = ids.of(row.employeeId);
        const bool sameEmployee = i > 0 && id == previousId;
        if (!sameEmployee)
            employee = &employeeFor(id);
        const qint64 rounded = RecordPairs::roundedTime(m_request.rounding, row);
        const bool closes = i > 0 && RecordPairs::closes(rows[i - 1], row, sameEmployee);
        if (openIn && !closes)
            addOpen(*openIn, previousId, openRounded);
        if (closes)
            addPair(*employee, *openIn, openRounded, row, rounded);
        if (RecordPairs::countsTip(row, m_settings.reportTips)) {
            const qint32 workday = closes ? employee->pairs.back().workday : m_calendar.workdayOf(rounded);
            if (inPeriod(workday))
                employee->pay.tips += row.tips;
        }
        openIn = row.clockOut ? nullptr : &row;
        openRounded = rounded;
        previousId = id;
    }
    if (openIn)
        addOpen(*openIn, previousId, openRounded);

    for (Employee& e : m_employees) {
        pay(e);
        if (e.pay.pairs.isEmpty())
            continue;
        m_result.paid += e.pay.paid;
        m_result.gross += e.pay.gross;
        m_result.tips += e.pay.tips;
        m_result.employees.append(std::move(e.pay));
    }
    return std::move(m_result);
}
} // namespace

PayCalculation::PayCalculation(const PayRequest& request, const SettingsRecord& settings,
                               const PayRates& rates)
    : m_request(request)
    , m_settings(settings)
    , m_rates(rates)
{}

std::pair<qint32, qint32> PayCalculation::rowDays(qint32 firstDay, qint32 lastDay, const PayRules& rules)
{
    return {WorkCalendar(rules).weekOf(firstDay) - 1, lastDay + 2};
}

PayResult PayCalculation::compute(const QList<ReportRow>& rows) const
{
    return Computation(m_request, m_settings, m_rates).run(rows);
}
