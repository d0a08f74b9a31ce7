#include "store/PinTable.h"

#include "store/Database.h"
#include "store/EmployeeId.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QVariant>

const QString PinTable::clearedAction = QStringLiteral("PIN cleared");
const QString PinTable::unlockedAction = QStringLiteral("PIN unlocked");

namespace {
QVariant lockValue(const QDateTime& until)
{
    return until.isValid() ? QVariant(until.toSecsSinceEpoch()) : QVariant(QMetaType(QMetaType::LongLong));
}

// The history's picture of a PIN: whether there is one, never the hash, with its count and lock.
QString pinValues(const QString& id, const PinRow& row)
{
    QJsonObject o;
    o.insert(QStringLiteral("Employee ID"), id);
    o.insert(QStringLiteral("PIN"), row.hash.isEmpty() ? QStringLiteral("none") : QStringLiteral("set"));
    o.insert(QStringLiteral("Wrong tries"), row.wrongTries);
    o.insert(QStringLiteral("Locked until"),
             row.lockedUntil.isValid() ? row.lockedUntil.toString(Qt::ISODate) : QString());
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

QString lockKey(const QString& id)
{
    return QStringLiteral("PIN ") + id;
}
} // namespace

PinTable::PinTable(Database& database)
    : m_database(database)
{}

std::optional<PinRow> PinTable::stored(const QString& id)
{
    QSqlQuery& query = m_database.run(
        QStringLiteral(R"(SELECT "Hash", "Wrong tries", "Locked until" FROM "PINs" WHERE "Employee ID" = ?)"),
        {id});
    std::optional<PinRow> row;
    if (query.next()) {
        row.emplace();
        row->hash = query.value(0).toString();
        row->wrongTries = query.value(1).toInt();
        if (!query.value(2).isNull())
            row->lockedUntil = QDateTime::fromSecsSinceEpoch(query.value(2).toLongLong());
    }
    query.finish();
    return row;
}

void PinTable::put(const QString& id, const std::optional<PinRow>& before, const PinRow& after)
{
    if (before)
        m_database.execute(
            QStringLiteral(R"(UPDATE "PINs" SET "Hash" = ?, "Wrong tries" = ?, "Locked until" = ? )"
                           R"(WHERE "Employee ID" = ?)"),
            {after.hash, after.wrongTries, lockValue(after.lockedUntil), id});
    else
        m_database.execute(QStringLiteral(R"(INSERT INTO "PINs" ("Employee ID", "Hash", "Wrong tries", )"
                                          R"("Locked until") VALUES (?, ?, ?, ?))"),
                           {id, after.hash, after.wrongTries, lockValue(after.lockedUntil)});
}

PinRow PinTable::of(const QString& employeeId)
{
    return stored(EmployeeId::normalised(employeeId)).value_or(PinRow());
}

bool PinTable::choose(const QString& employeeId, const QString& hash)
{
    const QString id = EmployeeId::normalised(employeeId);
    Transaction transaction(m_database);
    m_database.lock(lockKey(id));
    const std::optional<PinRow> before = stored(id);
    if (before && !before->hash.isEmpty())
        return false;
    PinRow after = before.value_or(PinRow());
    after.hash = hash;
    put(id, before, after);
    transaction.commit();
    return true;
}

PinTable::TryResult PinTable::count(const QString& employeeId, bool right, const QDateTime& now)
{
    const QString id = EmployeeId::normalised(employeeId);
    // Under the employee's lock, so two stations counting at once count two tries.
    Transaction transaction(m_database);
    m_database.lock(lockKey(id));
    const std::optional<PinRow> before = stored(id);
    PinRow after = before.value_or(PinRow());
    TryResult result;
    if (after.isLockedAt(now)) {
        result.outcome = Try::Locked;
        result.lockedUntil = after.lockedUntil;
        return result;
    }
    after.lockedUntil = QDateTime();
    if (right) {
        after.wrongTries = 0;
    } else if (after.wrongTries + 1 >= triesBeforeLock) {
        // The count starts again once the lock ends.
        after.wrongTries = 0;
        after.lockedUntil = now.addSecs(lockSeconds);
        result.outcome = Try::Locked;
        result.lockedUntil = after.lockedUntil;
    } else {
        ++after.wrongTries;
        result.outcome = Try::Wrong;
        result.triesLeft = triesBeforeLock - after.wrongTries;
    }
    if (!before || before->wrongTries != after.wrongTries || before->lockedUntil != after.lockedUntil)
        put(id, before, after);
    transaction.commit();
    return result;
}

bool PinTable::clear(const QString& employeeId, const EditStamp& stamp)
{
    const QString id = EmployeeId::normalised(employeeId);
    Transaction transaction(m_database);
    m_database.lock(lockKey(id));
    const std::optional<PinRow> before = stored(id);
    if (!before || before->hash.isEmpty())
        return false;
    m_database.execute(QStringLiteral(R"(DELETE FROM "PINs" WHERE "Employee ID" = ?)"), {id});
    EditHistory(m_database).append(stamp, clearedAction, std::nullopt, pinValues(id, *before), QString());
    transaction.commit();
    return true;
}

bool PinTable::unlock(const QString& employeeId, const EditStamp& stamp)
{
    const QString id = EmployeeId::normalised(employeeId);
    Transaction transaction(m_database);
    m_database.lock(lockKey(id));
    const std::optional<PinRow> before = stored(id);
    // A lock that has run out still counts: the manager's unlock is what the history shows.
    if (!before || (before->wrongTries == 0 && !before->lockedUntil.isValid()))
        return false;
    PinRow after = *before;
    after.wrongTries = 0;
    after.lockedUntil = QDateTime();
    put(id, before, after);
    EditHistory(m_database)
        .append(stamp, unlockedAction, std::nullopt, pinValues(id, *before), pinValues(id, after));
    transaction.commit();
    return true;
}
