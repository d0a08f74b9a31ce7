#include "store/RecordSequence.h"

#include "store/ClockRecords.h"
#include "store/Database.h"

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
    query.finish();
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
    // The columns in the order ClockRecords reads them.
    static const QString sql = QStringLiteral(
        R"(SELECT "Time", "Employee ID", "Clock out", "Julian", "Employee", "Record number", "Tips", )"
        R"("Dnumber", "InEarly", "InLate", "OutEarly", "OutLate", "Options", "Created" FROM "In Out" )"
        R"(WHERE "Record number" >= ? AND "Record number" < ? ORDER BY "Record number")");
    QSqlQuery& query = database.run(sql, {*start, stop.value_or(std::numeric_limits<qint64>::max())});
    while (query.next())
        visit(ClockRecords::fromQuery(query));
    query.finish();
}
