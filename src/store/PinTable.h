#pragma once

#include "store/EditHistory.h"

#include <QDateTime>
#include <QString>

class Database;

// One employee's PIN as kept: the hash (empty when none is chosen), the wrong tries since the last
// right one, and when a lock ends (invalid when there is none).
struct PinRow {
    QString hash;
    qint32 wrongTries = 0;
    QDateTime lockedUntil;

    bool isLockedAt(const QDateTime& now) const { return lockedUntil.isValid() && now < lockedUntil; }
};

// Table "PINs": each employee's PIN hash and the count of wrong tries with the lock they lead to, kept
// in the database so that a restart or another station sees the same count. The manager's clear and
// unlock are each one transaction with their edit-history entry.
class PinTable {
public:
    static const QString clearedAction;  // "Action" of a history entry for a PIN cleared
    static const QString unlockedAction; // and for an ID unlocked
    static constexpr int triesBeforeLock = 5;
    static constexpr int lockSeconds = 5 * 60;

    enum class Try { Right, Wrong, Locked };
    struct TryResult {
        Try outcome = Try::Right;
        int triesLeft = triesBeforeLock; // after a wrong try, before the lock
        QDateTime lockedUntil;           // with Locked
    };

    explicit PinTable(Database& database);

    // The employee's row; a blank one when there is none. The ID is compared as the clock compares IDs.
    PinRow of(const QString& employeeId);
    // Keeps a first PIN; false when the employee has one already (chosen meanwhile on another station).
    bool choose(const QString& employeeId, const QString& hash);
    // Counts one try made at `now`: a right one ends the count, the last wrong one locks the ID for
    // lockSeconds. While the ID is locked a try counts for nothing and is refused, right or wrong.
    TryResult count(const QString& employeeId, bool right, const QDateTime& now);
    // Forgets the employee's PIN (with its count and lock), so the next punch chooses a new one; false
    // when there is none.
    bool clear(const QString& employeeId, const EditStamp& stamp);
    // Ends the lock and the count of wrong tries; false when there is neither.
    bool unlock(const QString& employeeId, const EditStamp& stamp);

private:
    std::optional<PinRow> stored(const QString& id);
    void put(const QString& id, const std::optional<PinRow>& before, const PinRow& after);

    Database& m_database;
};
