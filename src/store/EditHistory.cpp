#include "store/EditHistory.h"

#include "store/Database.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"
#include "store/InOutRow.h"
#include "store/PeriodStates.h"
#include "store/StoredTime.h"

#include <QCryptographicHash>
#include <QDir>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

const QString EditHistory::edited = QStringLiteral("Edited");
const QString EditHistory::inserted = QStringLiteral("Inserted");
const QString EditHistory::deleted = QStringLiteral("Deleted");
const QString EditHistory::forced = QStringLiteral("Forced clock-out");
const QString EditHistory::removedOldRecords = QStringLiteral("Removed old records");
const QString EditHistory::purgedHistory = QStringLiteral("Purged history");

namespace {
const QString entryColumns =
    QStringLiteral(R"("Entry number", "When", "Action", "Record number", "Old values", "New values", )"
                   R"("User", "Details", "Previous hash", "Hash")");

HistoryEntry entryFrom(const QSqlQuery& q)
{
    HistoryEntry e;
    e.entryNumber = q.value(0).toLongLong();
    e.when = StoredTime::fromText(q.value(1).toString());
    e.action = q.value(2).toString();
    if (!q.value(3).isNull())
        e.recordNumber = q.value(3).toLongLong();
    e.oldValues = q.value(4).toString();
    e.newValues = q.value(5).toString();
    e.user = q.value(6).toString();
    e.details = q.value(7).toString();
    e.previousHash = q.value(8).toString();
    e.hash = q.value(9).toString();
    for (int i = 0; i <= 8; ++i)
        e.stored.append(q.value(i));
    return e;
}

const QString secondForm = QStringLiteral("v2-");

bool isInteger(const QVariant& v)
{
    const int type = v.typeId();
    return type == QMetaType::LongLong || type == QMetaType::Int || type == QMetaType::ULongLong ||
           type == QMetaType::UInt;
}

// A stored value with its kind, so that a number stored as text, or NULL stored as an empty text,
// hashes differently.
QString tagged(const QVariant& v)
{
    if (v.isNull())
        return QStringLiteral("n");
    if (isInteger(v))
        return QLatin1Char('i') + QString::number(v.toLongLong());
    if (v.typeId() == QMetaType::Double)
        return QLatin1Char('r') + QString::number(v.toDouble(), 'g', 17);
    return QLatin1Char('t') + v.toString();
}

QString sha256(const QStringList& parts)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(parts.join(QChar(0x1f)).toUtf8(), QCryptographicHash::Sha256).toHex());
}

QJsonObject objectOf(const QString& json)
{
    return QJsonDocument::fromJson(json.toUtf8()).object();
}

QString jsonText(const QJsonObject& object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QString describedDay(const QDate& day)
{
    return day.toString(Qt::ISODate);
}

// The day before which a removal or purge entry says rows were removed.
QDate cutOff(const HistoryEntry& e)
{
    return QDate::fromString(objectOf(e.details).value(QStringLiteral("before")).toString(), Qt::ISODate);
}
} // namespace

EditHistory::EditHistory(Database& database)
    : m_database(database)
{}

QString EditHistory::workstationUser()
{
    for (const char* name : {"USER", "USERNAME", "LOGNAME"}) {
        const QString user = qEnvironmentVariable(name).trimmed();
        if (!user.isEmpty())
            return user;
    }
    // Services and cron jobs often run without a login name in the environment; the home folder
    // still names the account.
    const QString home = QDir::home().dirName();
    return home.isEmpty() ? QStringLiteral("unknown") : home;
}

bool EditHistory::hasTable(Database& database)
{
    return database.hasTable(QStringLiteral("Edit history"));
}

QString EditHistory::rowValues(qint64 recordNumber)
{
    static const QString sql =
        QStringLiteral(R"(SELECT %1 FROM "In Out" WHERE "Record number" = ?)").arg(InOutRow::selectList());
    const QStringList& names = InOutRow::names();
    QSqlQuery& query = m_database.run(sql, {recordNumber});
    if (!query.next()) {
        query.finish();
        return {};
    }
    // Values as SQLite holds them, so any change to the row, even of type, shows.
    QJsonObject row;
    for (int i = 0; i < names.size(); ++i) {
        const QVariant value = query.value(i);
        QJsonValue json;
        if (value.isNull())
            json = QJsonValue(QJsonValue::Null);
        // The server's driver hands out positive BIGINTs as unsigned; a number is a number.
        else if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int ||
                 value.typeId() == QMetaType::ULongLong || value.typeId() == QMetaType::UInt)
            json = QJsonValue(value.toLongLong());
        else if (value.typeId() == QMetaType::Double)
            json = QJsonValue(value.toDouble());
        else
            json = QJsonValue(value.toString());
        row.insert(names.at(i), json);
    }
    query.finish();
    return jsonText(row);
}

