#pragma once

#include "store/ClockRecord.h"
#include "store/EditHistory.h"

#include <QList>
#include <optional>

class Database;

// The hand changes to "In Out": the selection of one employee's records, edit, insert, delete and
// the removal of old records. Each write is one transaction together with its history entry, and
// database errors are thrown with nothing changed. A change that touches a day of a locked pay
// period throws LockedDayError, with nothing changed either.
class RecordEdits {
public:
    explicit RecordEdits(Database& database);

    // The employee's records from the start day on, the ID compared trimmed and without regard to
    // case, ordered by day and time.
    QList<ClockRecord> forEmployee(const QString& employeeId, qint32 startDay);
    std::optional<ClockRecord> find(qint64 recordNumber);

    // Writes the changeable fields (time, day, direction, tips, department, mark) of the record
    // with the same record number. False when that record is no longer there.
    bool update(const ClockRecord& record, const EditStamp& stamp);
    // Appends the record and returns its record number.
    qint64 insert(const ClockRecord& record, const EditStamp& stamp);
    // False when the record was already gone.
    bool remove(qint64 recordNumber, const EditStamp& stamp);
    // Deletes every record of a day before the given one; returns how many went.
    qint64 removeBefore(qint32 dayNumber, const EditStamp& stamp);

private:
    Database& m_database;
};
