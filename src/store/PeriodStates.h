#pragma once

#include "store/ClockRecord.h"
#include "store/EditHistory.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariantList>
#include <optional>
#include <stdexcept>

class Database;

// A run of whole days, both ends included, as the store keeps a pay period.
struct DayRange {
    QDate first;
    QDate last;

    bool contains(const QDate& day) const { return day >= first && day <= last; }
    // "1 Dec 2026 - 15 Dec 2026", in English whatever the locale, as messages quote it.
    QString text() const;
    bool operator==(const DayRange&) const = default;
};

// A hand change refused because its day lies in a locked pay period; nothing was written.
class LockedDayError : public std::runtime_error {
public:
    explicit LockedDayError(const DayRange& period);
    const DayRange& period() const { return m_period; }
    // The sentence the user sees.
    QString message() const;

private:
    DayRange m_period;
};

// Who approved a period's hours; an empty employee ID approves everyone's.
struct PeriodApproval {
    QString employeeId;
    QDateTime when;
    QString user;
};

// A pay period that has been approved or locked. A period with no stored state is open.
struct StoredPeriod {
    DayRange days;
    bool locked = false;
    QDateTime lockedWhen;
    QString lockedBy;
    QList<PeriodApproval> approvals; // by employee ID, the whole period's first

    enum class State { Open, PartlyApproved, Approved, Locked };
    State state() const;
    // open, partly approved, approved, locked: the words the command line prints.
    static QString stateWord(State state);
    bool approvedFor(const QString& employeeId) const;
};

// The stored states of pay periods (approvals per employee, the lock) and the check that keeps hand
// changes off a locked period's days. Every change of state is one transaction with its entry in the
// edit history, so the chain shows who approved, locked and reopened what. A refusal throws
// Refused with nothing changed; database errors are thrown as DatabaseError.
class PeriodStates {
public:
    class Refused : public std::runtime_error {
    public:
        explicit Refused(const QString& message);
        QString message() const { return QString::fromStdString(what()); }
    };

    explicit PeriodStates(Database& database);

    static bool hasTables(Database& database);

    // Every stored period, by first day.
    QList<StoredPeriod> all();
    std::optional<StoredPeriod> find(const QDate& first);

    // Approves the period's hours for one employee, or for everyone with an empty ID.
    void approve(const DayRange& period, const QString& employeeId, const EditStamp& stamp);
    void lock(const DayRange& period, const EditStamp& stamp);
    // Forgets the period's approvals and lock; the reason goes into the history entry.
    void reopen(const QDate& first, const QString& reason, const EditStamp& stamp);

    // The locked period holding the day, if any.
    std::optional<DayRange> lockedHolding(qint32 dayNumber);
    // The earliest locked period with a day before the given one, if any.
    std::optional<DayRange> lockedBefore(qint32 dayNumber);
    // Throws LockedDayError when the day lies in a locked period. Call inside the write's
    // transaction, so a period locked at the same moment on another station is seen.
    void refuseLockedDay(qint32 dayNumber);
    void refuseLockedBefore(qint32 dayNumber);

    // Records stored on a locked period's days after it was locked: punches and forced clock-outs,
    // which are never refused. In day and time order.
    QList<ClockRecord> afterLock();

    // Texts stored in the history's "Action".
    static const QString approved;
    static const QString locked;
    static const QString reopened;

private:
    // The earliest locked period meeting the condition on its days.
    std::optional<DayRange> firstLocked(const QString& condition, const QVariantList& days);
    void takeLock();
    void storeRange(const DayRange& period);
    void appendHistory(const EditStamp& stamp, const QString& action, const DayRange& period,
                       const QString& employeeId, const QString& reason);

    Database& m_database;
};
