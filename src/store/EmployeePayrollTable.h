#pragma once

#include "store/EditHistory.h"

#include <QHash>
#include <QString>
#include <utility>

class Database;

// What the payroll service knows one employee by. Empty fields fall back: the payroll number to
// the employee ID, the names to the stored name split in two.
struct EmployeePayroll {
    QString employeeId; // as stored: the form IDs compare in
    QString payrollNumber;
    QString firstName;
    QString lastName;

    bool isEmpty() const { return payrollNumber.isEmpty() && firstName.isEmpty() && lastName.isEmpty(); }
    // A stored name is last name first, as the employee editor asks for it and the scheduling link
    // writes it: split at the last blank, "Van Der Berg Anna" is first name Anna, last name Van Der
    // Berg. A single word is the last name.
    static std::pair<QString, QString> firstAndLastOf(const QString& storedName);
    friend bool operator==(const EmployeePayroll&, const EmployeePayroll&) = default;
};

// Table "Employee payroll": each employee's payroll number and names, kept by ID so they serve local
// staff and a scheduling database alike. A change is one transaction with its edit-history entry.
class EmployeePayrollTable {
public:
    static const QString changedAction; // "Action" of a history entry for a change

    explicit EmployeePayrollTable(Database& database);

    static bool hasTable(Database& database);
    // Empty when the values can be kept; otherwise what is wrong, naming the field.
    static QString problemOf(const EmployeePayroll& payroll);

    // The employee's entry, all fields empty when there is none; the ID compared as the clock does.
    EmployeePayroll find(const QString& employeeId);
    // Every entry, by the stored ID.
    QHash<QString, EmployeePayroll> all();
    // Keeps the values (trimmed) for the employee; all empty removes the entry. False when they are
    // what was kept already, and nothing is written. Throws DatabaseError.
    bool set(const EmployeePayroll& payroll, const EditStamp& stamp);

private:
    Database& m_database;
};
