#pragma once

#include "store/ClockRecord.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <functional>
#include <limits>
#include <optional>

class Database;

// Reads and appends rows of the "In Out" table.
class ClockRecords {
public:
    explicit ClockRecords(Database& database);

    // Appends in its own committed transaction and returns the record number the database gave it.
    qint64 append(const ClockRecord& record);
    bool isEmpty();
    // Whether a record of that employee, direction, time and creation moment is stored: a punch sent
    // again after a lost answer.
    bool contains(const ClockRecord& record);
    // What a punch needs of the employee's latest record (latest day number, and within it the
    // last appended): whether it is an IN, and its time.
    struct LatestPunch {
        bool clockOut = false;
        QDateTime time;
        qint64 recordNumber = 0;
    };
    std::optional<LatestPunch> latestPunchFor(const QString& employeeId);
    // The employee's latest record by time (then record number) among the days above the given one:
    // what ends the sequence a hand correction may have stored out of order.
    std::optional<LatestPunch> latestByTimeFor(const QString& employeeId, qint32 afterDay);
    // Decides and appends one punch as a single unit that stations punching the same employee take
    // in turns, so the decision sees every punch stored before it. The decision may write nothing
    // (nullopt), and then 0 is returned; otherwise the new record number.
    using PunchDecision = std::function<std::optional<ClockRecord>(const std::optional<LatestPunch>&)>;
    qint64 appendPunch(const QString& employeeId, const PunchDecision& decide);
    // The same, noting the punch as the station's numbered one in "Sent punches" in the same
    // transaction: a station that lost the answer can tell later that the punch arrived.
    qint64 appendPunch(const QString& employeeId, const PunchDecision& decide, const QString& station,
                       qint64 sequence);
    // The lock key that serialises one employee's punches, also for other writers of the sequence.
    static QString employeeKey(const QString& employeeId);
    // Appends a punch that a station queued while its server was away, in a transaction that also
    // notes the station's sequence number in "Sent punches" (server only). A punch noted there
    // already was sent before, its local removal lost: nothing is appended and 0 is returned.
    qint64 appendQueued(const QString& station, qint64 sequence, const ClockRecord& record);
    // Each employee's latest punch among the days from the given day number on, keyed by the ID
    // trimmed and in upper case.
    QHash<QString, LatestPunch> latestPunches(qint32 sinceDay);
    // Each employee's latest record (by time, then record number) among the days from the first to
    // the last day number, in employee ID order. IDs that differ only in case or blanks are one
    // employee; records without an ID are left out.
    QList<ClockRecord> latestOfEach(qint32 firstDay, qint32 lastDay = std::numeric_limits<qint32>::max());
    // An IN that the employee's next record by time does not answer with an OUT, and that record's
    // time when there is one (another IN). Times are clock-face seconds (ReportRows::clockSeconds),
    // which cost a read of many rows no time-zone lookups.
    struct OpenIn {
        QString employeeId;
        qint64 time = 0;
        qint64 recordNumber = 0;
        std::optional<qint64> next;
    };
    struct SequenceEnd {
        bool clockOut = false;
        qint64 time = 0;
        qint64 recordNumber = 0;
    };
    struct OpenIns {
        // Ordered by employee, then time and record number.
        QList<OpenIn> ins;
        // How each employee's sequence ends, keyed by employeeKey.
        QHash<QString, SequenceEnd> ends;
    };
    // The open INs among the days above the given one, from narrow columns only. IDs that differ only
    // in case or blanks are one employee. Without next times (a server then reads less) `next` is
    // nothing on every IN.
    enum class NextTimes { Wanted, NotWanted };
    OpenIns openInsAfter(qint32 dayNumber, NextTimes nextTimes = NextTimes::Wanted);
    // The whole rows with these record numbers, in any order; numbers without a row are left out.
    QList<ClockRecord> withNumbers(const QList<qint64>& numbers);
    // The employees with an IN on the day, their IDs normalised.
    QSet<QString> employeesInOn(qint32 dayNumber);
    // Rows with a day number at or above the given one, ordered by employee ID and time.
    QList<ClockRecord> since(qint32 dayNumber);

    // Each employee's latest punch among the records numbered above the given one (a station catching
    // up with the others), and in *highest the highest record number there is.
    QHash<QString, LatestPunch> latestPunchesAfter(qint64 recordNumber, qint64* highest);
    qint64 highestRecordNumber();

private:
    std::optional<OpenIns> openInsByWindow(const QString& sql, qint32 dayNumber, NextTimes nextTimes);
    OpenIns openInsByNarrowRead(qint32 dayNumber);
    QList<ClockRecord> select(const QString& sql, const QVariantList& values);
    Database& m_database;
};
