#include "payroll/PeriodReview.h"

#include "pay/PaySettingsRules.h"
#include "pay/PaySummary.h"
#include "payroll/ExportProfile.h"
#include "payroll/PayrollExport.h"
#include "payroll/PeriodExport.h"
#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"
#include "store/EditHistory.h"
#include "store/EmployeeId.h"

#include <algorithm>

namespace {
DayRange rangeOf(const PayPeriod& period)
{
    return {period.first, period.last};
}

QString employeesText(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 employee") : QStringLiteral("%1 employees").arg(count);
}

QString exceptionsText(int count)
{
    return count == 1 ? QStringLiteral("1 exception") : QStringLiteral("%1 exceptions").arg(count);
}
} // namespace

PeriodReview::PeriodReview(const Services& services, Session& session, ExceptionCounts exceptions,
                           QWidget* dialogParent)
    : m_services(services)
    , m_session(session)
    , m_exceptions(std::move(exceptions))
    , m_parent(dialogParent)
{}

PeriodReview::~PeriodReview() = default;

QString PeriodReview::title()
{
    return QStringLiteral("Pay periods");
}

bool PeriodReview::refresh()
{
    QList<StoredPeriod> stored;
    QList<PayPeriod> days;
    const QDate today = m_services.time.now().date();
    try {
        stored = PeriodStates(m_services.database).all();
        days = PeriodCalendar::inForce(m_services.database, m_session.settings())
                   .overlapping(today.addYears(-1), today);
    } catch (const DatabaseError& error) {
        m_services.messages.inform(m_parent, error.userMessage(), QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
        return false;
    }
    for (const StoredPeriod& period : std::as_const(stored)) {
        const PayPeriod fixed{period.days.first, period.days.last};
        if (!days.contains(fixed))
            days.append(fixed);
    }
    std::sort(days.begin(), days.end(),
              [](const PayPeriod& a, const PayPeriod& b) { return a.first > b.first; });
    m_periods.clear();
    for (const PayPeriod& period : std::as_const(days)) {
        ReviewPeriod listed{period};
        const auto found = std::find_if(stored.cbegin(), stored.cend(),
                                        [&](const StoredPeriod& s) { return s.days.first == period.first; });
        if (found != stored.cend())
            listed.state = found->state();
        m_periods.append(listed);
    }
    return !m_chosen.isValid() || choose(m_chosen);
}

bool PeriodReview::choose(const PayPeriod& period)
{
    m_chosen = period;
    m_rows.clear();
    m_state = StoredPeriod::State::Open;
    m_lockedBy.reset();
    m_pay.reset();
    if (!period.isValid())
        return true;
    // The files are the truth: another window or the command line may have saved since.
    m_session.reloadStaffFiles();
    const SettingsRecord& settings = m_session.settings();
    auto pay = std::make_unique<PaySummary>(PaySummary::requestFor(m_session, DayNumber::of(period.first),
                                                                   DayNumber::of(period.last),
                                                                   PaySettingsRules::rounding(settings)),
                                            settings, m_session.departments());
    std::optional<StoredPeriod> stored;
    QList<OpenExceptions> exceptions;
    try {
        pay->load(m_services.database, m_session.employees().entries);
        stored = PeriodStates(m_services.database).find(period.first);
        if (m_exceptions)
            exceptions = m_exceptions(period);
    } catch (const DatabaseError& error) {
        m_services.messages.inform(m_parent, error.userMessage(), QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
        return false;
    }
    if (stored && stored->days.last == period.last) {
        m_state = stored->state();
        if (stored->locked)
            m_lockedBy = std::pair{stored->lockedBy, stored->lockedWhen};
    } else {
        stored.reset();
    }

    // Records typed in by hand may carry no name; the staff list knows it then.
    QHash<QString, QString> staffNames;
    for (const Employee& e : m_session.employees().entries)
        staffNames.insert(EmployeeId::normalised(e.employeeId), e.name.trimmed());
    QHash<QString, qsizetype> rowOf;
    const auto rowFor = [&](const QString& anyId, const QString& name) -> ReviewRow& {
        const QString id = EmployeeId::normalised(anyId);
        if (!rowOf.contains(id)) {
            ReviewRow row;
            row.id = id;
            row.name = name.trimmed().isEmpty() ? staffNames.value(id) : name.trimmed();
            if (stored) {
                for (const PeriodApproval& a : std::as_const(stored->approvals)) {
                    if (a.employeeId.isEmpty() || EmployeeId::normalised(a.employeeId) == id) {
                        row.approved = true;
                        row.approvedBy = a.user;
                        row.approvedWhen = a.when;
                        break;
                    }
                }
            }
            rowOf.insert(id, m_rows.size());
            m_rows.append(row);
        }
        return m_rows[rowOf.value(id)];
    };
    for (const EmployeePay& e : pay->result().employees) {
        ReviewRow& row = rowFor(e.id, e.name);
        row.paid = e.paid;
        row.gross = e.gross;
        row.tips = e.tips;
    }
    for (const OpenExceptions& e : std::as_const(exceptions))
        rowFor(e.employeeId, e.employee).exceptions += e.count;
    std::sort(m_rows.begin(), m_rows.end(), [](const ReviewRow& a, const ReviewRow& b) {
        const int byName = a.name.compare(b.name, Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : a.id < b.id;
    });
    m_pay = std::move(pay);
    return true;
}

bool PeriodReview::tipsShown() const
{
    return m_session.settings().reportTips;
}

bool PeriodReview::ask(const QString& question)
{
    return m_services.messages.askYesNo(m_parent, question, title(), MessageBoxes::Icon::Question) ==
           MessageBoxes::Answer::Yes;
}

void PeriodReview::tell(const QString& text)
{
    m_services.messages.inform(m_parent, text, title(), MessageBoxes::Icon::Warning);
}

bool PeriodReview::guarded(const std::function<void()>& change)
{
    bool done = false;
    try {
        change();
        done = true;
    } catch (const PeriodStates::Refused& refused) {
        tell(refused.message());
    } catch (const DatabaseError& error) {
        m_services.messages.inform(m_parent, error.userMessage(), QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
    }
    // Also after a refusal: another station may have changed the period meanwhile.
    refresh();
    return done;
}

bool PeriodReview::approve(const QString& employeeId)
{
    const auto row = std::find_if(m_rows.cbegin(), m_rows.cend(), [&](const ReviewRow& r) {
        return r.id == EmployeeId::normalised(employeeId);
    });
    if (!m_chosen.isValid() || row == m_rows.cend())
        return false;
    if (row->exceptions > 0 &&
        !ask(QStringLiteral("%1 has %2 not resolved in this period. Approve the hours anyway?")
                 .arg(row->name.isEmpty() ? row->id : row->name, exceptionsText(row->exceptions))))
        return false;
    const QString id = row->id;
    return guarded([&] {
        PeriodStates(m_services.database)
            .approve(rangeOf(m_chosen), id, {m_services.time.now(), EditHistory::workstationUser()});
    });
}

bool PeriodReview::approveAll()
{
    if (!m_chosen.isValid())
        return false;
    const qsizetype withExceptions =
        std::count_if(m_rows.cbegin(), m_rows.cend(), [](const ReviewRow& r) { return r.exceptions > 0; });
    if (withExceptions > 0 &&
        !ask(QStringLiteral("%1 not resolved in this period. Approve everyone's hours anyway?")
                 .arg(withExceptions == 1
                          ? QStringLiteral("1 employee has exceptions")
                          : QStringLiteral("%1 employees have exceptions").arg(withExceptions))))
        return false;
    return guarded([&] {
        PeriodStates(m_services.database)
            .approve(rangeOf(m_chosen), {}, {m_services.time.now(), EditHistory::workstationUser()});
    });
}

bool PeriodReview::lock()
{
    if (!m_chosen.isValid())
        return false;
    const bool everyone = m_state == StoredPeriod::State::Approved;
    const qsizetype waiting = everyone ? 0
                                       : std::count_if(m_rows.cbegin(), m_rows.cend(),
                                                       [](const ReviewRow& r) { return !r.approved; });
    if (waiting > 0 &&
        !ask(QStringLiteral("The hours of %1 are not approved. Lock the period anyway? Its days can then "
                            "only be changed after reopening it.")
                 .arg(employeesText(waiting))))
        return false;
    return guarded([&] {
        PeriodStates(m_services.database)
            .lock(rangeOf(m_chosen), {m_services.time.now(), EditHistory::workstationUser()});
    });
}

bool PeriodReview::reopen(const QString& reason)
{
    if (!m_chosen.isValid())
        return false;
    if (reason.trimmed().isEmpty()) {
        tell(QStringLiteral("Reopening a pay period needs a reason."));
        return false;
    }
    return guarded([&] {
        PeriodStates(m_services.database)
            .reopen(m_chosen.first, reason.trimmed(),
                    {m_services.time.now(), EditHistory::workstationUser()});
    });
}

QString PeriodReview::suggestedFileName(const QString& presetOrFile)
{
    QString problem;
    const std::optional<ExportProfile> profile = ExportProfile::load(presetOrFile, &problem);
    if (!profile) {
        tell(problem);
        return {};
    }
    return PayrollExport::fileName(*profile, m_chosen, PeriodExport::settingsOf(m_session.settings()));
}

PeriodReview::Exported PeriodReview::exportTo(const QString& presetOrFile, const QString& output)
{
    QString problem;
    const std::optional<ExportProfile> profile = ExportProfile::load(presetOrFile, &problem);
    if (!profile) {
        tell(problem);
        return {};
    }
    if (!m_chosen.isValid())
        return {};
    // The hours and the state as they are now, not as they were when the period was chosen.
    PeriodExport::Outcome made;
    std::optional<StoredPeriod> stored;
    try {
        made = PeriodExport::make(m_services, m_session, m_chosen, *profile);
        stored = PeriodStates(m_services.database).find(m_chosen.first);
    } catch (const DatabaseError& error) {
        m_services.messages.inform(m_parent, error.userMessage(), QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
        return {};
    }
    if (!made.problem.isEmpty()) {
        tell(made.problem);
        return {};
    }
    if (!PayrollExport::write(m_session.paths(), output, made.bytes, &problem)) {
        tell(problem);
        return {};
    }
    if (stored && stored->days.last != m_chosen.last)
        stored.reset();
    return {true, PeriodExport::warning(m_chosen, stored)};
}
