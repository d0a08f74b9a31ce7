#pragma once

#include "store/EditHistory.h"
#include "store/Money.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

class Database;

// One dated hourly rate of an employee.
struct PayRateRow {
    QString employeeId; // as stored: the form IDs compare in
    qint32 fromDay = 0; // day number the rate applies from
    Money rate;
    friend bool operator==(const PayRateRow&, const PayRateRow&) = default;
};

// Table "Pay rate": each employee's rates by the day they take effect. Every change is one
// transaction together with its edit-history entry, so a rate changed is always a rate accounted for.
class PayRateTable {
public:
    static const QString changedAction; // "Action" of a history entry for a rate change

    explicit PayRateTable(Database& database);

    // The employee's rates, earliest first; the ID compared as the clock compares IDs.
    QList<PayRateRow> forEmployee(const QString& employeeId);
    // Every employee's rates, by the stored ID, earliest first.
    QHash<QString, QList<PayRateRow>> all();

    // Sets the rate from a day on (adding it, or changing the one of that day). Returns the rate it
    // replaced; nothing when it is new. A rate set to what it was writes nothing.
    std::optional<Money> set(const QString& employeeId, qint32 fromDay, Money rate, const EditStamp& stamp);
    // Removes the rate of that day; false when there was none.
    bool remove(const QString& employeeId, qint32 fromDay, const EditStamp& stamp);
    // Makes the employee's rates exactly `rates` (by day), one history entry per rate added,
    // changed or removed, all in one transaction.
    void replace(const QString& employeeId, const QList<PayRateRow>& rates, const EditStamp& stamp);

private:
    std::optional<Money> rateFrom(const QString& id, qint32 fromDay);
    void write(const QString& id, qint32 fromDay, std::optional<Money> before, std::optional<Money> after,
               const EditStamp& stamp);

    Database& m_database;
};
