#include "store/ClockRecords.h"

#include "BackendTest.h"
#include "PunchRecord.h"
#include "store/DayNumber.h"

#include <QRegularExpression>
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

namespace {
struct Row {
    const char* id;
    int day; // of December 2026
    const char* time;
    bool out;
};

QList<qint64> appendAll(ClockRecords& records, std::initializer_list<Row> rows)
{
    QList<qint64> numbers;
    for (const Row& r : rows)
        numbers.append(records.append(punchRecord(
            QString::fromLatin1(r.id),
            QDateTime(QDate(2026, 12, r.day), QTime::fromString(QString::fromLatin1(r.time))), r.out)));
    return numbers;
}

// "id day hh:mm:ss in|out", one per record, as a failing case shows them.
QStringList shown(const QList<ClockRecord>& records)
{
    QStringList lines;
    for (const ClockRecord& r : records)
        lines.append(QStringLiteral("%1 %2 %3")
                         .arg(r.employeeId, r.time.toString(QStringLiteral("d HH:mm:ss")),
                              r.clockOut ? QStringLiteral("out") : QStringLiteral("in")));
    return lines;
}
} // namespace

TEST_P(ClockRecordsTest, LatestOfEachGoesByTimeThenRecordNumberWithinTheDays)
{
    TestFolder folder(backend());
    ClockRecords records(folder.database());
    appendAll(records, {
                           {"B", 3, "08:00:00", false},
                           {"B", 3, "17:00:00", true},
                           {"B", 3, "12:00:00", false}, // put in later for earlier: not the latest
                           {"A", 2, "09:00:00", false},
                           {"A", 2, "09:00:00", true}, // the same second: the later record stands
                           {"c", 1, "08:00:00", false},
                           {"C", 1, "16:00:00", true}, // one employee in two letter cases
                           {" D ", 2, "07:00:00", false},
                           {"D", 2, "06:00:00", true},  // and with blanks around the ID
                           {"E", 4, "08:00:00", false}, // after the last day asked for
                           {"E", 1, "10:00:00", true},
                           {"F", 5, "08:00:00", false},
                           {"  ", 2, "10:00:00", false}, // no ID: nowhere
                       });
    const QDate first(2026, 12, 1);
    const struct {
        const char* name;
        int firstDay;
        int lastDay;
        QStringList latest;
    } cases[] = {
        {"days 1 to 4",
         1,
         4,
         {" D  2 07:00:00 in", "A 2 09:00:00 out", "B 3 17:00:00 out", "C 1 16:00:00 out",
          "E 4 08:00:00 in"}},
        {"days 1 to 3 leave E's later IN out",
         1,
         3,
         {" D  2 07:00:00 in", "A 2 09:00:00 out", "B 3 17:00:00 out", "C 1 16:00:00 out",
          "E 1 10:00:00 out"}},
        {"from day 3 on, open at the end", 3, 0, {"B 3 17:00:00 out", "E 4 08:00:00 in", "F 5 08:00:00 in"}},
        {"no records in the days", 6, 9, {}},
    };
    for (const auto& c : cases) {
        const qint32 from = DayNumber::of(first.addDays(c.firstDay - 1));
        const QList<ClockRecord> latest =
            c.lastDay == 0 ? records.latestOfEach(from)
                           : records.latestOfEach(from, DayNumber::of(first.addDays(c.lastDay - 1)));
        EXPECT_EQ(shown(latest), c.latest) << c.name;
    }
}

TEST_P(ClockRecordsTest, OpenInsAreThoseNoOutAnswersWithTheirNextRecordAndEachSequencesEnd)
{
    TestFolder folder(backend());
    ClockRecords records(folder.database());
    appendAll(records, {
                           {"A", 1, "08:00:00", false}, // answered by another IN: open
                           {"A", 2, "08:00:00", false},
                           {"A", 2, "17:00:00", true},
                           {"b", 1, "08:00:00", false},
                           {"B", 1, "17:00:00", true}, // answered, in another letter case
                           {"C", 3, "08:00:00", false},
                           {"C", 3, "08:00:00", true}, // the same second: answered
                           {"D", 2, "09:00:00", true}, // put in later, earlier than the IN it precedes
                           {"D", 1, "22:00:00", false},
                           {"E", 1, "08:00:00", false}, // never answered, last of its employee
                           {"F", 3, "08:00:00", false},
                           {"F", 2, "08:00:00", false}, // put in later for earlier: open
                           {"G", 2, "17:00:00", true},
                           {"G", 2, "08:00:00", false}, // put in later for earlier the same day
                       });
    // Each open IN with its next record's time, then how each sequence ends.
    const auto face = [](qint64 seconds) {
        return QStringLiteral("%1 %2")
            .arg(DayNumber::toDate(static_cast<qint32>(seconds / 86400)).day())
            .arg(QTime::fromMSecsSinceStartOfDay(int(seconds % 86400) * 1000).toString(u"HH:mm:ss"));
    };
    const auto shownOpen = [&records, &face](const QDate& after, ClockRecords::NextTimes nextTimes =
                                                                     ClockRecords::NextTimes::Wanted) {
        const ClockRecords::OpenIns open = records.openInsAfter(DayNumber::of(after), nextTimes);
        QStringList lines;
        for (const ClockRecords::OpenIn& in : open.ins)
            lines.append(in.employeeId + QLatin1Char(' ') + face(in.time) + QStringLiteral(" in") +
                         (in.next ? QStringLiteral(" > ") + face(*in.next) : QString()));
        QStringList ends;
        for (auto end = open.ends.cbegin(); end != open.ends.cend(); ++end)
            ends.append(
                QStringLiteral("%1 ends %2 #%3").arg(end.key(), face(end->time)).arg(end->recordNumber));
        ends.sort();
        return lines + ends;
    };
    EXPECT_EQ(shownOpen(QDate(2026, 11, 30)),
              (QStringList{"A 1 08:00:00 in > 2 08:00:00", "E 1 08:00:00 in", "F 2 08:00:00 in > 3 08:00:00",
                           "F 3 08:00:00 in", "employee A ends 2 17:00:00 #3",
                           "employee B ends 1 17:00:00 #5", "employee C ends 3 08:00:00 #7",
                           "employee D ends 2 09:00:00 #8", "employee E ends 1 08:00:00 #10",
                           "employee F ends 3 08:00:00 #11", "employee G ends 2 17:00:00 #13"}));
    // Days that start after A's first IN no longer see it, nor B's two ways of writing its ID.
    EXPECT_EQ(shownOpen(QDate(2026, 12, 1)),
              (QStringList{"F 2 08:00:00 in > 3 08:00:00", "F 3 08:00:00 in", "employee A ends 2 17:00:00 #3",
                           "employee C ends 3 08:00:00 #7", "employee D ends 2 09:00:00 #8",
                           "employee F ends 3 08:00:00 #11", "employee G ends 2 17:00:00 #13"}));
    // Without next times, the same INs and ends.
    for (const QDate& after : {QDate(2026, 11, 30), QDate(2026, 12, 1)}) {
        QStringList expected = shownOpen(after);
        expected.replaceInStrings(QRegularExpression(QStringLiteral(" > .*")), QString());
        EXPECT_EQ(shownOpen(after, ClockRecords::NextTimes::NotWanted), expected) << after.day();
    }
}
