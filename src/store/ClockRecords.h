#pragma once

#include "store/ClockRecord.h"

#include <QList>
#include <optional>

class Database;
class QSqlQuery;

// Reads and appends rows of the "In Out" table.
class ClockRecords {
public:
    explicit ClockRecords(Database& database);

    // Appends in its own committed transaction and returns the record number the database gave it.
    qint64 append(const ClockRecord& record);
    bool isEmpty();
    // What a punch needs of the employee's latest record (latest day number, and within it the
    // last appended): whether it is an IN, and its time.
    struct LatestPunch {
        bool clockOut = false;
        QDateTime time;
    };
    std::optional<LatestPunch> latestPunchFor(const QString& employeeId);
    // Rows with a day number above the given one, ordered by employee ID and time.
    QList<ClockRecord> after(qint32 dayNumber);
    // Rows with a day number at or above the given one, ordered by employee ID and time.
    QList<ClockRecord> since(qint32 dayNumber);

    static ClockRecord fromQuery(const QSqlQuery& query);

private:
    QList<ClockRecord> select(const QString& sql, qint32 dayNumber);
    Database& m_database;
};
