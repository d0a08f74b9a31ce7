#include "store/PeriodStates.h"

#include "store/Database.h"
#include "store/DayNumber.h"
#include "store/EmployeeId.h"
#include "store/InOutRow.h"
#include "store/StoredTime.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

const QString PeriodStates::approved = QStringLiteral("Period approved");
const QString PeriodStates::locked = QStringLiteral("Period locked");
const QString PeriodStates::reopened = QStringLiteral("Period reopened");

QString DayRange::text() const
{
    const QLocale english = QLocale::c();
    const QString format = QStringLiteral("d MMM yyyy");
    return english.toString(first, format) + QStringLiteral(" - ") + english.toString(last, format);
}

LockedDayError::LockedDayError(const DayRange& period)
    : std::runtime_error("locked pay period")
    , m_period(period)
{}

QString LockedDayError::message() const
{
    return QStringLiteral("This day is in a locked pay period (%1). Reopen the period to change it.")
        .arg(m_period.text());
}

StoredPeriod::State StoredPeriod::state() const
{
    if (locked)
        return State::Locked;
    if (approvedFor({}))
        return State::Approved;
    return approvals.isEmpty() ? State::Open : State::PartlyApproved;
}

QString StoredPeriod::stateWord(State state)
{
    switch (state) {
    case State::Open:
        return QStringLiteral("open");
    case State::PartlyApproved:
        return QStringLiteral("partly approved");
    case State::Approved:
        return QStringLiteral("approved");
    case State::Locked:
        return QStringLiteral("locked");
    }
    return {};
}

bool StoredPeriod::approvedFor(const QString& employeeId) const
{
    const EmployeeId id(employeeId);
    return std::any_of(approvals.begin(), approvals.end(), [&](const PeriodApproval& a) {
        return a.employeeId.isEmpty() || EmployeeId(a.employeeId) == id;
    });
}

PeriodStates::Refused::Refused(const QString& message)
    : std::runtime_error(message.toStdString())
{}

PeriodStates::PeriodStates(Database& database)
    : m_database(database)
{}

bool PeriodStates::hasTables(Database& database)
{
    return database.hasTable(QStringLiteral("Pay periods"));
}

namespace {
DayRange rangeOf(const QVariant& first, const QVariant& last)
{
    return {DayNumber::toDate(first.toInt()), DayNumber::toDate(last.toInt())};
}
} // namespace

QList<StoredPeriod> PeriodStates::all()
{
    QList<StoredPeriod> periods;
    QSqlQuery& rows = m_database.run(
        QStringLiteral(R"(SELECT "First day", "Last day", "Locked", "Locked when", "Locked by" )"
                       R"(FROM "Pay periods" ORDER BY "First day")"));
    while (rows.next()) {
        StoredPeriod p;
        p.days = rangeOf(rows.value(0), rows.value(1));
        p.locked = rows.value(2).toInt() != 0;
        p.lockedWhen = StoredTime::fromText(rows.value(3).toString());
        p.lockedBy = rows.value(4).toString();
        periods.append(p);
    }
    rows.finish();
    QSqlQuery& approvals =
        m_database.run(QStringLiteral(R"(SELECT "First day", "Employee ID", "When", "User" )"
                                      R"(FROM "Period approvals" ORDER BY "First day", "Employee ID")"));
    while (approvals.next()) {
        const QDate first = DayNumber::toDate(approvals.value(0).toInt());
        const auto period = std::find_if(periods.begin(), periods.end(),
                                         [&](const StoredPeriod& p) { return p.days.first == first; });
        if (period != periods.end())
            period->approvals.append({approvals.value(1).toString(),
                                      StoredTime::fromText(approvals.value(2).toString()),
                                      approvals.value(3).toString()});
    }
    approvals.finish();
    return periods;
}

std::optional<StoredPeriod> PeriodStates::find(const QDate& first)
{
    for (const StoredPeriod& p : all())
        if (p.days.first == first)
            return p;
    return std::nullopt;
}

void PeriodStates::takeLock()
{
    // Serialises a change of state with the hand edits that check it, across stations on a server.
    m_database.lock(QStringLiteral("pay periods"));
}

void PeriodStates::storeRange(const DayRange& period)
{
    if (!period.first.isValid() || !period.last.isValid() || period.first > period.last)
        throw Refused(QStringLiteral("A pay period needs a first day on or before its last day."));
    const qint32 first = DayNumber::of(period.first);
    const qint32 last = DayNumber::of(period.last);
    QSqlQuery& overlapping = m_database.run(
        QStringLiteral(R"(SELECT "First day", "Last day" FROM "Pay periods" WHERE "First day" <= ? AND )"
                       R"("Last day" >= ? ORDER BY "First day")"),
        {last, first});
    std::optional<DayRange> clash;
    bool same = false;
    while (overlapping.next()) {
        const DayRange stored = rangeOf(overlapping.value(0), overlapping.value(1));
        if (stored == period)
            same = true;
        else if (!clash)
            clash = stored;
    }
    overlapping.finish();
    if (clash)
        throw Refused(QStringLiteral("The pay period %1 overlaps the period %2, which is already approved or "
                                     "locked.")
                          .arg(period.text(), clash->text()));
    if (!same)
        m_database.execute(
            QStringLiteral(R"(INSERT INTO "Pay periods" ("First day", "Last day") VALUES (?, ?))"),
            {first, last});
}

