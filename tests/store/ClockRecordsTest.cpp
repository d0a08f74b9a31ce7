#include "store/ClockRecords.h"

#include "PunchRecord.h"
#include "TestFolder.h"
#include "store/ApplicationTable.h"
#include "store/DayNumber.h"
#include "store/StaffTable.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

TEST(ClockRecords, LatestRecordAmongInterleavedEmployeesAndDays)
{
    TestFolder folder;
    ClockRecords records(folder.database());
    const QDate day(2026, 12, 1);
    // Three employees punching on three days, rows appended in the order they happened.
    const struct {
        const char* id;
        int dayOffset;
        int hour;
        bool out;
    } rows[] = {
        {"A", 0, 8, false}, {"B", 0, 8, false}, {"A", 0, 17, true}, {"C", 0, 22, false},
        {"B", 1, 9, true},  {"C", 1, 6, true},  {"A", 2, 8, false}, {"B", 2, 7, false},
    };
    for (const auto& r : rows)
        records.append(punchRecord(QString::fromLatin1(r.id),
                                   QDateTime(day.addDays(r.dayOffset), QTime(r.hour, 0)), r.out));

    const struct {
        const char* id;
        int dayOffset;
        bool out;
    } expected[] = {{"A", 2, false}, {"B", 2, false}, {"C", 1, true}};
    for (const auto& e : expected) {
        const auto latest = records.latestFor(QString::fromLatin1(e.id));
        ASSERT_TRUE(latest.has_value()) << e.id;
        EXPECT_EQ(latest->julian, DayNumber::of(day.addDays(e.dayOffset))) << e.id;
        EXPECT_EQ(latest->clockOut, e.out) << e.id;
    }
    EXPECT_FALSE(records.latestFor(QStringLiteral("D")).has_value());

    // A row appended afterwards for an earlier day does not become the latest; within one day
    // the last appended row wins, even with an earlier time.
    records.append(punchRecord(QStringLiteral("A"), QDateTime(day.addDays(1), QTime(9, 0)), true));
    EXPECT_FALSE(records.latestFor(QStringLiteral("A"))->clockOut);
    records.append(punchRecord(QStringLiteral("A"), QDateTime(day.addDays(2), QTime(7, 0)), true));
    EXPECT_TRUE(records.latestFor(QStringLiteral("A"))->clockOut);
}

TEST(ClockRecords, RecordNumbersGrowAndAreNeverReused)
{
    TestFolder folder;
    ClockRecords records(folder.database());
    const QDateTime t(QDate(2026, 12, 4), QTime(8, 0));
    const qint64 first = records.append(punchRecord(QStringLiteral("A"), t, false));
    const qint64 second = records.append(punchRecord(QStringLiteral("A"), t, true));
    EXPECT_GT(second, first);
    folder.database().execute(QStringLiteral(R"(DELETE FROM "In Out" WHERE "Record number" = ?)"), {second});
    EXPECT_GT(records.append(punchRecord(QStringLiteral("A"), t, true)), second);
}

TEST(ClockRecords, StoredRowKeepsEveryFieldAndQuotesInIds)
{
    TestFolder folder;
    ClockRecords records(folder.database());
    ClockRecord r =
        punchRecord(QStringLiteral("O'NEIL"), QDateTime(QDate(2026, 12, 4), QTime(23, 59, 59)), true);
    r.tips = Money::parse(QStringLiteral("12.5"));
    r.dnumber = 7;
    r.options = 6;
    r.inLate = true;
    r.employee = QStringLiteral("Ann \"Quote\" O'Neil");
    r.recordNumber = records.append(r);

    QSqlQuery raw(folder.database().connection());
    ASSERT_TRUE(
        raw.exec(QStringLiteral(R"(SELECT "Time", "Tips", "Created", typeof("Julian") FROM "In Out")")));
    ASSERT_TRUE(raw.next());
    EXPECT_EQ(raw.value(0).toString(), QStringLiteral("2026-12-04 23:59:59"));
    EXPECT_EQ(raw.value(1).toLongLong(), 125000);
    EXPECT_EQ(raw.value(2).toString(), QStringLiteral("2026-12-04 23:59:59"));
    EXPECT_EQ(raw.value(3).toString(), QStringLiteral("integer"));

    const ClockRecord back = *records.latestFor(QStringLiteral("O'NEIL"));
    EXPECT_EQ(std::tie(back.time, back.julian, back.employee, back.tips, back.dnumber, back.options),
              std::tie(r.time, r.julian, r.employee, r.tips, r.dnumber, r.options));
    EXPECT_TRUE(back.inLate && !back.outLate && back.clockOut);
    EXPECT_EQ(back.recordNumber, r.recordNumber);
}

TEST(StaffTable, FindsIdsWithoutRegardToCaseAndReplacesWhole)
{
    TestFolder folder;
    StaffTable staff(folder.database());
    staff.replaceAll({{QStringLiteral("Ann"), 1, 46360, QStringLiteral("ab1"), 2, 32, 68},
                      {QStringLiteral("Bo"), 2, 46360, QStringLiteral("O'NEIL"), 0, 0, 0}});
    ASSERT_TRUE(staff.find(QStringLiteral("AB1")).has_value());
    EXPECT_EQ(staff.find(QStringLiteral("AB1"))->stop, 68);
    EXPECT_TRUE(staff.find(QStringLiteral("o'neil")).has_value());
    staff.replaceAll({{QStringLiteral("Cy"), 3, 46360, QStringLiteral("C"), 0, 0, 0}});
    EXPECT_FALSE(staff.find(QStringLiteral("AB1")).has_value());
    EXPECT_EQ(staff.all().size(), 1);
}

TEST(ApplicationTable, FieldSpellingsReachOneColumn)
{
    TestFolder folder;
    ApplicationTable table(folder.database());
    table.write(
        {{QStringLiteral("ScreenINOUTdays"), 5}, {QStringLiteral("LateINMessage"), QStringLiteral("x")}});
    const ApplicationTable::Row row = table.read();
    for (const char* name : {"ScreenInOutDays", "ScreenINOUTDays", "screeninoutdays"})
        EXPECT_EQ(row.value(QString::fromLatin1(name)).toInt(), 5) << name;
    EXPECT_EQ(row.value(QStringLiteral("LateINmessage")).toString(), QStringLiteral("x"));
    EXPECT_TRUE(row.isNull(QStringLiteral("NoSuchField")));
}