QString EditHistory::hashOf(const HistoryEntry& e)
{
    if (e.hash.isEmpty() || e.hash.startsWith(secondForm)) {
        QStringList parts;
        for (const QVariant& value : e.stored)
            parts.append(tagged(value));
        return secondForm + sha256(parts);
    }
    const QStringList parts = {QString::number(e.entryNumber),
                               e.when.isValid() ? StoredTime::toText(e.when) : QString(),
                               e.action,
                               e.recordNumber ? QString::number(*e.recordNumber) : QString(),
                               e.oldValues,
                               e.newValues,
                               e.user,
                               e.details,
                               e.previousHash};
    return sha256(parts);
}

bool EditHistory::storedAsFirstFormWrote(const HistoryEntry& e)
{
    if (e.hash.startsWith(secondForm))
        return true;
    if (e.stored.size() != 9 || !isInteger(e.stored.at(0)))
        return false;
    const QVariant& when = e.stored.at(1);
    const QString whenWritten = e.when.isValid() ? StoredTime::toText(e.when) : QString();
    if (!when.isNull() && (isInteger(when) || when.toString() != whenWritten))
        return false;
    if (!e.stored.at(3).isNull() && !isInteger(e.stored.at(3)))
        return false;
    for (int i : {2, 4, 5, 6, 7, 8}) {
        if (!e.stored.at(i).isNull() && isInteger(e.stored.at(i)))
            return false;
    }
    return true;
}

HistoryEntry EditHistory::append(const EditStamp& stamp, const QString& action,
                                 std::optional<qint64> recordNumber, const QString& oldValues,
                                 const QString& newValues, const QString& details)
{
    HistoryEntry e;
    // The chain has one end: stations adding entries at once take turns (callers hold a transaction).
    m_database.lock(QStringLiteral("Edit history"));
    QSqlQuery& last = m_database.run(
        QStringLiteral(R"(SELECT "Hash" FROM "Edit history" ORDER BY "Entry number" DESC LIMIT 1)"));
    if (last.next())
        e.previousHash = last.value(0).toString();
    last.finish();
    e.when = stamp.when;
    e.action = action;
    e.recordNumber = recordNumber;
    e.oldValues = oldValues;
    e.newValues = newValues;
    e.user = stamp.user;
    e.details = details;
    // The entry number is part of what is hashed, and only the database hands it out.
    QSqlQuery& insert = m_database.run(
        QStringLiteral(R"(INSERT INTO "Edit history" ("When", "Action", "Record number", "Old values", )"
                       R"("New values", "User", "Details", "Previous hash", "Hash") )"
                       R"(VALUES (?, ?, ?, ?, ?, ?, ?, ?, ''))"),
        {StoredTime::toText(e.when), e.action,
         recordNumber ? QVariant(*recordNumber) : QVariant(QMetaType(QMetaType::LongLong)), e.oldValues,
         e.newValues, e.user, e.details, e.previousHash});
    e.entryNumber = insert.lastInsertId().toLongLong();
    insert.finish();
    // The hash covers the row as the database now holds it, bytes and kinds of value alike.
    QSqlQuery& stored = m_database.run(
        QStringLiteral(R"(SELECT %1 FROM "Edit history" WHERE "Entry number" = ?)").arg(entryColumns),
        {e.entryNumber});
    if (stored.next())
        e.stored = entryFrom(stored).stored;
    stored.finish();
    e.hash = hashOf(e);
    m_database.execute(QStringLiteral(R"(UPDATE "Edit history" SET "Hash" = ? WHERE "Entry number" = ?)"),
                       {e.hash, e.entryNumber});
    return e;
}

QList<HistoryEntry> EditHistory::entries()
{
    QSqlQuery& query = m_database.run(
        QStringLiteral(R"(SELECT %1 FROM "Edit history" ORDER BY "Entry number")").arg(entryColumns));
    QList<HistoryEntry> list;
    while (query.next())
        list.append(entryFrom(query));
    query.finish();
    return list;
}

