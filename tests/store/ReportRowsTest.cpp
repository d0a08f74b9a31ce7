#include "store/ReportRows.h"

#include "BackendTest.h"
#include "PunchRecord.h"
#include "store/ClockRecords.h"

#include <gtest/gtest.h>

namespace {
ClockRecord punch(const char* id, const char* name, int dnumber, int day, int hour, bool out = false)
{
    ClockRecord r = punchRecord(QString::fromUtf8(id), QDateTime(QDate(2026, 12, day), QTime(hour, 0)), out,
                                QString::fromUtf8(name));
    r.dnumber = dnumber;
    return r;
}

QStringList idsOf(const QList<ReportRow>& rows)
{
    QStringList ids;
    for (const ReportRow& r : rows)
        ids.append(r.employeeId + QLatin1Char('@') + QString::number(r.time % 86400 / 3600));
    return ids;
}
} // namespace

using ReportRowsTest = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(ReportRowsTest);

TEST_P(ReportRowsTest, SelectsThePeriodInReportOrder)
{
    TestFolder folder(backend());
    ClockRecords records(folder.database());
    for (const ClockRecord& r :
         {punch("z'9", "bob", 2, 2, 9), punch("Y1", "Ann", 1, 2, 8), punch("x2", "ann", 2, 3, 7),
          punch("Y1", "Ann", 1, 1, 6), punch("Y1", "Ann", 1, 2, 5), punch("W", "Al", 3, 4, 1),
          punch("y1", "ANN", 1, 3, 4), punch("V", "Zed", 1, 5, 1)})
        records.append(r);
    const qint32 first = DayNumber::of(QDate(2026, 12, 2));
    const qint32 last = DayNumber::of(QDate(2026, 12, 3));
    // Names and then IDs without regard to case; days 1, 4 and 5 are outside.
    EXPECT_EQ(idsOf(ReportRows::select(folder.database(), first, last, ReportRows::Order::Employee)),
              (QStringList{"x2@7", "Y1@5", "Y1@8", "y1@4", "z'9@9"}));
    EXPECT_EQ(idsOf(ReportRows::select(folder.database(), first, last, ReportRows::Order::Department)),
              (QStringList{"Y1@5", "Y1@8", "y1@4", "x2@7", "z'9@9"}));
}

TEST(ReportRows, StoredTimeText)
{
    EXPECT_EQ(ReportRows::clockSeconds("1899-12-31 00:00:01"), 86401);
    EXPECT_EQ(ReportRows::clockSeconds("2026-12-04"), qint64(46360) * 86400);
    EXPECT_EQ(ReportRows::clockSeconds("2026-12-04 23:59:59"), qint64(46360) * 86400 + 86399);
    for (const char* bad : {"", "2026-12-04 24:00:00", "2026-02-30 08:00:00", "04.12.2026", "2026-12-04T08"})
        EXPECT_EQ(ReportRows::clockSeconds(bad), -1) << bad;
}
