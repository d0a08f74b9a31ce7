#include "store/ClockRecords.h"

#include "store/Database.h"
#include "store/EmployeeId.h"
#include "store/InOutRow.h"
#include "store/NativeStatement.h"
#include "store/ReportRows.h"
#include "store/StoredTime.h"

#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <array>
#include <cstring>
#include <tuple>
#include <vector>

ClockRecords::ClockRecords(Database& database)
    : m_database(database)
{}

qint64 ClockRecords::append(const ClockRecord& r)
{
    static const QString sql = QStringLiteral(R"(INSERT INTO "In Out" (%1) VALUES (%2))")
                                   .arg(InOutRow::insertList(), InOutRow::insertPlaceholders());
    StatementUse insert(m_database.native(sql));
    const QVariantList values = InOutRow::insertValues(r);
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& value = values.at(i);
        if (value.isNull())
            insert->bindNull(i + 1);
        else if (value.typeId() == QMetaType::QString)
            insert->bind(i + 1, value.toString());
        else
            insert->bind(i + 1, value.toLongLong());
    }
    insert->step();
    return insert->lastInsertRowId();
}

qint64 ClockRecords::appendPunch(const QString& employeeId, const PunchDecision& decide)
{
    return appendPunch(employeeId, decide, QString(), 0);
}

qint64 ClockRecords::appendPunch(const QString& employeeId, const PunchDecision& decide,
                                 const QString& station, qint64 sequence)
{
    Transaction transaction(m_database);
    m_database.lock(employeeKey(employeeId));
    const std::optional<ClockRecord> record = decide(latestPunchFor(employeeId));
    if (!record)
        return 0;
    const qint64 number = append(*record);
    if (!station.isEmpty())
        m_database.execute(
            QStringLiteral(
                R"(INSERT INTO "Sent punches" ("Station", "Sequence", "Record number") VALUES (?, ?, ?))"),
            {station, sequence, number});
    transaction.commit();
    return number;
}

qint64 ClockRecords::appendQueued(const QString& station, qint64 sequence, const ClockRecord& record)
{
    // Decided when it was taken; the check runs under the employee's lock, after any earlier send.
    const auto asTaken = [&](const std::optional<LatestPunch>&) -> std::optional<ClockRecord> {
        QSqlQuery& sent = m_database.run(
            QStringLiteral(R"(SELECT 1 FROM "Sent punches" WHERE "Station" = ? AND "Sequence" = ?)"),
            {station, sequence});
        const bool sentBefore = sent.next();
        m_database.finish(sent);
        return sentBefore ? std::nullopt : std::optional<ClockRecord>(record);
    };
    return appendPunch(record.employeeId, asTaken, station, sequence);
}

QHash<QString, ClockRecords::LatestPunch> ClockRecords::latestPunchesAfter(qint64 recordNumber,
                                                                           qint64* highest)
{
    *highest = recordNumber;
    // In the order that makes a record an employee's latest: the last one read for an ID wins.
    QSqlQuery& query = m_database.run(
        QStringLiteral(R"(SELECT "Employee ID", "Clock out", "Time", "Record number" FROM "In Out" )"
                       R"(WHERE "Record number" > ? ORDER BY "Julian", "Record number")"),
        {recordNumber});
    QHash<QString, LatestPunch> latest;
    while (query.next()) {
        const qint64 number = query.value(3).toLongLong();
        *highest = std::max(*highest, number);
        latest.insert(EmployeeId::normalised(query.value(0).toString()),
                      LatestPunch{query.value(1).toInt() != 0,
                                  StoredTime::fromText(query.value(2).toString()), number});
    }
    m_database.finish(query);
    return latest;
}

qint64 ClockRecords::highestRecordNumber()
{
    QSqlQuery& query = m_database.run(QStringLiteral(R"(SELECT max("Record number") FROM "In Out")"));
    const qint64 highest = query.next() ? query.value(0).toLongLong() : 0;
    m_database.finish(query);
    return highest;
}