QList<HistoryEntry> EditHistory::entriesFor(qint64 recordNumber)
{
    QSqlQuery& query = m_database.run(
        QStringLiteral(R"(SELECT %1 FROM "Edit history" WHERE "Record number" = ? ORDER BY "Entry number")")
            .arg(entryColumns),
        {recordNumber});
    QList<HistoryEntry> list;
    while (query.next())
        list.append(entryFrom(query));
    query.finish();
    return list;
}

std::optional<EditHistory::Noted> EditHistory::notedFrom(const QString& text)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    bool ok = false;
    const qint64 entry = text.left(colon).toLongLong(&ok);
    const QString hash = text.mid(colon + 1).trimmed();
    if (colon < 0 || !ok || entry <= 0 || hash.isEmpty())
        return std::nullopt;
    return Noted{entry, hash};
}

qint64 EditHistory::highestEntryGiven()
{
    if (!m_database.isServer() && !m_database.hasTable(QStringLiteral("sqlite_sequence")))
        return 0;
    QSqlQuery& query = m_database.run(m_database.dialect().lastNumberGiven(),
                                      {QStringLiteral("Edit history"), QStringLiteral("Entry number")});
    const qint64 highest = query.next() ? query.value(0).toLongLong() : 0;
    query.finish();
    return highest;
}

EditHistory::Verdict EditHistory::verify(const std::optional<Noted>& noted)
{
    const QList<HistoryEntry> all = entries();
    const qint64 highestGiven = highestEntryGiven();
    Verdict verdict;
    const auto broken = [&](qint64 entry, const QString& reason) {
        verdict.intact = false;
        verdict.brokenEntry = entry;
        verdict.reason = reason;
        return verdict;
    };
    const auto notedMissing = [&] {
        return broken(noted->entry, QStringLiteral("entry %1, noted earlier, is missing").arg(noted->entry));
    };
    if (all.isEmpty()) {
        // Deleting every entry leaves the counter behind.
        if (highestGiven > 0)
            return broken(highestGiven, QStringLiteral("all entries up to %1 are missing").arg(highestGiven));
        return noted ? notedMissing() : verdict;
    }

    // A chain shortened by a purge starts where the latest purge entry says it does.
    if (!all.first().previousHash.isEmpty()) {
        QString anchor;
        for (const HistoryEntry& e : all) {
            if (e.action == purgedHistory)
                anchor = objectOf(e.details).value(QStringLiteral("anchor")).toString();
        }
        if (anchor != all.first().previousHash)
            return broken(all.first().entryNumber,
                          QStringLiteral("the entries before it are missing or were altered"));
    }

    struct Expected {
        QString values;
        qint64 entry = 0;
    };
    QHash<qint64, Expected> expected;
    const HistoryEntry* previous = nullptr;
    for (const HistoryEntry& e : all) {
        ++verdict.checked;
        if (previous && e.entryNumber != previous->entryNumber + 1)
            return broken(e.entryNumber, QStringLiteral("entries %1 to %2 are missing")
                                             .arg(previous->entryNumber + 1)
                                             .arg(e.entryNumber - 1));
        if (previous && e.previousHash != previous->hash)
            return broken(
                e.entryNumber,
                QStringLiteral("it does not continue the chain of entry %1").arg(previous->entryNumber));
        if (hashOf(e) != e.hash || !storedAsFirstFormWrote(e))
            return broken(e.entryNumber, QStringLiteral("its content does not match its hash"));
        if (e.recordNumber)
            expected.insert(*e.recordNumber, {e.newValues, e.entryNumber});
        if (e.action == removedOldRecords) {
            const qint32 day = DayNumber::of(cutOff(e));
            for (auto it = expected.begin(); it != expected.end();) {
                const QJsonValue julian = objectOf(it->values).value(QStringLiteral("Julian"));
                if (!it->values.isEmpty() && julian.toInteger() < day)
                    it = expected.erase(it);
                else
                    ++it;
            }
        }
        previous = &e;
    }
    verdict.lastEntry = all.last().entryNumber;
    verdict.lastHash = all.last().hash;
    // The counter never goes back, so entries deleted from the end still show.
    if (highestGiven > verdict.lastEntry)
        return broken(verdict.lastEntry + 1,
                      highestGiven == verdict.lastEntry + 1
                          ? QStringLiteral("entry %1 was cut off the end").arg(highestGiven)
                          : QStringLiteral("entries %1 to %2 were cut off the end")
                                .arg(verdict.lastEntry + 1)
                                .arg(highestGiven));
    if (noted) {
        const qint64 first = all.first().entryNumber;
        if (noted->entry > verdict.lastEntry)
            return notedMissing();
        if (noted->entry < first)
            verdict.note = QStringLiteral("entry %1 was purged, so it cannot be compared").arg(noted->entry);
        else if (all.at(noted->entry - first).hash != noted->hash)
            return broken(noted->entry,
                          QStringLiteral("entry %1 no longer has the hash noted earlier").arg(noted->entry));
    }

    QList<qint64> records = expected.keys();
    std::sort(records.begin(), records.end(),
              [&](qint64 a, qint64 b) { return expected.value(a).entry < expected.value(b).entry; });
    for (qint64 record : records) {
        const Expected& want = expected[record];
        const QString now = rowValues(record);
        if (now == want.values)
            continue;
        if (now.isEmpty())
            return broken(want.entry,
                          QStringLiteral("record %1 was deleted outside the program").arg(record));
        if (want.values.isEmpty())
            return broken(want.entry,
                          QStringLiteral("record %1 was put back outside the program").arg(record));
        return broken(want.entry, QStringLiteral("record %1 was changed outside the program").arg(record));
    }
    return verdict;
}

