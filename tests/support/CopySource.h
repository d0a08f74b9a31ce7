#pragma once

#include "store/Database.h"
#include "store/EditHistory.h"
#include "store/RecordEdits.h"
#include "store/StaffTable.h"

#include <QDateTime>

// An embedded clock file filled as years of use leave it: many punches whose record numbers have
// gaps (removed rows), today's staff, changed settings and a history chain of hand edits.
namespace CopySource {
// Record numbers are 7, 10, 13, ...: a copy that renumbers shows at once.
inline qint64 recordNumber(int i)
{
    return 7 + 3 * qint64(i);
}

inline void fill(Database& file, int rows)
{
    // One statement inside the engine: a test of 100,000 rows spends no time building its file.
    file.execute(QStringLiteral(R"(
        WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ?)
        INSERT INTO "In Out" ("Time", "Employee ID", "Clock out", "Julian", "Employee", "Record number",
                              "Tips", "Dnumber", "InEarly", "InLate", "Options", "Created")
        SELECT strftime('%Y-%m-%d %H:%M:%S', '2016-01-01 08:00:00', '+' || (i * 1800) || ' seconds'),
               'E' || (i % 50), i / 50 % 2, 42370 + i * 1800 / 86400, 'Name ' || (i % 50), 7 + 3 * i,
               CASE WHEN i % 7 = 0 THEN NULL ELSE i * 25 END, i % 5, i % 3 = 0, i % 4 = 0, i % 11,
               CASE WHEN i % 13 = 0 THEN NULL ELSE '2016-01-01 08:00:00' END
        FROM n)"),
                 {rows});
    StaffTable(file).replaceAll({{QStringLiteral("Ann O'Neil"), 1, 46360, QStringLiteral("E1"), 2, 32, 68},
                                 {QStringLiteral("Bo"), 2, 46360, QStringLiteral("e2"), 3, 0, 0}});
    file.execute(QStringLiteral(R"(UPDATE "Application" SET "EarlyLimit" = 15, "TipsWord" = 'Gratuity')"));
    RecordEdits edits(file);
    const EditStamp stamp{QDateTime(QDate(2026, 12, 1), QTime(9, 30)), QStringLiteral("office")};
    ClockRecord changed = *edits.find(recordNumber(10));
    changed.time = changed.time.addSecs(600);
    changed.tips = Money::fromUnits(12345);
    edits.update(changed, stamp);
    edits.remove(recordNumber(15), stamp);
    edits.insert(*edits.find(recordNumber(18)), stamp);
}
} // namespace CopySource