QHash<QString, ClockRecords::LatestPunch> ClockRecords::latestPunches(qint32 sinceDay)
{
    QSqlQuery& query = m_database.run(m_database.dialect().latestPunchPerEmployee(), {sinceDay});
    QHash<QString, LatestPunch> latest;
    while (query.next()) {
        const QString id = EmployeeId::normalised(query.value(0).toString());
        LatestPunch punch{query.value(1).toInt() != 0, StoredTime::fromText(query.value(2).toString()), 0};
        // IDs that differ only in case or blanks are one employee; keep the later punch of them.
        const auto it = latest.constFind(id);
        if (it == latest.cend() || it->time < punch.time)
            latest.insert(id, punch);
    }
    m_database.finish(query);
    return latest;
}

QString ClockRecords::employeeKey(const QString& employeeId)
{
    return QStringLiteral("employee ") + EmployeeId::normalised(employeeId);
}

bool ClockRecords::contains(const ClockRecord& r)
{
    QSqlQuery& query = m_database.run(
        QStringLiteral(R"(SELECT 1 FROM "In Out" WHERE "Employee ID" = ? AND "Time" = ? AND "Clock out" = ? )"
                       R"(AND "Created" = ? LIMIT 1)"),
        {r.employeeId, StoredTime::toText(r.time), r.clockOut ? 1 : 0, StoredTime::toText(r.created)});
    const bool found = query.next();
    m_database.finish(query);
    return found;
}

bool ClockRecords::isEmpty()
{
    QSqlQuery& query = m_database.run(QStringLiteral(R"(SELECT 1 FROM "In Out" LIMIT 1)"));
    const bool empty = !query.next();
    m_database.finish(query);
    return empty;
}

std::optional<ClockRecords::LatestPunch> ClockRecords::latestPunchFor(const QString& employeeId)
{
    static const QString sql =
        QStringLiteral(R"(SELECT "Clock out", "Time", "Record number" FROM "In Out" WHERE "Employee ID" = ? )"
                       R"(ORDER BY "Julian" DESC, "Record number" DESC LIMIT 1)");
    StatementUse select(m_database.native(sql));
    select->bind(1, employeeId);
    if (!select->step())
        return std::nullopt;
    return LatestPunch{select->integer(0) != 0, StoredTime::fromText(select->text(1)), select->integer(2)};
}

std::optional<ClockRecords::LatestPunch> ClockRecords::latestByTimeFor(const QString& employeeId,
                                                                       qint32 afterDay)
{
    QSqlQuery& query =
        m_database.run(QStringLiteral(R"(SELECT "Clock out", "Time", "Record number" FROM "In Out" )"
                                      R"(WHERE "Employee ID" = ? AND "Julian" > ? )"
                                      R"(ORDER BY "Time" DESC, "Record number" DESC LIMIT 1)"),
                       {employeeId, afterDay});
    std::optional<LatestPunch> latest;
    if (query.next())
        latest = LatestPunch{query.value(0).toInt() != 0, StoredTime::fromText(query.value(1).toString()),
                             query.value(2).toLongLong()};
    m_database.finish(query);
    return latest;
}

QList<ClockRecord> ClockRecords::since(qint32 dayNumber)
{
    static const QString sql =
        QStringLiteral(R"(SELECT %1 FROM "In Out" WHERE "Julian" >= ? ORDER BY "Employee ID", "Time")")
            .arg(InOutRow::selectList());
    return select(sql, {dayNumber});
}

QList<ClockRecord> ClockRecords::latestOfEach(qint32 firstDay, qint32 lastDay)
{
    const SqlDialect::Statement statement =
        m_database.dialect().latestRecordPerEmployee(InOutRow::selectList(), firstDay, lastDay);
    QList<ClockRecord> latest;
    QHash<QString, qsizetype> place;
    for (const ClockRecord& record : select(statement.sql, statement.values)) {
        const QString id = EmployeeId::normalised(record.employeeId);
        if (id.isEmpty())
            continue;
        const auto it = place.constFind(id);
        if (it == place.cend()) {
            place.insert(id, latest.size());
            latest.append(record);
            continue;
        }
        // The same employee stored with other blanks around the ID: the later record stands for both.
        ClockRecord& kept = latest[*it];
        if (std::tie(record.time, record.recordNumber) > std::tie(kept.time, kept.recordNumber))
            kept = record;
    }
    return latest;
}

