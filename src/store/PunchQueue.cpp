#include "store/PunchQueue.h"

#include "store/DatabaseError.h"
#include "store/InOutRow.h"
#include "store/SchemaUpgrade.h"
#include "store/StoredTime.h"

#include <QSqlQuery>
#include <QVariant>

namespace {
QVariant timeValue(const QDateTime& moment)
{
    return moment.isValid() ? QVariant(StoredTime::toText(moment)) : QVariant(QMetaType(QMetaType::QString));
}

// The badges are cached in a table laid out whenever it is missing rather than in a layout step of
// its own: a cache can always be filled again, and the release before, which knows no newer layout,
// still opens the file and sends the punches waiting in it.
const QString badgeTable = QStringLiteral("Badges");
const QString badgeLayout = QStringLiteral(
    R"(CREATE TABLE IF NOT EXISTS "Badges" ("Badge" TEXT PRIMARY KEY, "Employee ID" TEXT NOT NULL))");
} // namespace

PunchQueue::PunchQueue(const QString& path)
{
    const Database::OpenResult opened = m_database.open(path);
    if (!opened.ok())
        throw DatabaseError(opened.errorNumber, opened.errorText);
    QSqlDatabase db = m_database.connection();
    // Opened by every send and punch: the write lock is taken only when there is something to lay out.
    SchemaUpgrade::Layout current;
    QString error;
    if (SchemaUpgrade::layoutOf(db, SchemaUpgrade::Backend::Queue, &current, &error) && current.recorded &&
        current.number == SchemaUpgrade::newestLayout(SchemaUpgrade::Backend::Queue) &&
        m_database.hasTable(badgeTable))
        return;
    m_database.beginTransaction();
    const SchemaUpgrade::Result layout = SchemaUpgrade::upgrade(db, SchemaUpgrade::Backend::Queue);
    if (layout.outcome != SchemaUpgrade::Outcome::Upgraded &&
        layout.outcome != SchemaUpgrade::Outcome::UpToDate) {
        m_database.rollback();
        throw DatabaseError(
            QStringLiteral("0"),
            QStringLiteral("The punch queue %1 cannot be used. %2").arg(path, layout.message));
    }
    m_database.execute(badgeLayout);
    m_database.commit();
}

qint64 PunchQueue::enqueue(const ClockRecord& r)
{
    static const QString sql = QStringLiteral(R"(INSERT INTO "Queued punches" (%1) VALUES (%2))")
                                   .arg(InOutRow::insertList(), InOutRow::insertPlaceholders());
    QSqlQuery& insert = m_database.run(sql, InOutRow::insertValues(r));
    const qint64 sequence = insert.lastInsertId().toLongLong();
    insert.finish();
    return sequence;
}

std::optional<PunchQueue::Queued> PunchQueue::first()
{
    static const QString sql =
        QStringLiteral(R"(SELECT %1 FROM "Queued punches" ORDER BY "Sequence" LIMIT 1)")
            .arg(InOutRow::selectList(QStringLiteral("Sequence")));
    QSqlQuery& query = m_database.run(sql);
    std::optional<Queued> queued;
    if (query.next()) {
        ClockRecord record = InOutRow::read(query);
        const qint64 sequence = record.recordNumber;
        record.recordNumber = 0;
        queued = Queued{sequence, record};
    }
    m_database.finish(query);
    return queued;
}

void PunchQueue::remove(qint64 sequence)
{
    m_database.execute(QStringLiteral(R"(DELETE FROM "Queued punches" WHERE "Sequence" = ?)"), {sequence});
}

void PunchQueue::settle(qint64 sequence, const std::optional<ClockRecord>& stored)
{
    Transaction transaction(m_database);
    if (sequence)
        remove(sequence);
    if (stored)
        remember(stored->employeeId, ClockRecords::LatestPunch{stored->clockOut, stored->time, 0});
    transaction.commit();
}

