#include "clock/ForcedClockOut.h"

#include "FakeTimeSource.h"
#include "TestFolder.h"
#include "settings/SettingsRecord.h"
#include "store/ClockRecords.h"
#include "store/DayNumber.h"

#include <gtest/gtest.h>

namespace {
const QDate today(2026, 12, 4);

QDateTime at(int daysAgo, int hour, int minute, int second = 0) {
    return QDateTime(today.addDays(-daysAgo), QTime(hour, minute, second));
}

struct Row {
    const char* id;
    QDateTime time;
    bool out;
};

class ForcedClockOutTest : public ::testing::Test {
protected:
    ForcedClockOutTest() {
        settings.forceClockOuts = true;
        settings.forceAfter = 12;
    }
    void add(const Row& row, std::optional<Money> tips = std::nullopt) {
        ClockRecord r;
        r.time = row.time;
        r.julian = DayNumber::of(row.time);
        r.employeeId = QString::fromLatin1(row.id);
        r.employee = QStringLiteral("Name ") + r.employeeId;
        r.clockOut = row.out;
        r.tips = tips;
        r.dnumber = 4;
        ClockRecords(folder.database()).append(r);
    }
    QList<ClockRecord> forced() {
        QList<ClockRecord> rows;
        for (const ClockRecord& r : ClockRecords(folder.database()).since(-100000)) {
            if (r.options == qint16(Mark::Forced))
                rows.append(r);
        }
        return rows;
    }
    int runAt(const QDateTime& now) {
        time.set(now);
        return ForcedClockOut(folder.database(), time).run(settings);
    }

    TestFolder folder;
    FakeTimeSource time;
    SettingsRecord settings;
};
} // namespace

TEST_F(ForcedClockOutTest, ClosesAnInOnlyOnceItIsOldEnough) {
    add({"A", at(0, 8, 0), false});
    EXPECT_EQ(runAt(at(0, 19, 45, 1)), 0); // 08:00 + 12 h is 20:00, still ahead
    EXPECT_TRUE(forced().isEmpty());
    EXPECT_EQ(runAt(at(0, 20, 45, 1)), 1);
    const QList<ClockRecord> outs = forced();
    ASSERT_EQ(outs.size(), 1);
    EXPECT_EQ(outs[0].time, at(0, 8, 1));
    EXPECT_EQ(outs[0].julian, DayNumber::of(today));
    EXPECT_TRUE(outs[0].clockOut);
    EXPECT_EQ(outs[0].employeeId, QStringLiteral("A"));
    EXPECT_EQ(outs[0].employee, QStringLiteral("Name A"));
    EXPECT_EQ(outs[0].dnumber, 4);
    ASSERT_TRUE(outs[0].tips.has_value()); // a Null IN gives a written 0
    EXPECT_EQ(outs[0].tips->units(), 0);
    EXPECT_EQ(outs[0].created, at(0, 20, 45, 1));
    // Closed now: the next pass leaves it alone.
    EXPECT_EQ(runAt(at(0, 21, 45, 1)), 0);
}

TEST_F(ForcedClockOutTest, DeadlineEqualToNowCloses) {
    add({"A", at(0, 8, 45, 1), false});
    EXPECT_EQ(runAt(at(0, 20, 45, 0)), 0);
    EXPECT_EQ(runAt(at(0, 20, 45, 1)), 1);
}

TEST_F(ForcedClockOutTest, InAtMidnightIsClosedOnTheNextDay) {
    add({"A", at(1, 23, 59), false});
    ASSERT_EQ(runAt(at(0, 12, 45, 1)), 1);
    EXPECT_EQ(forced().at(0).time, at(0, 0, 0));
    EXPECT_EQ(forced().at(0).julian, DayNumber::of(today));
}

TEST_F(ForcedClockOutTest, SelectsTheOpenInsOfEachEmployee) {
    const struct {
        const char* name;
        QList<Row> rows;
        QList<QDateTime> closedIns; // the INs that get a forced OUT, in employee order
    } cases[] = {
        {"two INs in a row: both judged on their own",
         {{"A", at(2, 8, 0), false}, {"A", at(1, 8, 0), false}, {"A", at(0, 9, 0), false}},
         {at(2, 8, 0), at(1, 8, 0)}}, // today's 09:00 is not twelve hours old yet
        {"an IN answered by an OUT stays", {{"A", at(1, 8, 0), false}, {"A", at(1, 17, 0), true}}, {}},
        {"the last row of an employee decides, whatever follows",
         {{"A", at(3, 8, 0), false}, {"B", at(0, 20, 0), false}, {"B", at(0, 20, 30), true}},
         {at(3, 8, 0)}},
        {"last row of the whole window",
         {{"A", at(1, 8, 0), true}, {"B", at(1, 9, 0), false}},
         {at(1, 9, 0)}},
        {"an IN older than nine days is never closed",
         {{"A", at(9, 8, 0), false}, {"B", at(8, 8, 0), false}},
         {at(8, 8, 0)}},
        {"IDs differing only in letter case are one employee",
         {{"a", at(2, 8, 0), false}, {"A", at(2, 17, 0), true}},
         {}},
        {"an OUT as last row closes nothing", {{"A", at(2, 17, 0), true}}, {}},
    };
    for (const auto& c : cases) {
        QList<ClockRecord> rows;
        for (const Row& row : c.rows) {
            ClockRecord r;
            r.employeeId = QString::fromLatin1(row.id);
            r.time = row.time;
            r.julian = DayNumber::of(row.time);
            r.clockOut = row.out;
            if (r.julian > DayNumber::of(today) - ForcedClockOut::windowDays)
                rows.append(r);
        }
        const QList<ClockRecord> outs = ForcedClockOut::forcedOuts(rows, at(0, 20, 45, 1), 720);
        QList<QDateTime> closed;
        for (const ClockRecord& out : outs)
            closed.append(out.time.addSecs(-60));
        EXPECT_EQ(closed, c.closedIns) << c.name;
    }
}