void PeriodStates::appendHistory(const EditStamp& stamp, const QString& action, const DayRange& period,
                                 const QString& employeeId, const QString& reason)
{
    QJsonObject details;
    details.insert(QStringLiteral("first"), period.first.toString(Qt::ISODate));
    details.insert(QStringLiteral("last"), period.last.toString(Qt::ISODate));
    if (!employeeId.isEmpty())
        details.insert(QStringLiteral("employee"), employeeId);
    if (!reason.isEmpty())
        details.insert(QStringLiteral("reason"), reason);
    EditHistory(m_database)
        .append(stamp, action, std::nullopt, {}, {},
                QString::fromUtf8(QJsonDocument(details).toJson(QJsonDocument::Compact)));
}

void PeriodStates::approve(const DayRange& period, const QString& employeeId, const EditStamp& stamp)
{
    Transaction transaction(m_database);
    takeLock();
    storeRange(period);
    const std::optional<StoredPeriod> stored = find(period.first);
    const QString id = EmployeeId::normalised(employeeId);
    if (stored && stored->locked)
        throw Refused(QStringLiteral("The pay period %1 is locked.").arg(period.text()));
    if (stored && stored->approvedFor(id))
        throw Refused(
            id.isEmpty()
                ? QStringLiteral("The pay period %1 is already approved.").arg(period.text())
                : QStringLiteral("The pay period %1 is already approved for %2.").arg(period.text(), id));
    m_database.execute(
        QStringLiteral(R"(INSERT INTO "Period approvals" ("First day", "Employee ID", "When", "User") )"
                       R"(VALUES (?, ?, ?, ?))"),
        {DayNumber::of(period.first), id, StoredTime::toText(stamp.when), stamp.user});
    appendHistory(stamp, approved, period, id, {});
    transaction.commit();
}

void PeriodStates::lock(const DayRange& period, const EditStamp& stamp)
{
    Transaction transaction(m_database);
    takeLock();
    storeRange(period);
    const std::optional<StoredPeriod> stored = find(period.first);
    if (stored && stored->locked)
        throw Refused(QStringLiteral("The pay period %1 is already locked.").arg(period.text()));
    m_database.execute(
        QStringLiteral(R"(UPDATE "Pay periods" SET "Locked" = 1, "Locked when" = ?, "Locked by" = ? )"
                       R"(WHERE "First day" = ?)"),
        {StoredTime::toText(stamp.when), stamp.user, DayNumber::of(period.first)});
    appendHistory(stamp, locked, period, {}, {});
    transaction.commit();
}

void PeriodStates::reopen(const QDate& first, const QString& reason, const EditStamp& stamp)
{
    if (reason.trimmed().isEmpty())
        throw Refused(QStringLiteral("Reopening a pay period needs a reason."));
    Transaction transaction(m_database);
    takeLock();
    const std::optional<StoredPeriod> stored = find(first);
    if (!stored)
        throw Refused(QStringLiteral("No approved or locked pay period begins on %1.")
                          .arg(QLocale::c().toString(first, QStringLiteral("d MMM yyyy"))));
    const qint32 day = DayNumber::of(first);
    m_database.execute(QStringLiteral(R"(DELETE FROM "Period approvals" WHERE "First day" = ?)"), {day});
    m_database.execute(QStringLiteral(R"(DELETE FROM "Pay periods" WHERE "First day" = ?)"), {day});
    appendHistory(stamp, reopened, stored->days, {}, reason.trimmed());
    transaction.commit();
}

std::optional<DayRange> PeriodStates::firstLocked(const QString& condition, const QVariantList& days)
{
    if (!hasTables(m_database))
        return std::nullopt;
    QSqlQuery& query = m_database.run(
        QStringLiteral(R"(SELECT "First day", "Last day" FROM "Pay periods" WHERE "Locked" <> 0 AND %1 )"
                       R"(ORDER BY "First day")")
            .arg(condition),
        days);
    std::optional<DayRange> found;
    if (query.next())
        found = rangeOf(query.value(0), query.value(1));
    query.finish();
    return found;
}

std::optional<DayRange> PeriodStates::lockedHolding(qint32 dayNumber)
{
    return firstLocked(QStringLiteral(R"("First day" <= ? AND "Last day" >= ?)"), {dayNumber, dayNumber});
}

std::optional<DayRange> PeriodStates::lockedBefore(qint32 dayNumber)
{
    return firstLocked(QStringLiteral(R"("First day" < ?)"), {dayNumber});
}

void PeriodStates::refuseLockedDay(qint32 dayNumber)
{
    takeLock();
    if (const std::optional<DayRange> period = lockedHolding(dayNumber))
        throw LockedDayError(*period);
}

void PeriodStates::refuseLockedBefore(qint32 dayNumber)
{
    takeLock();
    if (const std::optional<DayRange> period = lockedBefore(dayNumber))
        throw LockedDayError(*period);
}

QList<ClockRecord> PeriodStates::afterLock()
{
    // Stored times are local text of one width, so they compare in time order.
    static const QString sql =
        QStringLiteral(
            R"(SELECT %1 FROM "In Out" JOIN "Pay periods" ON "In Out"."Julian" >= "Pay periods"."First day" )"
            R"(AND "In Out"."Julian" <= "Pay periods"."Last day" WHERE "Pay periods"."Locked" <> 0 )"
            R"(AND "In Out"."Created" > "Pay periods"."Locked when" ORDER BY "In Out"."Julian", "In Out"."Time")")
            .arg(InOutRow::selectList());
    QList<ClockRecord> records;
    QSqlQuery& query = m_database.run(sql);
    while (query.next())
        records.append(InOutRow::read(query));
    query.finish();
    return records;
}