bool PunchQueue::isEmpty()
{
    return size() == 0;
}

qsizetype PunchQueue::size()
{
    QSqlQuery& query = m_database.run(QStringLiteral(R"(SELECT count(*) FROM "Queued punches")"));
    const qsizetype count = query.next() ? query.value(0).toLongLong() : 0;
    m_database.finish(query);
    return count;
}

std::optional<ClockRecords::LatestPunch> PunchQueue::latestPunchFor(const QString& employeeId)
{
    if (std::optional<ClockRecords::LatestPunch> latest = latestQueuedFor(employeeId))
        return latest;
    std::optional<ClockRecords::LatestPunch> latest;
    QSqlQuery& known = m_database.run(
        QStringLiteral(R"(SELECT "Clock out", "Time" FROM "Known punches" WHERE "Employee ID" = ?)"),
        {key(employeeId)});
    if (known.next())
        latest = ClockRecords::LatestPunch{known.value(0).toInt() != 0,
                                           StoredTime::fromText(known.value(1).toString()), 0};
    m_database.finish(known);
    return latest;
}

std::optional<ClockRecords::LatestPunch> PunchQueue::latestQueuedFor(const QString& employeeId)
{
    QSqlQuery& queued = m_database.run(
        QStringLiteral(R"(SELECT "Clock out", "Time" FROM "Queued punches" )"
                       R"(WHERE upper(trim("Employee ID")) = ? ORDER BY "Sequence" DESC LIMIT 1)"),
        {key(employeeId)});
    std::optional<ClockRecords::LatestPunch> latest;
    if (queued.next())
        latest = ClockRecords::LatestPunch{queued.value(0).toInt() != 0,
                                           StoredTime::fromText(queued.value(1).toString()), 0};
    m_database.finish(queued);
    return latest;
}

void PunchQueue::remember(const QString& employeeId, const ClockRecords::LatestPunch& punch)
{
    m_database.execute(
        QStringLiteral(R"(INSERT OR REPLACE INTO "Known punches" ("Employee ID", "Clock out", )"
                       R"("Time") VALUES (?, ?, ?))"),
        {key(employeeId), punch.clockOut ? 1 : 0, timeValue(punch.time)});
}

void PunchQueue::rememberAll(const QHash<QString, ClockRecords::LatestPunch>& latest)
{
    Transaction transaction(m_database);
    m_database.execute(QStringLiteral(R"(DELETE FROM "Known punches")"));
    for (auto it = latest.cbegin(); it != latest.cend(); ++it)
        remember(it.key(), it.value());
    transaction.commit();
}

void PunchQueue::catchUp(const QHash<QString, ClockRecords::LatestPunch>& latest, qint64 highestSeen)
{
    Transaction transaction(m_database);
    for (auto it = latest.cbegin(); it != latest.cend(); ++it)
        m_database.execute(
            QStringLiteral(
                R"(INSERT INTO "Known punches" ("Employee ID", "Clock out", "Time") VALUES (?, ?, ?) )"
                R"(ON CONFLICT ("Employee ID") DO UPDATE SET "Clock out" = excluded."Clock out", )"
                R"("Time" = excluded."Time" )"
                R"(WHERE substr(excluded."Time", 1, 10) >= substr("Known punches"."Time", 1, 10) )"
                R"(OR "Known punches"."Time" IS NULL)"),
            {key(it.key()), it->clockOut ? 1 : 0, timeValue(it->time)});
    m_database.execute(QStringLiteral(R"(DELETE FROM "Seen")"));
    m_database.execute(QStringLiteral(R"(INSERT INTO "Seen" ("Record number") VALUES (?))"), {highestSeen});
    transaction.commit();
}

std::optional<qint64> PunchQueue::highestSeen()
{
    QSqlQuery& query = m_database.run(QStringLiteral(R"(SELECT max("Record number") FROM "Seen")"));
    std::optional<qint64> highest;
    if (query.next() && !query.value(0).isNull())
        highest = query.value(0).toLongLong();
    m_database.finish(query);
    return highest;
}

