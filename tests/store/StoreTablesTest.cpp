// The small tables of the clock database and the record sequence, on the file and on a server.
#include "BackendTest.h"
#include "PunchRecord.h"
#include "store/ApplicationTable.h"
#include "store/ClockRecords.h"
#include "store/DatabaseError.h"
#include "store/ProgramSettingsTable.h"
#include "store/RecordSequence.h"
#include "store/StaffTable.h"

#include <gtest/gtest.h>

using StoreTables = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(StoreTables);

TEST_P(StoreTables, StaffAreFoundTrimmedWithoutRegardToCaseAndReplacedWhole)
{
    TestFolder folder(backend());
    StaffTable staff(folder.database());
    staff.replaceAll({{QStringLiteral("Stale"), 9, 46000, QStringLiteral("OLD"), 1, 0, 0}});
    staff.replaceAll({{QStringLiteral("Ann"), 1, 46001, QStringLiteral(" ab1 "), 2, 32, 68},
                      {QStringLiteral("Bob"), 2, 46001, QStringLiteral("O'Neil"), 3, 0, 0},
                      {QStringLiteral("Cy"), 3, 46001, QStringLiteral("Zz"), 0, 4, 8}});
    const struct {
        const char* typed;
        const char* found; // empty: not found
    } cases[] = {{"AB1", "Ann"},     {"ab1", "Ann"}, {" Ab1", "Ann"}, {"o'neil", "Bob"},
                 {"O'NEIL ", "Bob"}, {"zz", "Cy"},   {"OLD", ""},     {"AB", ""}};
    for (const auto& c : cases) {
        const auto row = staff.find(QString::fromLatin1(c.typed));
        EXPECT_EQ(row ? row->employee : QString(), QString::fromLatin1(c.found)) << c.typed;
    }
    const QList<StaffRow> rows = staff.all();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(std::tuple(rows[0].employeeId, rows[0].julian, rows[0].start, rows[0].stop),
              std::tuple(QStringLiteral("ab1"), 46001, qint16(32), qint16(68)));
    EXPECT_EQ(rows[2].employee, QStringLiteral("Cy")); // in the order written
}

TEST_P(StoreTables, ApplicationFieldsInAnySpellingReachTheSameColumn)
{
    TestFolder folder(backend());
    ApplicationTable application(folder.database());
    EXPECT_EQ(application.read().value(QStringLiteral("KeepInSeconds")).toInt(), 3);
    EXPECT_TRUE(application.read().isNull(QStringLiteral("TipsWord")));
    EXPECT_TRUE(application.fieldNames().contains(QStringLiteral("ScreenInOutDays")));
    application.write({{QStringLiteral("EarlyLimit"), 15},
                       {QStringLiteral("TipsWord"), QStringLiteral("Tips \"€\"")},
                       {QStringLiteral("ForceAfter"), 12.5}});
    application.write({{QStringLiteral("latelimit"), 20}});
    const ApplicationTable::Row row = application.read();
    EXPECT_EQ(row.value(QStringLiteral("earlylimit")).toInt(), 15);
    EXPECT_EQ(row.value(QStringLiteral("LateLimit")).toInt(), 20);
    EXPECT_EQ(row.value(QStringLiteral("TIPSWORD")).toString(), QStringLiteral("Tips \"€\""));
    EXPECT_DOUBLE_EQ(row.value(QStringLiteral("ForceAfter")).toDouble(), 12.5);
    application.write({{QStringLiteral("TipsWord"), QVariant()}});
    EXPECT_TRUE(application.read().isNull(QStringLiteral("TipsWord")));
}

// A save that the row refuses keeps none of the program's own settings either, and a save that
// succeeds keeps both.
TEST_P(StoreTables, ApplicationRowAndProgramSettingsAreSavedWholeOrNotAtAll)
{
    TestFolder folder(backend());
    ApplicationTable application(folder.database());
    const QList<QPair<QString, QVariant>> program{{QStringLiteral("pay.seventh_day"), QStringLiteral("on")}};
    EXPECT_THROW(application.write({{QStringLiteral("No such field"), 1}}, program), DatabaseError);
    EXPECT_FALSE(ProgramSettingsTable(folder.database()).read().contains(QStringLiteral("pay.seventh_day")));

    application.write({{QStringLiteral("EarlyLimit"), 15}}, program);
    EXPECT_EQ(
        ProgramSettingsTable(folder.database()).read().value(QStringLiteral("pay.seventh_day")).toString(),
        QStringLiteral("on"));
}

TEST_P(StoreTables, SequenceWalkRunsFromTheFirstDayToTheFirstLaterDay)
{
    TestFolder folder(backend());
    ClockRecords records(folder.database());
    const QDate day(2026, 12, 1);
    // Day offsets in the order the rows were appended; a row of day 0 after day 1 is still walked.
    const int appended[] = {0, 1, 2, 1, 0, 3, 2, 1};
    for (int i = 0; i < int(std::size(appended)); ++i)
        records.append(
            punchRecord(QStringLiteral("A"), QDateTime(day.addDays(appended[i]), QTime(8, i)), false));
    const struct {
        int first;
        int last;
        QList<int> minutes; // the rows visited, by their minute
    } cases[] = {
        {0, 0, {0}},       {1, 1, {1}}, {1, 2, {1, 2, 3, 4}}, {0, 3, {0, 1, 2, 3, 4, 5, 6, 7}},
        {3, 3, {5, 6, 7}}, {4, 9, {}},
    };
    for (const auto& c : cases) {
        QList<int> minutes;
        RecordSequence::walk(folder.database(), DayNumber::of(day.addDays(c.first)),
                             DayNumber::of(day.addDays(c.last)),
                             [&](const ClockRecord& r) { minutes.append(r.time.time().minute()); });
        EXPECT_EQ(minutes, c.minutes) << c.first << ".." << c.last;
    }
    EXPECT_FALSE(RecordSequence::tableEmpty(folder.database()));
}
