#pragma once

#include "pay/PayResult.h"
#include "payroll/PayPeriods.h"
#include "store/PeriodStates.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

class PaySummary;
class QWidget;
class Session;
struct Services;

// One employee's line of the chosen period: pay by kind, the exceptions still open and the approval.
struct ReviewRow {
    QString id; // in the form IDs compare in
    QString name;
    PayMinutes paid;
    Money gross;
    Money tips;
    int exceptions = 0; // not resolved
    bool approved = false;
    QString approvedBy; // who approved, and when: the employee's own approval or everyone's
    QDateTime approvedWhen;
};

// A period of the list with its stored state.
struct ReviewPeriod {
    PayPeriod days;
    StoredPeriod::State state = StoredPeriod::State::Open;
};

// The exceptions of a period not yet resolved, counted per employee.
struct OpenExceptions {
    QString employeeId;
    QString employee; // the name on the records
    int count = 0;
};

// Closing pay periods: the list of periods with their states, the chosen period's pay per employee
// beside its open exceptions and approvals, and what a manager does with it (approve, lock, reopen,
// export). It asks and tells through the message boxes, so a window only shows it and forwards.
class PeriodReview {
public:
    // The exceptions are a level above the payroll's own code, so whoever builds the review hands
    // them in.
    using ExceptionCounts = std::function<QList<OpenExceptions>(const PayPeriod&)>;

    PeriodReview(const Services& services, Session& session, ExceptionCounts exceptions,
                 QWidget* dialogParent = nullptr);
    ~PeriodReview();

    // Reads the calendar and the stored states afresh: the periods of the last year up to the
    // current one, latest first, and every older one stored. The chosen period is read again.
    // False, after telling the user, when the database fails.
    bool refresh();
    const QList<ReviewPeriod>& periods() const { return m_periods; }

    // Reads the period's pay, approvals and exceptions. False, after telling the user, when the
    // database fails.
    bool choose(const PayPeriod& period);
    const PayPeriod& chosen() const { return m_chosen; }
    StoredPeriod::State state() const { return m_state; }
    // Who locked the chosen period and when; nothing while it is not locked.
    std::optional<std::pair<QString, QDateTime>> lockedBy() const { return m_lockedBy; }
    // By name, then ID, without regard to case; everyone paid in the period or with an exception.
    const QList<ReviewRow>& rows() const { return m_rows; }
    bool tipsShown() const;

    // Each action asks first where it must, tells why it could not be done, and reads the period
    // afresh after; true when the change was made.
    bool approve(const QString& employeeId);
    bool approveAll();
    bool lock();
    // A reason is required.
    bool reopen(const QString& reason);

    // The profile's file name for the chosen period; empty, after telling why, when the profile
    // cannot be read.
    QString suggestedFileName(const QString& presetOrFile);
    struct Exported {
        bool written = false;
        QString warning; // a period not yet locked may still change
    };
    Exported exportTo(const QString& presetOrFile, const QString& output);

    static QString title();

private:
    bool guarded(const std::function<void()>& change);
    bool ask(const QString& question);
    void tell(const QString& text);

    const Services& m_services;
    Session& m_session;
    ExceptionCounts m_exceptions;
    QWidget* m_parent;
    QList<ReviewPeriod> m_periods;
    PayPeriod m_chosen;
    StoredPeriod::State m_state = StoredPeriod::State::Open;
    std::optional<std::pair<QString, QDateTime>> m_lockedBy;
    QList<ReviewRow> m_rows;
    std::unique_ptr<PaySummary> m_pay;
};
