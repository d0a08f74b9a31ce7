#include "store/ResolvedExceptions.h"

#include "store/Database.h"
#include "store/StoredTime.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QVariant>

const QString ResolvedExceptions::resolvedAction = QStringLiteral("Exception resolved");

ResolvedExceptions::ResolvedExceptions(Database& database)
    : m_database(database)
{}

void ResolvedExceptions::resolve(const Resolution& resolution, const EditStamp& stamp)
{
    Transaction transaction(m_database);
    m_database.execute(
        QStringLiteral(R"(DELETE FROM "Resolved exceptions" WHERE "Record number" = ? AND "Kind" = ?)"),
        {resolution.recordNumber, resolution.kind});
    m_database.execute(
        QStringLiteral(R"(INSERT INTO "Resolved exceptions" ("Record number", "Kind", "Basis", "Note", )"
                       R"("Resolved by", "Resolved when") VALUES (?, ?, ?, ?, ?, ?))"),
        {resolution.recordNumber, resolution.kind, resolution.basis, resolution.note, stamp.user,
         StoredTime::toText(stamp.when)});
    QJsonObject details;
    details.insert(QStringLiteral("kind"), resolution.kind);
    if (!resolution.note.isEmpty())
        details.insert(QStringLiteral("note"), resolution.note);
    EditHistory history(m_database);
    // The record is left as it is: the entry repeats its values on both sides, so the chain's
    // account of what each record holds stays true.
    const QString values = history.rowValues(resolution.recordNumber);
    history.append(stamp, resolvedAction, resolution.recordNumber, values, values,
                   QString::fromUtf8(QJsonDocument(details).toJson(QJsonDocument::Compact)));
    transaction.commit();
}

QHash<QPair<qint64, QString>, Resolution> ResolvedExceptions::between(qint64 first, qint64 last)
{
    QSqlQuery& query = m_database.run(
        QStringLiteral(R"(SELECT "Record number", "Kind", "Basis", "Note", "Resolved by", "Resolved when" )"
                       R"(FROM "Resolved exceptions" WHERE "Record number" BETWEEN ? AND ?)"),
        {first, last});
    QHash<QPair<qint64, QString>, Resolution> found;
    while (query.next()) {
        Resolution r{query.value(0).toLongLong(), query.value(1).toString(),
                     query.value(2).toString(),   query.value(3).toString(),
                     query.value(4).toString(),   StoredTime::fromText(query.value(5).toString())};
        found.insert({r.recordNumber, r.kind}, r);
    }
    query.finish();
    return found;
}
