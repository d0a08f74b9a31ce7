#pragma once

#include "store/ApplicationTable.h"
#include "store/BadgeTable.h"
#include "store/ClockRecord.h"
#include "store/ClockRecords.h"
#include "store/Database.h"
#include "store/EmployeeId.h"
#include "store/StaffTable.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// A station's own file beside its server: the punches taken while the server was away, in the order
// taken, and what the station last knew of the server (settings, today's staff, each employee's
// latest direction, the badges), so that it can decide punches, and even start, without it.
class PunchQueue {
public:
    struct Queued {
        qint64 sequence = 0; // this station's own numbering, never reused
        ClockRecord record;
    };

    static QString fileName() { return QStringLiteral("Queue.db"); }

    // Opens or creates the file; throws DatabaseError when it cannot.
    explicit PunchQueue(const QString& path);

    qint64 enqueue(const ClockRecord& record);
    // The oldest punch not yet sent.
    std::optional<Queued> first();
    void remove(qint64 sequence);
    // The punch reached the server: out of the queue (sequence 0: it was never queued) and, when one
    // was stored, known as the employee's latest, in one commit on the punch path.
    void settle(qint64 sequence, const std::optional<ClockRecord>& stored);
    bool isEmpty();
    qsizetype size();

    // The employee's latest punch as this station knows it: its own latest queued punch, else the
    // last one it saw stored on the server.
    std::optional<ClockRecords::LatestPunch> latestPunchFor(const QString& employeeId);
    // The employee's latest punch among those queued only.
    std::optional<ClockRecords::LatestPunch> latestQueuedFor(const QString& employeeId);
    void remember(const QString& employeeId, const ClockRecords::LatestPunch& punch);
    // Replaces everything known of the employees' latest punches.
    void rememberAll(const QHash<QString, ClockRecords::LatestPunch>& latest);
    // What other stations stored since the last look: each punch replaces what is known of its
    // employee unless that is of a later day (a record put in afterwards for an earlier day).
    void catchUp(const QHash<QString, ClockRecords::LatestPunch>& latest, qint64 highestSeen);
    // The highest server record number whose punch is known here; nullopt before the first look.
    std::optional<qint64> highestSeen();

    void keepStaff(const QList<StaffRow>& rows);
    // Looked up trimmed and without regard to case, as the staff table does.
    std::optional<StaffRow> findStaff(const QString& employeeId);

    // Replaces the badges known with the server's.
    void keepBadges(const QList<BadgeRow>& rows);
    // The employee whose card the number is, looked up as the badge table does.
    std::optional<QString> findBadge(const QString& badge);

    // The settings row and the program's own settings, by key.
    struct Settings {
        ApplicationTable::Row row;
        QVariantMap program;
    };
    void keepSettings(const ApplicationTable::Row& row, const QVariantMap& program);
    // nullopt until the station has once read the settings from its server.
    std::optional<Settings> settings();

private:
    static QString key(const QString& employeeId) { return EmployeeId::normalised(employeeId); }
    Database m_database;
};
