#pragma once

#include "store/Money.h"

#include <QHash>
#include <QList>
#include <QString>

// An employee's hourly rates over time: dated changes on top of the pay kept with the employee.
struct EmployeeRates {
    struct Change {
        qint32 fromDay = 0; // day number the rate applies from
        Money rate;         // per hour
    };

    Money storedPay;
    QList<Change> changes; // any order

    // The latest change effective on or before the day, else the stored pay.
    Money rateOn(qint32 day) const;
};

// Rates by employee ID in the form IDs compare in (see EmployeeId::normalised).
using PayRates = QHash<QString, EmployeeRates>;

struct Employee;
struct PayRateRow;

// Each employee's stored pay with the dated rates kept for the ID; an ID with dated rates but no
// employee keeps them with a stored pay of nothing.
PayRates payRatesOf(const QList<Employee>& employees, const QHash<QString, QList<PayRateRow>>& dated);
