// The week's hours the clock screen shows after a punch, read from a real database on both backends.
#include "pay/WeekHours.h"

#include "BackendTest.h"
#include "PunchRecord.h"
#include "TestProgram.h"
#include "settings/SettingsTable.h"
#include "store/ClockRecords.h"

#include <gtest/gtest.h>

namespace {
using WeekHoursTest = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(WeekHoursTest);

TEST_P(WeekHoursTest, TheCurrentWorkweekOfThatEmployeeByThePayRules)
{
    struct Case {
        const char* workweekStart;
        QDateTime now;
        const char* line;
    };
    const QDate saturday(2026, 12, 5);
    const Case cases[] = {
        {"Sunday", QDateTime(saturday.addDays(2), QTime(17, 30)), "This week: 9:00"},
        {"Sunday", QDateTime(saturday.addDays(6), QTime(17, 30)), "This week: 45:00, overtime 5:00"},
        // Saturday's shift belongs to a workweek that starts on Saturday.
        {"Saturday", QDateTime(saturday.addDays(6), QTime(17, 30)), "This week: 54:00, overtime 14:00"},
        {"Sunday", QDateTime(saturday.addDays(8), QTime(10, 0)), "This week: 0:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        TestProgram p(c.now, backend());
        SettingsRecord settings;
        settings.autoDeduct = false;
        SettingsTable::at(QStringLiteral("pay.workweek_start"))
            .take(QString::fromLatin1(c.workweekStart), settings, settings);
        ClockRecords records(p.database());
        // Ann: 08:00 to 17:00 on Saturday and Monday to Friday; Bob the same days, and an IN of
        // Ann's left open on the Sunday after, none of which is hers this week.
        for (const int d : {0, 2, 3, 4, 5, 6}) {
            for (const char* id : {"A1", "B2"}) {
                records.append(punchRecord(QString::fromLatin1(id), QDateTime(saturday.addDays(d), QTime(8, 0)), false));
                records.append(punchRecord(QString::fromLatin1(id), QDateTime(saturday.addDays(d), QTime(17, 0)), true));
            }
        }
        records.append(punchRecord(QStringLiteral("A1"), QDateTime(saturday.addDays(8), QTime(8, 0)), false));
        const PayMinutes paid = WeekHours::of(p.database(), settings, QStringLiteral("a1"), c.now);
        EXPECT_EQ(WeekHours::line(paid), QString::fromLatin1(c.line));
    }
}
} // namespace