QSet<QString> ClockRecords::employeesInOn(qint32 dayNumber)
{
    QSqlQuery& query = m_database.run(
        QStringLiteral(
            R"(SELECT DISTINCT "Employee ID" FROM "In Out" WHERE "Julian" = ? AND "Clock out" = 0)"),
        {dayNumber});
    QSet<QString> ids;
    while (query.next())
        ids.insert(EmployeeId::normalised(query.value(0).toString()));
    m_database.finish(query);
    return ids;
}

namespace {
// One record of a sequence as the open-IN selection needs it; the time stays the stored text, whose
// order is the time order.
struct Step {
    // Stored times are 19 characters; a longer one is cut, which can only tie two steps, and the
    // record number then orders them.
    std::array<char, 20> time{};
    qint64 number = 0;
    bool out = false;

    qint64 seconds() const { return ReportRows::clockSeconds(QByteArrayView(time.data())); }
};

struct Sequence {
    QString key;
    QString employeeId;
    std::vector<Step> steps;
};

bool before(const Step& a, const Step& b)
{
    const int order = std::strncmp(a.time.data(), b.time.data(), a.time.size());
    return order < 0 || (order == 0 && a.number < b.number);
}
} // namespace

ClockRecords::OpenIns ClockRecords::openInsAfter(qint32 dayNumber, NextTimes nextTimes)
{
    if (const std::optional<QString> sql =
            m_database.dialect().openInsByWindow(nextTimes == NextTimes::Wanted))
        if (std::optional<OpenIns> open = openInsByWindow(*sql, dayNumber, nextTimes))
            return *open;
    OpenIns open = openInsByNarrowRead(dayNumber);
    if (nextTimes == NextTimes::NotWanted)
        for (OpenIn& in : open.ins)
            in.next.reset();
    return open;
}

std::optional<ClockRecords::OpenIns> ClockRecords::openInsByWindow(const QString& sql, qint32 dayNumber,
                                                                   NextTimes nextTimes)
{
    QSqlQuery& query = m_database.run(sql, {dayNumber, std::numeric_limits<qint32>::max()});
    OpenIns result;
    result.ends.reserve(std::max(query.size(), 0));
    QList<std::pair<QString, OpenIn>> ins;
    QString id;
    QString key;
    bool storedTwoWays = false;
    while (query.next()) {
        // An employee's rows come one after another, in the window's order.
        if (QString stored = query.value(0).toString(); stored != id) {
            id = std::move(stored);
            key = employeeKey(id);
        }
        const bool out = query.value(1).toInt() != 0;
        const qint64 time = ReportRows::clockSeconds(query.value(2).toString().toLatin1());
        const qint64 number = query.value(3).toLongLong();
        const bool last = query.value(4).isNull();
        if (last) {
            const qsizetype known = result.ends.size();
            result.ends.emplace(key, SequenceEnd{out, time, number});
            storedTwoWays = storedTwoWays || result.ends.size() == known;
        }
        if (out)
            continue;
        std::optional<qint64> next;
        if (!last && nextTimes == NextTimes::Wanted)
            next = ReportRows::clockSeconds(query.value(5).toString().toLatin1());
        ins.append({key, {id, time, number, next}});
    }
    m_database.finish(query);
    // One employee's records under IDs that differ in case or blanks form one sequence, which the
    // window saw as several.
    if (storedTwoWays)
        return std::nullopt;
    const auto before = [](const auto& a, const auto& b) {
        return std::tie(a.first, a.second.time, a.second.recordNumber) <
               std::tie(b.first, b.second.time, b.second.recordNumber);
    };
    if (!std::is_sorted(ins.begin(), ins.end(), before))
        std::sort(ins.begin(), ins.end(), before);
    result.ins.reserve(ins.size());
    for (const auto& [employee, in] : std::as_const(ins))
        result.ins.append(in);
    return result;
}