qint64 EditHistory::purgeBefore(const EditStamp& stamp, const QDate& day)
{
    Transaction transaction(m_database);
    // Only the oldest stretch goes, so what stays is still one unbroken chain.
    QSqlQuery& first =
        m_database.run(QStringLiteral(R"(SELECT min("Entry number") FROM "Edit history" WHERE "When" >= ?)"),
                       {StoredTime::toText(QDateTime(day, QTime(0, 0)))});
    QVariant keepFrom;
    if (first.next())
        keepFrom = first.value(0);
    first.finish();
    QString lastRemovedHash;
    // The cast gives the server the parameter's type, which a bare "? IS NULL" leaves open.
    QSqlQuery& last =
        m_database.run(QStringLiteral(R"(SELECT "Hash" FROM "Edit history" )"
                                      R"(WHERE CAST(? AS BIGINT) IS NULL OR "Entry number" < ? )"
                                      R"(ORDER BY "Entry number" DESC LIMIT 1)"),
                       {keepFrom, keepFrom});
    if (last.next())
        lastRemovedHash = last.value(0).toString();
    last.finish();
    // Who approved, locked and reopened a pay period stays on record as long as the history does:
    // those entries are written again after the purge's own, with their first time and user.
    QList<HistoryEntry> carried;
    QSqlQuery& periods = m_database.run(
        QStringLiteral(
            R"(SELECT %1 FROM "Edit history" WHERE (CAST(? AS BIGINT) IS NULL OR "Entry number" < ?) )"
            R"(AND "Action" IN (?, ?, ?) ORDER BY "Entry number")")
            .arg(entryColumns),
        {keepFrom, keepFrom, PeriodStates::approved, PeriodStates::locked, PeriodStates::reopened});
    while (periods.next())
        carried.append(entryFrom(periods));
    periods.finish();
    QSqlQuery& remove = m_database.run(
        QStringLiteral(R"(DELETE FROM "Edit history" WHERE CAST(? AS BIGINT) IS NULL OR "Entry number" < ?)"),
        {keepFrom, keepFrom});
    const qint64 count = remove.numRowsAffected() - carried.size();
    remove.finish();

    QString anchor;
    QSqlQuery& start = m_database.run(
        QStringLiteral(R"(SELECT "Previous hash" FROM "Edit history" ORDER BY "Entry number" LIMIT 1)"));
    anchor = start.next() ? start.value(0).toString() : lastRemovedHash;
    start.finish();

    QJsonObject details;
    details.insert(QStringLiteral("before"), describedDay(day));
    details.insert(QStringLiteral("count"), count);
    details.insert(QStringLiteral("anchor"), anchor);
    if (!carried.isEmpty())
        details.insert(QStringLiteral("kept"), carried.size());
    append(stamp, purgedHistory, std::nullopt, {}, {}, jsonText(details));
    for (const HistoryEntry& entry : carried) {
        QJsonObject kept = QJsonDocument::fromJson(entry.details.toUtf8()).object();
        kept.insert(QStringLiteral("entry"), entry.entryNumber);
        append({entry.when, entry.user}, entry.action, entry.recordNumber, entry.oldValues, entry.newValues,
               jsonText(kept));
    }
    transaction.commit();
    return count;
}
