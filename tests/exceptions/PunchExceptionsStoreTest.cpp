#include "BackendTest.h"
#include "PunchRecord.h"
#include "exceptions/PunchExceptions.h"
#include "store/ClockRecords.h"
#include "store/EditHistory.h"
#include "store/HistoryWords.h"
#include "store/RecordEdits.h"

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
    add("O'N", QDateTime(monday.addDays(7), QTime(11, 0)), true); // too late to close the week's last IN

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

namespace {
// Kind and record of each exception, with "+" for a resolved one.
std::string listed(const QList<PunchException>& list)
{
    QStringList names;
    for (const PunchException& e : list)
        names.append(PunchExceptions::kindName(e.kind) + QLatin1Char('#') + QString::number(e.recordNumber) +
                     (e.resolution ? QStringLiteral("+") : QString()));
    return names.join(QLatin1Char(' ')).toStdString();
}
} // namespace

TEST_P(PunchExceptionsStoreTest, AResolutionHoldsUntilTheRecordsBehindItChange)
{
    TestFolder folder(backend());
    Database& database = folder.database();
    ClockRecords records(database);
    const QDate monday(2026, 6, 8);
    const auto add = [&](int day, QTime time, bool out) {
        return records.append(punchRecord(QStringLiteral("O'N"), QDateTime(monday.addDays(day), time), out));
    };
    const qint64 longIn = add(0, QTime(7, 0), false);
    const qint64 longOut = add(0, QTime(20, 0), true);
    const qint64 open = add(1, QTime(8, 0), false);
    ClockRecord someoneElse =
        punchRecord(QStringLiteral("B2"), QDateTime(monday.addDays(2), QTime(8, 0)), false);
    const qint64 other = records.append(someoneElse);

    ExceptionQuery query{DayNumber::of(monday), DayNumber::of(monday.addDays(6)), {}, {}};
    ExceptionQuery all = query;
    all.includeResolved = true;
    ExceptionRules rules;
    rules.now = ReportRows::clockSeconds("2026-07-01 00:00:00");
    const EditStamp stamp{QDateTime(QDate(2026, 7, 1), QTime(9, 0)), QStringLiteral("ann")};
    const auto num = [](qint64 n) {
        return std::to_string(n);
    };
    const std::string longShift = "long-shift#" + num(longOut);
    const std::string noOut = "no-out#" + num(open);
    const std::string otherOpen = "no-out#" + num(other);
    ASSERT_EQ(listed(PunchExceptions::load(database, query, rules)),
              longShift + " " + noOut + " " + otherOpen);

    // A kind the record does not have, and a record that is not there, resolve nothing.
    EXPECT_FALSE(PunchExceptions::resolve(database, longOut, ExceptionKind::NoIn, {}, rules, stamp));
    EXPECT_FALSE(PunchExceptions::resolve(database, 999999, ExceptionKind::LongShift, {}, rules, stamp));

    const auto resolved = PunchExceptions::resolve(database, longOut, ExceptionKind::LongShift,
                                                   QStringLiteral(" stocktaking "), rules, stamp);
    ASSERT_TRUE(resolved && resolved->resolution);
    ASSERT_TRUE(PunchExceptions::resolve(database, open, ExceptionKind::NoOut, {}, rules, stamp));
    EXPECT_EQ(listed(PunchExceptions::load(database, query, rules)), otherOpen);
    const QList<PunchException> both = PunchExceptions::load(database, all, rules);
    EXPECT_EQ(listed(both), longShift + "+ " + noOut + "+ " + otherOpen);
    ASSERT_FALSE(both.isEmpty());
    EXPECT_EQ(both[0].resolution->note, QStringLiteral("stocktaking"));
    EXPECT_EQ(both[0].resolution->user, QStringLiteral("ann"));
    EXPECT_EQ(both[0].resolution->when, stamp.when);

    // The chain shows who resolved what, and stays intact.
    EditHistory history(database);
    const QList<HistoryEntry> entries = history.entriesFor(longOut);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].user, QStringLiteral("ann"));
    EXPECT_EQ(HistoryWords::change(entries[0], false),
              QStringLiteral("Exception resolved: long-shift, stocktaking"));
    EXPECT_TRUE(history.verify().intact) << history.verify().reason.toStdString();

    // Someone else's record changed, and the employee's next punches after the open IN (an IN that
    // is one in a row), leave both resolved.
    RecordEdits edits(database);
    std::optional<ClockRecord> changed = edits.find(other);
    ASSERT_TRUE(changed);
    changed->time = changed->time.addSecs(600);
    ASSERT_TRUE(edits.update(*changed, stamp));
    const qint64 next = add(3, QTime(8, 0), false);
    add(3, QTime(16, 0), true);
    const std::string nextIn = "double-in#" + num(next);
    EXPECT_EQ(listed(PunchExceptions::load(database, query, rules)), otherOpen + " " + nextIn);

    // The IN of the long shift moved, still a long shift: open again.
    changed = edits.find(longIn);
    ASSERT_TRUE(changed);
    changed->time = changed->time.addSecs(1800);
    ASSERT_TRUE(edits.update(*changed, stamp));
    EXPECT_EQ(listed(PunchExceptions::load(database, query, rules)),
              longShift + " " + otherOpen + " " + nextIn);
    // Resolved again on the records as they are now, it holds again.
    ASSERT_TRUE(PunchExceptions::resolve(database, longOut, ExceptionKind::LongShift, {}, rules, stamp));
    EXPECT_EQ(listed(PunchExceptions::load(database, query, rules)), otherOpen + " " + nextIn);
    // An OUT put in on the open IN's day ends that exception and the next day's double IN.
    ClockRecord closing =
        punchRecord(QStringLiteral("O'N"), QDateTime(monday.addDays(1), QTime(17, 0)), true);
    edits.insert(closing, stamp);
    EXPECT_EQ(listed(PunchExceptions::load(database, all, rules)), longShift + "+ " + otherOpen);
    EXPECT_TRUE(history.verify().intact) << history.verify().reason.toStdString();
}
