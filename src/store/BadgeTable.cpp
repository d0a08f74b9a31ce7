#include "store/BadgeTable.h"

#include "store/Database.h"
#include "store/EmployeeId.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QVariant>

const QString BadgeTable::changedAction = QStringLiteral("Badge");

namespace {
// The history's picture of a card held: whose and which; empty when none.
QString badgeValues(const QString& id, const std::optional<QString>& badge)
{
    if (!badge)
        return {};
    QJsonObject o;
    o.insert(QStringLiteral("Employee ID"), id);
    o.insert(QStringLiteral("Badge"), *badge);
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}
} // namespace

std::optional<QString> BadgeNumber::typed(const QString& text)
{
    const QString number = text.trimmed();
    if (number.isEmpty() || number.size() > longest)
        return std::nullopt;
    for (const QChar c : number) {
        if (c.isSpace() || c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return std::nullopt;
    }
    return number;
}

QString BadgeNumber::fromReader(const QString& read, bool hex)
{
    const QString text = read.trimmed();
    static const QRegularExpression hexDigits(QStringLiteral("^[0-9A-Fa-f]{1,16}$"));
    if (!hex || !hexDigits.match(text).hasMatch())
        return text;
    bool ok = false;
    const quint64 value = text.toULongLong(&ok, 16);
    if (!ok)
        return text;
    if (text.size() <= 10)
        return QStringLiteral("%1").arg(value & 0xFFFFFFFFULL, 10, 10, QLatin1Char('0'));
    return QString::number(value);
}

BadgeTable::BadgeTable(Database& database)
    : m_database(database)
{}

std::optional<QString> BadgeTable::employeeFor(const QString& badge)
{
    QSqlQuery& query = m_database.run(QStringLiteral(R"(SELECT "Employee ID" FROM "Badges" WHERE "Badge" = ?)"),
                                      {badge.trimmed()});
    std::optional<QString> id;
    if (query.next())
        id = query.value(0).toString();
    query.finish();
    return id;
}

std::optional<QString> BadgeTable::badgeOf(const QString& employeeId)
{
    QSqlQuery& query = m_database.run(
        QStringLiteral(R"(SELECT "Badge" FROM "Badges" WHERE "Employee ID" = ?)"), {EmployeeId::normalised(employeeId)});
    std::optional<QString> badge;
    if (query.next())
        badge = query.value(0).toString();
    query.finish();
    return badge;
}

QList<BadgeRow> BadgeTable::all()
{
    QSqlQuery& query =
        m_database.run(QStringLiteral(R"(SELECT "Badge", "Employee ID" FROM "Badges" ORDER BY "Employee ID")"));
    QList<BadgeRow> rows;
    while (query.next())
        rows.append({query.value(0).toString(), query.value(1).toString()});
    query.finish();
    return rows;
}

std::optional<BadgeTable::Taken> BadgeTable::assign(const QString& employeeId, const QString& badge,
                                                    const EditStamp& stamp)
{
    const QString id = EmployeeId::normalised(employeeId);
    const QString number = badge.trimmed();
    Transaction transaction(m_database);
    if (const std::optional<QString> holder = employeeFor(number)) {
        if (*holder != id)
            return Taken{*holder};
        return std::nullopt; // theirs already
    }
    const std::optional<QString> before = badgeOf(id);
    if (before)
        m_database.execute(QStringLiteral(R"(UPDATE "Badges" SET "Badge" = ? WHERE "Employee ID" = ?)"), {number, id});
    else
        m_database.execute(QStringLiteral(R"(INSERT INTO "Badges" ("Badge", "Employee ID") VALUES (?, ?))"),
                           {number, id});
    EditHistory(m_database).append(stamp, changedAction, std::nullopt, badgeValues(id, before), badgeValues(id, number));
    transaction.commit();
    return std::nullopt;
}

bool BadgeTable::remove(const QString& employeeId, const EditStamp& stamp)
{
    const QString id = EmployeeId::normalised(employeeId);
    Transaction transaction(m_database);
    const std::optional<QString> before = badgeOf(id);
    if (!before)
        return false;
    m_database.execute(QStringLiteral(R"(DELETE FROM "Badges" WHERE "Employee ID" = ?)"), {id});
    EditHistory(m_database).append(stamp, changedAction, std::nullopt, badgeValues(id, before), {});
    transaction.commit();
    return true;
}