TEST_F(ForcedClockOutTest, TheStoredWindowIsTheLastNineDays) {
    add({"OLD", at(9, 8, 0), false});
    add({"EDGE", at(8, 8, 0), false});
    EXPECT_EQ(runAt(at(0, 10, 45, 1)), 1);
    ASSERT_EQ(forced().size(), 1);
    EXPECT_EQ(forced().at(0).employeeId, QStringLiteral("EDGE"));
}

TEST_F(ForcedClockOutTest, CopiesTipsAndFlagsOfTheIn) {
    ClockRecord in;
    in.time = at(1, 8, 0);
    in.julian = DayNumber::of(in.time);
    in.employeeId = QStringLiteral("A");
    in.tips = Money::fromUnits(125000);
    in.inEarly = true;
    in.outLate = true;
    const ClockRecord out = ForcedClockOut::closing(in, at(0, 9, 45, 1));
    EXPECT_EQ(out.tips, Money::fromUnits(125000));
    EXPECT_TRUE(out.inEarly && out.outLate);
    EXPECT_FALSE(out.inLate || out.outEarly);
    EXPECT_EQ(out.options, 3);
}

TEST_F(ForcedClockOutTest, DoesNothingWhenSwitchedOff) {
    add({"A", at(2, 8, 0), false});
    settings.forceClockOuts = false;
    EXPECT_EQ(runAt(at(0, 20, 45, 1)), 0);
    EXPECT_TRUE(forced().isEmpty());
}

TEST(ForcedClockOutLimit, WholeMinutesOfTheHours) {
    const std::pair<float, int> cases[] = {
        {12.0f, 720}, {0.5f, 30}, {23.0f, 1380}, {12.5f, 750}, {1.01f, 61}};
    for (const auto& [hours, minutes] : cases)
        EXPECT_EQ(ForcedClockOut::limitMinutes(hours), minutes) << hours;
}

namespace {
// A clock that, when read in the middle of a pass, tries to start another pass.
class ReenteringTime final : public TimeSource {
public:
    QDateTime now() const override {
        if (pass && !pass->isRunning())
            ADD_FAILURE() << "the pass should be running while it reads the time";
        if (pass && settings)
            innerResults.append(pass->run(*settings));
        return moment;
    }
    QDateTime moment;
    ForcedClockOut* pass = nullptr;
    const SettingsRecord* settings = nullptr;
    mutable QList<int> innerResults;
};
} // namespace

TEST_F(ForcedClockOutTest, ASecondPassIsRefusedWhileOneRuns) {
    add({"A", at(1, 8, 0), false});
    ReenteringTime clock;
    clock.moment = at(0, 20, 45, 1);
    ForcedClockOut pass(folder.database(), clock);
    clock.pass = &pass;
    clock.settings = &settings;
    EXPECT_EQ(pass.run(settings), 1);
    EXPECT_EQ(clock.innerResults, QList<int>{0});
    EXPECT_FALSE(pass.isRunning());
    EXPECT_EQ(forced().size(), 1); // written once, not twice
}

TEST(ForcedClockOutTrigger, RunsOnceAnHourOverADayOfTicks) {
    const QDateTime midnight(QDate(2026, 12, 4), QTime(0, 0));
    const struct {
        const char* name;
        int skippedHour; // the hour whose hh:45:01 no tick sees; -1 none
        int runs;
    } cases[] = {{"every tick seen", -1, 24}, {"one second missed", 10, 23}};
    for (const auto& c : cases) {
        ForcedClockOutTrigger trigger;
        QList<QTime> runs;
        for (qint64 ms = 0; ms < qint64(24) * 3600 * 1000; ms += 100) {
            const QDateTime now = midnight.addSecs(ms / 1000); // the time source has whole seconds
            const QTime t = now.time();
            if (t.hour() == c.skippedHour && t.minute() == 45 && t.second() == 1)
                continue;
            if (trigger.due(now))
                runs.append(t);
        }
        EXPECT_EQ(runs.size(), c.runs) << c.name;
        for (const QTime& t : runs)
            EXPECT_EQ(t.minute() * 60 + t.second(), 45 * 60 + 1) << c.name;
    }
}

TEST(ForcedClockOutTrigger, FlagIsClearedOnlyAtMinute47) {
    ForcedClockOutTrigger trigger;
    const QDate d(2026, 12, 4);
    EXPECT_TRUE(trigger.due(QDateTime(d, QTime(9, 45, 1))));
    // The clock set back to the same second before minute 47: no second run.
    EXPECT_FALSE(trigger.due(QDateTime(d, QTime(9, 45, 1))));
    EXPECT_FALSE(trigger.due(QDateTime(d, QTime(9, 46, 59))));
    EXPECT_FALSE(trigger.due(QDateTime(d, QTime(9, 47, 0))));
    EXPECT_TRUE(trigger.due(QDateTime(d, QTime(9, 45, 1))));
}