ClockRecords::OpenIns ClockRecords::openInsByNarrowRead(qint32 dayNumber)
{
    // Only four narrow columns travel, in the day index's own order; each employee's few dozen rows
    // are put in time order here, which costs far less than the database sorting all of them.
    static const QString sql =
        QStringLiteral(R"(SELECT "Employee ID", "Time", "Record number", "Clock out" FROM "In Out" )"
                       R"(WHERE "Julian" > ?)");
    std::vector<Sequence> sequences;
    {
        QHash<QByteArray, std::size_t> byStoredId; // the same ID is stored the same way many times
        QHash<QString, std::size_t> byKey;
        QByteArray previousId;
        std::size_t previous = 0;
        StatementUse select(m_database.native(sql));
        select->bind(1, dayNumber);
        while (select->step()) {
            // The day index hands an employee's rows of a day one after another.
            const QByteArrayView storedId = select->utf8(0);
            if (sequences.empty() || storedId != QByteArrayView(previousId)) {
                previousId = storedId.toByteArray();
                auto place = byStoredId.constFind(previousId);
                if (place == byStoredId.cend()) {
                    const QString id = QString::fromUtf8(previousId);
                    const QString key = employeeKey(id);
                    auto known = byKey.constFind(key);
                    if (known == byKey.cend()) {
                        known = byKey.insert(key, sequences.size());
                        sequences.push_back({key, id, {}});
                    }
                    place = byStoredId.insert(previousId, *known);
                }
                previous = *place;
            }
            Step step;
            const QByteArrayView time = select->utf8(1);
            std::memcpy(step.time.data(), time.data(),
                        std::min<std::size_t>(time.size(), step.time.size() - 1));
            step.number = select->integer(2);
            step.out = select->integer(3) != 0;
            sequences[previous].steps.push_back(step);
        }
    }
    std::sort(sequences.begin(), sequences.end(),
              [](const Sequence& a, const Sequence& b) { return a.key < b.key; });

    OpenIns result;
    for (Sequence& sequence : sequences) {
        std::vector<Step>& steps = sequence.steps;
        if (!std::is_sorted(steps.begin(), steps.end(), before))
            std::sort(steps.begin(), steps.end(), before);
        for (std::size_t i = 0; i < steps.size(); ++i) {
            if (steps[i].out)
                continue;
            if (i + 1 == steps.size())
                result.ins.append({sequence.employeeId, steps[i].seconds(), steps[i].number, std::nullopt});
            else if (!steps[i + 1].out)
                result.ins.append(
                    {sequence.employeeId, steps[i].seconds(), steps[i].number, steps[i + 1].seconds()});
        }
        const Step& last = steps.back();
        result.ends.insert(sequence.key, SequenceEnd{last.out, last.seconds(), last.number});
    }
    return result;
}

QList<ClockRecord> ClockRecords::withNumbers(const QList<qint64>& numbers)
{
    // In fixed-size groups, so the statement is prepared once; the last group repeats its final
    // number to fill up.
    constexpr int group = 64;
    static const QString sql =
        QStringLiteral(R"(SELECT %1 FROM "In Out" WHERE "Record number" IN (%2))")
            .arg(InOutRow::selectList(), QStringList(group, QStringLiteral("?")).join(u", "));
    QList<ClockRecord> rows;
    for (qsizetype first = 0; first < numbers.size(); first += group) {
        QVariantList values;
        for (int i = 0; i < group; ++i)
            values.append(numbers.at(std::min(first + i, numbers.size() - 1)));
        rows.append(select(sql, values));
    }
    return rows;
}

QList<ClockRecord> ClockRecords::select(const QString& sql, const QVariantList& values)
{
    QSqlQuery& query = m_database.run(sql, values);
    QList<ClockRecord> rows;
    while (query.next())
        rows.append(InOutRow::read(query));
    m_database.finish(query);
    return rows;
}
