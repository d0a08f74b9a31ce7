#include "store/PayRateTable.h"

#include "store/Database.h"
#include "store/DayNumber.h"
#include "store/EmployeeId.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QVariant>

const QString PayRateTable::changedAction = QStringLiteral("Pay rate");

namespace {
// The history's picture of one rate: who, from when, how much; empty when there is none.
QString rateValues(const QString& id, qint32 fromDay, std::optional<Money> rate)
{
    if (!rate)
        return {};
    QJsonObject o;
    o.insert(QStringLiteral("Employee ID"), id);
    o.insert(QStringLiteral("From"), DayNumber::toDate(fromDay).toString(Qt::ISODate));
    o.insert(QStringLiteral("Rate"), rate->toString());
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

PayRateRow rowOf(QSqlQuery& query)
{
    return {query.value(0).toString(), query.value(1).toInt(), Money::fromUnits(query.value(2).toLongLong())};
}
} // namespace

PayRateTable::PayRateTable(Database& database)
    : m_database(database)
{}

QList<PayRateRow> PayRateTable::forEmployee(const QString& employeeId)
{
    QSqlQuery& query =
        m_database.run(QStringLiteral(R"(SELECT "Employee ID", "From", "Rate" FROM "Pay rate" )"
                                      R"(WHERE "Employee ID" = ? ORDER BY "From")"),
                       {EmployeeId::normalised(employeeId)});
    QList<PayRateRow> rows;
    while (query.next())
        rows.append(rowOf(query));
    query.finish();
    return rows;
}

QHash<QString, QList<PayRateRow>> PayRateTable::all()
{
    QSqlQuery& query = m_database.run(QStringLiteral(
        R"(SELECT "Employee ID", "From", "Rate" FROM "Pay rate" ORDER BY "Employee ID", "From")"));
    QHash<QString, QList<PayRateRow>> rates;
    while (query.next()) {
        PayRateRow row = rowOf(query);
        rates[row.employeeId].append(row);
    }
    query.finish();
    return rates;
}

void PayRateTable::write(const QString& id, qint32 fromDay, std::optional<Money> before,
                         std::optional<Money> after, const EditStamp& stamp)
{
    if (before == after)
        return;
    if (!after)
        m_database.execute(QStringLiteral(R"(DELETE FROM "Pay rate" WHERE "Employee ID" = ? AND "From" = ?)"),
                           {id, fromDay});
    else if (before)
        m_database.execute(
            QStringLiteral(R"(UPDATE "Pay rate" SET "Rate" = ? WHERE "Employee ID" = ? AND "From" = ?)"),
            {after->units(), id, fromDay});
    else
        m_database.execute(
            QStringLiteral(R"(INSERT INTO "Pay rate" ("Employee ID", "From", "Rate") VALUES (?, ?, ?))"),
            {id, fromDay, after->units()});
    EditHistory(m_database)
        .append(stamp, changedAction, std::nullopt, rateValues(id, fromDay, before),
                rateValues(id, fromDay, after));
}

std::optional<Money> PayRateTable::rateFrom(const QString& id, qint32 fromDay)
{
    for (const PayRateRow& row : forEmployee(id))
        if (row.fromDay == fromDay)
            return row.rate;
    return std::nullopt;
}

std::optional<Money> PayRateTable::set(const QString& employeeId, qint32 fromDay, Money rate,
                                       const EditStamp& stamp)
{
    const QString id = EmployeeId::normalised(employeeId);
    Transaction transaction(m_database);
    const std::optional<Money> before = rateFrom(id, fromDay);
    write(id, fromDay, before, rate, stamp);
    transaction.commit();
    return before;
}

bool PayRateTable::remove(const QString& employeeId, qint32 fromDay, const EditStamp& stamp)
{
    const QString id = EmployeeId::normalised(employeeId);
    Transaction transaction(m_database);
    const std::optional<Money> before = rateFrom(id, fromDay);
    if (!before)
        return false;
    write(id, fromDay, before, std::nullopt, stamp);
    transaction.commit();
    return true;
}

void PayRateTable::replace(const QString& employeeId, const QList<PayRateRow>& rates, const EditStamp& stamp)
{
    const QString id = EmployeeId::normalised(employeeId);
    Transaction transaction(m_database);
    QMap<qint32, Money> before;
    for (const PayRateRow& row : forEmployee(id))
        before.insert(row.fromDay, row.rate);
    QMap<qint32, Money> after;
    for (const PayRateRow& row : rates)
        after.insert(row.fromDay, row.rate);
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        if (!after.contains(it.key()))
            write(id, it.key(), it.value(), std::nullopt, stamp);
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        write(id, it.key(), before.contains(it.key()) ? std::optional(before.value(it.key())) : std::nullopt,
              it.value(), stamp);
    transaction.commit();
}
