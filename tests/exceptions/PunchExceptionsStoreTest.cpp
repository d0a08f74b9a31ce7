#include "BackendTest.h"
#include "PunchRecord.h"
#include "exceptions/PunchExceptions.h"
#include "store/ClockRecords.h"

#include <gtest/gtest.h>

using PunchExceptionsStoreTest = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(PunchExceptionsStoreTest);

TEST_P(PunchExceptionsStoreTest, ReadsThePeriodWithItsNeighbours)
{
    TestFolder folder(backend());
    ClockRecords records(folder.database());
    const auto add = [&](const char* id, QDateTime time, bool out, Mark mark = Mark::Normal) {
        ClockRecord r = punchRecord(QString::fromUtf8(id), time, out, QStringLiteral("Ann O'Neil"));
        r.options = static_cast<qint16>(mark);
        return records.append(r);
    };
    const QDate monday(2026, 6, 8);
    add("O'N", QDateTime(monday.addDays(-1), QTime(8, 0)), false); // the week before: only a neighbour
    const qint64 open = add("O'N", QDateTime(monday, QTime(8, 0)), false);
    const qint64 forced = add("O'N", QDateTime(monday, QTime(8, 1)), true, Mark::Forced);
    const qint64 lastIn = add("o'n", QDateTime(monday.addDays(6), QTime(22, 0)), false);
    add("O'N", QDateTime(monday.addDays(7), QTime(1, 0)), true); // closes the week's last IN late

    ExceptionQuery query{DayNumber::of(monday), DayNumber::of(monday.addDays(6)), QStringLiteral("o'n"), {}};
    ExceptionRules rules;
    rules.now = ReportRows::clockSeconds("2026-07-01 00:00:00");
    const QList<PunchException> list = PunchExceptions::load(folder.database(), query, rules);
    ASSERT_EQ(list.size(), 3);
    const struct {
        ExceptionKind kind;
        qint64 record;
        const char* time;
    } expected[] = {
        {ExceptionKind::DoubleIn, open, "2026-06-08 08:00:00"},
        {ExceptionKind::Forced, forced, "2026-06-08 08:01:00"},
        {ExceptionKind::NoOut, lastIn, "2026-06-14 22:00:00"},
    };
    for (qsizetype i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].kind, expected[i].kind) << i;
        EXPECT_EQ(list[i].recordNumber, expected[i].record) << i;
        EXPECT_EQ(PunchExceptions::timeText(list[i].time).toStdString(), expected[i].time) << i;
        EXPECT_EQ(list[i].employee, QStringLiteral("Ann O'Neil"));
    }
}
