#pragma once

#include "store/Money.h"

#include <QList>
#include <QString>

class Database;

// One clock record as the clocking report reads it: only the fields the report shows or counts.
struct ReportRow {
    // Seconds on the clock face since midnight of day number 0: rounding and worked minutes are
    // wall-clock arithmetic, and plain numbers keep a year of rows cheap.
    qint64 time = 0;
    QString employeeId;
    QString employee;
    Money tips; // Null reads as 0
    qint32 dnumber = 0;
    qint16 options = 0;
    bool clockOut = false;
    qint64 recordNumber = 0;
};

// Selects the clock records of a period for the clocking report.
namespace ReportRows {
constexpr qint64 secondsPerDay = 86400;

enum class Order {
    Employee,   // by name, then ID, then time
    Department, // by department number first
};

// Rows whose day number lies within first..last, names and IDs ordered without regard to letter
// case. Throws DatabaseError.
QList<ReportRow> select(Database& database, qint32 firstDay, qint32 lastDay, Order order);
// One employee's rows whose day number lies within first..last, in time order, read through the
// index on the employee's ID and day: the cost follows that employee's days, not the table.
QList<ReportRow> forEmployee(Database& database, const QString& employeeId, qint32 firstDay, qint32 lastDay);
// The statement select() runs, for a reference scan of the same rows in the same order.
QString selectSql(Order order);

// Stored time text ("yyyy-MM-dd HH:mm:ss", or a date alone) as clock-face seconds; -1 when it is
// no time.
qint64 clockSeconds(QByteArrayView storedText);
} // namespace ReportRows
