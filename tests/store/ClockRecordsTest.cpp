#include "store/ClockRecords.h"

#include "BackendTest.h"
#include "PunchRecord.h"
#include "store/DayNumber.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using ClockRecordsTest = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(ClockRecordsTest);

TEST_P(ClockRecordsTest, LatestRecordAmongInterleavedEmployeesAndDays)
{
    TestFolder folder(backend());
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
        const auto latest = records.latestPunchFor(QString::fromLatin1(e.id));
        ASSERT_TRUE(latest.has_value()) << e.id;
        EXPECT_EQ(latest->time.date(), day.addDays(e.dayOffset)) << e.id;
        EXPECT_EQ(latest->clockOut, e.out) << e.id;
    }
    EXPECT_FALSE(records.latestPunchFor(QStringLiteral("D")).has_value());

    // A row appended afterwards for an earlier day does not become the latest; within one day
    // the last appended row wins, even with an earlier time.
    records.append(punchRecord(QStringLiteral("A"), QDateTime(day.addDays(1), QTime(9, 0)), true));
    EXPECT_FALSE(records.latestPunchFor(QStringLiteral("A"))->clockOut);
    records.append(punchRecord(QStringLiteral("A"), QDateTime(day.addDays(2), QTime(7, 0)), true));
    EXPECT_TRUE(records.latestPunchFor(QStringLiteral("A"))->clockOut);
}

TEST_P(ClockRecordsTest, RecordNumbersGrowAndAreNeverReused)
{
    TestFolder folder(backend());
    ClockRecords records(folder.database());
    const QDateTime t(QDate(2026, 12, 4), QTime(8, 0));
    const qint64 first = records.append(punchRecord(QStringLiteral("A"), t, false));
    const qint64 second = records.append(punchRecord(QStringLiteral("A"), t, true));
    EXPECT_GT(second, first);
    folder.database().execute(QStringLiteral(R"(DELETE FROM "In Out" WHERE "Record number" = ?)"), {second});
    EXPECT_GT(records.append(punchRecord(QStringLiteral("A"), t, true)), second);
}

TEST_P(ClockRecordsTest, StoredRowKeepsEveryFieldAndQuotesInIds)
{
    TestFolder folder(backend());
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
    const QString typeOf = folder.database().isServer() ? QStringLiteral(R"(pg_typeof("Julian")::text)")
                                                        : QStringLiteral(R"(typeof("Julian"))");
    ASSERT_TRUE(
        raw.exec(QStringLiteral(R"(SELECT "Time", "Tips", "Created", %1 FROM "In Out")").arg(typeOf)));
    ASSERT_TRUE(raw.next());
    EXPECT_EQ(raw.value(0).toString(), QStringLiteral("2026-12-04 23:59:59"));
    EXPECT_EQ(raw.value(1).toLongLong(), 125000);
    EXPECT_EQ(raw.value(2).toString(), QStringLiteral("2026-12-04 23:59:59"));
    EXPECT_EQ(raw.value(3).toString(), QStringLiteral("integer"));

    const ClockRecord back = records.since(0).last();
    EXPECT_EQ(std::tie(back.time, back.julian, back.employee, back.tips, back.dnumber, back.options),
              std::tie(r.time, r.julian, r.employee, r.tips, r.dnumber, r.options));
    EXPECT_TRUE(back.inLate && !back.outLate && back.clockOut);
    EXPECT_EQ(back.recordNumber, r.recordNumber);
}
