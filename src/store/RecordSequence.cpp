#include "store/RecordSequence.h"

#include "store/ClockRecords.h"
#include "store/Database.h"
#include "store/InOutRow.h"

#include <QSqlQuery>
#include <QVariant>
#include <limits>
#include <optional>

namespace {
std::optional<qint64> firstNumber(Database& database, const QString& sql, const QVariantList& values)
{
    QSqlQuery& query = database.run(sql, values);
    std::optional<qint64> number;
    if (query.next() && !query.value(0).isNull())
        number = query.value(0).toLongLong();
    database.finish(query);
    return number;
}
} // namespace

bool RecordSequence::tableEmpty(Database& database)
{
    return ClockRecords(database).isEmpty();
}

void RecordSequence::walk(Database& database, qint32 firstDay, qint32 lastDay,
                          const std::function<void(const ClockRecord&)>& visit)
{
    const std::optional<qint64> start = firstNumber(
        database, QStringLiteral(R"(SELECT MIN("Record number") FROM "In Out" WHERE "Julian" >= ?)"),
        {firstDay});
    if (!start)
        return;
    const std::optional<qint64> stop =
        firstNumber(database,
                    QStringLiteral(R"(SELECT MIN("Record number") FROM "In Out" )"
                                   R"(WHERE "Record number" >= ? AND "Julian" > ?)"),
                    {*start, lastDay});
    static const QString sql =
        QStringLiteral(R"(SELECT %1 FROM "In Out" WHERE "Record number" >= ? AND "Record number" < ? )"
                       R"(ORDER BY "Record number")")
            .arg(InOutRow::selectList());
    QSqlQuery& query = database.run(sql, {*start, stop.value_or(std::numeric_limits<qint64>::max())});
    while (query.next())
        visit(InOutRow::read(query));
    database.finish(query);
}