void PunchQueue::keepStaff(const QList<StaffRow>& rows)
{
    Transaction transaction(m_database);
    m_database.execute(QStringLiteral(R"(DELETE FROM "Staff")"));
    for (const StaffRow& row : rows) {
        m_database.execute(
            QStringLiteral(R"(INSERT OR REPLACE INTO "Staff" ("Employee ID", "Employee", "Employee number", )"
                           R"("Julian", "Dnumber", "Start", "Stop") VALUES (?, ?, ?, ?, ?, ?, ?))"),
            {key(row.employeeId), row.employee, row.employeeNumber, row.julian, row.departmentNumber,
             row.start, row.stop});
    }
    transaction.commit();
}

std::optional<StaffRow> PunchQueue::findStaff(const QString& employeeId)
{
    QSqlQuery& query = m_database.run(
        QStringLiteral(
            R"(SELECT "Employee", "Employee number", "Julian", "Employee ID", "Dnumber", "Start", )"
            R"("Stop" FROM "Staff" WHERE "Employee ID" = ?)"),
        {key(employeeId)});
    std::optional<StaffRow> row;
    if (query.next()) {
        row = StaffRow{query.value(0).toString(),
                       query.value(1).toInt(),
                       query.value(2).toInt(),
                       query.value(3).toString(),
                       static_cast<qint16>(query.value(4).toInt()),
                       static_cast<qint16>(query.value(5).toInt()),
                       static_cast<qint16>(query.value(6).toInt())};
    }
    m_database.finish(query);
    return row;
}

void PunchQueue::keepBadges(const QList<BadgeRow>& rows)
{
    Transaction transaction(m_database);
    m_database.execute(QStringLiteral(R"(DELETE FROM "Badges")"));
    for (const BadgeRow& row : rows)
        m_database.execute(
            QStringLiteral(R"(INSERT OR REPLACE INTO "Badges" ("Badge", "Employee ID") VALUES (?, ?))"),
            {row.badge.trimmed(), key(row.employeeId)});
    transaction.commit();
}

std::optional<QString> PunchQueue::findBadge(const QString& badge)
{
    QSqlQuery& query = m_database.run(
        QStringLiteral(R"(SELECT "Employee ID" FROM "Badges" WHERE "Badge" = ?)"), {badge.trimmed()});
    std::optional<QString> id;
    if (query.next())
        id = query.value(0).toString();
    m_database.finish(query);
    return id;
}

namespace {
// The program's own settings share the cache's one table with the row's fields, whose names never
// hold this mark.
const QString programMark = QStringLiteral("program:");
} // namespace

void PunchQueue::keepSettings(const ApplicationTable::Row& row, const QVariantMap& program)
{
    Transaction transaction(m_database);
    m_database.execute(QStringLiteral(R"(DELETE FROM "Settings")"));
    const auto keep = [this](const QVariantMap& values, const QString& mark) {
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            m_database.execute(QStringLiteral(R"(INSERT INTO "Settings" ("Field", "Value") VALUES (?, ?))"),
                               {mark + it.key(), it.value()});
    };
    keep(row.values(), QString());
    keep(program, programMark);
    transaction.commit();
}

std::optional<PunchQueue::Settings> PunchQueue::settings()
{
    QSqlQuery& query = m_database.run(QStringLiteral(R"(SELECT "Field", "Value" FROM "Settings")"));
    QVariantMap values;
    QVariantMap program;
    while (query.next()) {
        const QString field = query.value(0).toString();
        if (field.startsWith(programMark))
            program.insert(field.mid(programMark.size()), query.value(1));
        else
            values.insert(field, query.value(1));
    }
    m_database.finish(query);
    if (values.isEmpty())
        return std::nullopt;
    return Settings{ApplicationTable::Row(values), program};
}
