#include "clock/ForcedClockOut.h"

#include "BackendTest.h"
#include "FakeTimeSource.h"
#include "PunchRecord.h"
#include "TestProgram.h"
#include "settings/SettingsRecord.h"
#include "store/ClockRecords.h"
#include "store/DayNumber.h"
#include "store/RecordEdits.h"
#include "store/StaffRebuild.h"
#include "store/StaffTable.h"

#include <gtest/gtest.h>

namespace {
const QDate today(2026, 12, 4);

QDateTime at(int daysAgo, int hour, int minute, int second = 0)
{
    return QDateTime(today.addDays(-daysAgo), QTime(hour, minute, second));
}

ClockRecord row(const char* id, const QDateTime& time, bool out)
{
    return punchRecord(QString::fromLatin1(id), time, out);
}
} // namespace

using ForcedClockOutPass = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(ForcedClockOutPass);

TEST_P(ForcedClockOutPass, ClosesInsLeftOpenOneMinuteAfterThem)
{
    const struct {
        const char* name;
        QList<ClockRecord> rows; // stored in this order
        QDateTime now;
        QList<QDateTime> outs;
    } cases[] = {
        {"08:00 + 12 h is still ahead at 19:45", {row("A", at(0, 8, 0), false)}, at(0, 19, 45, 1), {}},
        {"closed at the 20:45 run", {row("A", at(0, 8, 0), false)}, at(0, 20, 45, 1), {at(0, 8, 1)}},
        {"deadline equal to now closes",
         {row("A", at(0, 8, 45, 1), false)},
         at(0, 20, 45, 1),
         {at(0, 8, 46, 1)}},
        {"IN at 23:59 closed at midnight", {row("A", at(1, 23, 59), false)}, at(0, 12, 45, 1), {at(0, 0, 0)}},
        {"two INs in a row: each judged on its own",
         {row("A", at(1, 8, 0), false), row("A", at(0, 9, 0), false)},
         at(0, 20, 45, 1),
         {at(1, 8, 1)}},
        {"an answered IN stays",
         {row("A", at(1, 8, 0), false), row("A", at(1, 17, 0), true)},
         at(0, 20, 45, 1),
         {}},
        {"an employee's last row decides, whatever follows",
         {row("A", at(3, 8, 0), false), row("B", at(0, 20, 0), false), row("B", at(0, 20, 30), true)},
         at(0, 20, 45, 1),
         {at(3, 8, 1)}},
        {"IDs differing in letter case are one employee",
         {row("a", at(2, 8, 0), false), row("A", at(2, 17, 0), true)},
         at(0, 20, 45, 1),
         {}},
        {"an OUT stored before the IN it answers still answers it",
         {row("A", at(2, 17, 0), true), row("A", at(2, 8, 0), false)},
         at(0, 20, 45, 1),
         {}},
    };
    for (const auto& c : cases) {
        TestFolder folder(backend());
        ClockRecords records(folder.database());
        for (const ClockRecord& r : c.rows)
            records.append(r);
        const ClockRecords::OpenIns open =
            records.openInsAfter(DayNumber::of(today) - ForcedClockOut::windowDays);
        QList<QDateTime> times;
        for (const ForcedClockOut::Due& due : ForcedClockOut::closingsDue(open.ins, c.now, 720))
            times.append(due.at);
        EXPECT_EQ(times, c.outs) << c.name;
    }
}

TEST(ForcedClockOut, PutsTheOutWhereTheSettingChoosesWhenItClosesTheIn)
{
    using T = ForcedOutTime;
    const struct {
        const char* name;
        T time;
        std::optional<int> stop; // on the first IN's day, in minutes
        QList<ClockRecord> rows;
        QDateTime out;
    } cases[] = {
        {"a minute after the IN", T::MinuteAfterIn, 17 * 60, {row("A", at(0, 8, 0), false)}, at(0, 8, 1)},
        {"the limit", T::Limit, {}, {row("A", at(0, 8, 0), false)}, at(0, 20, 0)},
        {"the scheduled stop", T::ScheduledStop, 17 * 60, {row("A", at(0, 8, 0), false)}, at(0, 17, 0)},
        {"yesterday's stop", T::ScheduledStop, 23 * 60, {row("A", at(1, 22, 0), false)}, at(1, 23, 0)},
        {"a stop at 24:00 is the next midnight",
         T::ScheduledStop,
         24 * 60,
         {row("A", at(1, 20, 0), false)},
         at(0, 0, 0)},
        {"no stop that day", T::ScheduledStop, {}, {row("A", at(0, 8, 0), false)}, at(0, 8, 1)},
        {"a stop before the IN", T::ScheduledStop, 7 * 60, {row("A", at(0, 8, 0), false)}, at(0, 8, 1)},
        {"a stop at the IN", T::ScheduledStop, 8 * 60, {row("A", at(0, 8, 0), false)}, at(0, 8, 1)},
        {"a stop still ahead", T::ScheduledStop, 21 * 60, {row("A", at(0, 8, 0), false)}, at(0, 8, 1)},
        {"a stop after the next IN",
         T::ScheduledStop,
         17 * 60,
         {row("A", at(0, 8, 0), false), row("A", at(0, 13, 0), false)},
         at(0, 8, 1)},
        {"a stop just before the next IN",
         T::ScheduledStop,
         17 * 60,
         {row("A", at(0, 8, 0), false), row("A", at(0, 17, 0, 1), false)},
         at(0, 17, 0)},
        {"the limit after the next IN",
         T::Limit,
         {},
         {row("A", at(0, 8, 0), false), row("A", at(0, 20, 0), false)},
         at(0, 8, 1)},
    };
    for (const auto& c : cases) {
        const QDate inDay = c.rows.first().time.date();
        const auto stops = [&](const QString&, const QDate& day) {
            return day == inDay ? c.stop : std::nullopt;
        };
        TestFolder folder(Backend::File);
        ClockRecords records(folder.database());
        for (const ClockRecord& r : c.rows)
            records.append(r);
        const QList<ForcedClockOut::Due> due = ForcedClockOut::closingsDue(
            records.openInsAfter(DayNumber::of(today) - ForcedClockOut::windowDays).ins, at(0, 20, 45, 1),
            720, {c.time, stops});
        ASSERT_EQ(due.size(), 1) << c.name;
        EXPECT_EQ(due[0].at, c.out) << c.name;
    }
}

TEST(ForcedClockOut, ScheduledStopsComeFromTheEmployeeSource)
{
    TestProgram program(at(0, 20, 45, 1));
    Session& session = program.session;
    Employee ann;
    ann.employeeNumber = 1;
    ann.employeeId = QStringLiteral("A1");
    const int friday = StaffRebuild::weekdayOf(today);
    ann.schedule.setSlot(friday, 1, 32, 48); // 08:00 - 12:00
    ann.schedule.setSlot(friday, 2, 52, 70); // 13:00 - 17:30
    EmployeeList list;
    list.entries = {ann};
    session.setEmployees(list);
    StaffTable(program.database())
        .replaceAll({{QStringLiteral("Ann"), 1, DayNumber::of(today), QStringLiteral("A1"), 0, 32, 66}});

    const struct {
        EmployeeSource source;
        const char* id;
        QDate day;
        std::optional<int> stop;
    } cases[] = {
        {EmployeeSource::LocalFiles, " a1", today, 17 * 60 + 30},
        {EmployeeSource::LocalFiles, "A1", today.addDays(-1), std::nullopt},
        {EmployeeSource::LocalFiles, "B2", today, std::nullopt},
        {EmployeeSource::SchedulingDatabase, "a1", today, 16 * 60 + 30},
        {EmployeeSource::SchedulingDatabase, "A1", today.addDays(-1), std::nullopt},
        {EmployeeSource::None, "A1", today, std::nullopt},
    };
    for (const auto& c : cases) {
        session.setEmployeeSource(c.source);
        const ScheduledStops stops = ForcedClockOut::scheduledStopsOf(session, program.database());
        EXPECT_EQ(stops ? stops(QString::fromLatin1(c.id), c.day) : std::nullopt, c.stop)
            << int(c.source) << " " << c.id << " " << c.day.toString(Qt::ISODate).toStdString();
    }
}

TEST_P(ForcedClockOutPass, PassOverTheLastNineDaysWritesCompleteOuts)
{
    TestFolder folder(backend());
    ClockRecords records(folder.database());
    records.append(row("OLD", at(9, 8, 0), false)); // outside the nine days: never closed
    ClockRecord edge = row("EDGE", at(8, 8, 0), false);
    edge.dnumber = 4;
    edge.inEarly = edge.outLate = true;
    records.append(edge);
    FakeTimeSource time(at(0, 20, 45, 1));
    SettingsRecord settings;
    settings.forceAfter = 12;
    ForcedClockOut pass(folder.database(), time);
    EXPECT_EQ(pass.run(settings), 0); // switched off
    settings.forceClockOuts = true;
    ASSERT_EQ(pass.run(settings), 1);
    EXPECT_EQ(pass.run(settings), 0); // closed now

    ClockRecord out;
    for (const ClockRecord& r : records.since(0))
        out = r.clockOut ? r : out;
    EXPECT_EQ(std::tuple(out.employeeId, out.time, out.options, out.dnumber),
              std::tuple(QStringLiteral("EDGE"), at(8, 8, 1), qint16(3), qint32(4)));
    EXPECT_EQ(out.tips, Money()); // a Null on the IN is written as 0
    EXPECT_TRUE(out.inEarly && out.outLate && !out.inLate && !out.outEarly);
    EXPECT_EQ(out.created, at(0, 20, 45, 1));
    EXPECT_EQ(ForcedClockOut::limitMinutes(12.5f), 750);
}

namespace {
// A clock that, read in the middle of a pass, tries to start another one.
class ReenteringTime final : public TimeSource {
public:
    QDateTime now() const override
    {
        if (pass)
            innerResults.append(pass->run(*settings));
        return at(0, 20, 45, 1);
    }
    ForcedClockOut* pass = nullptr;
    const SettingsRecord* settings = nullptr;
    mutable QList<int> innerResults;
};
} // namespace

TEST_P(ForcedClockOutPass, ASecondPassIsRefusedWhileOneRuns)
{
    TestFolder folder(backend());
    ClockRecords(folder.database()).append(row("A", at(1, 8, 0), false));
    SettingsRecord settings;
    settings.forceClockOuts = true;
    ReenteringTime clock;
    ForcedClockOut pass(folder.database(), clock);
    clock.pass = &pass;
    clock.settings = &settings;
    EXPECT_EQ(pass.run(settings), 1);
    EXPECT_EQ(clock.innerResults, QList<int>{0});
    EXPECT_FALSE(pass.isRunning());
    EXPECT_EQ(ClockRecords(folder.database()).since(0).size(), 2); // one forced OUT, not two
}

TEST(ForcedClockOutTrigger, RunsOnceAnHourOverADayOfTicks)
{
    const QDateTime midnight(today, QTime(0, 0));
    for (const int skippedHour : {-1, 10}) { // 10: no tick sees 10:45:01
        ForcedClockOutTrigger trigger;
        QList<QTime> runs;
        for (qint64 ms = 0; ms < qint64(24) * 3600 * 1000; ms += 100) {
            const QDateTime now = midnight.addSecs(ms / 1000); // the time source has whole seconds
            if (now.time().hour() == skippedHour && now.time().minute() == 45 && now.time().second() == 1)
                continue;
            if (trigger.due(now))
                runs.append(now.time());
        }
        EXPECT_EQ(runs.size(), skippedHour < 0 ? 24 : 23);
        for (const QTime& t : runs)
            EXPECT_EQ(t.minute() * 60 + t.second(), 45 * 60 + 1);
    }
}

namespace {
// One employee's records as the pass leaves them, in time order: "I" or "O" with the time.
QStringList sequenceOf(Database& database, const QString& id)
{
    QStringList seen;
    for (const ClockRecord& r : ClockRecords(database).since(0)) {
        if (r.employeeId == id)
            seen.append((r.clockOut ? QStringLiteral("O ") : QStringLiteral("I ")) +
                        r.time.toString(QStringLiteral("d HH:mm")));
    }
    return seen;
}
} // namespace

// Corrections by hand leave an employee's highest record number somewhere before their latest row by
// time; the pass must still close the open IN at the end of that employee's sequence.
TEST_P(ForcedClockOutPass, ClosesTheLatestInAfterCorrectionsByHand)
{
    const QDate dec(2026, 12, 1);
    const auto on = [&](int day, int hour, int minute) {
        return QDateTime(dec.addDays(day - 1), QTime(hour, minute));
    };
    TestFolder folder(backend());
    Database& db = folder.database();
    ClockRecords records(db);
    RecordEdits edits(db);
    const EditStamp stamp{on(7, 12, 0), QStringLiteral("manager")};
    // X1: a missing OUT for the 2nd is added after the 7th's IN.
    records.append(row("X1", on(5, 9, 0), false));
    records.append(row("X1", on(5, 17, 0), true));
    records.append(row("X1", on(7, 8, 0), false));
    edits.insert(row("X1", on(2, 17, 0), true), stamp);
    // Y2: nothing corrected.
    records.append(row("Y2", on(7, 8, 0), false));
    // Z3: the OUT typed on the wrong day is moved back to the 5th.
    records.append(row("Z3", on(6, 8, 0), false));
    records.append(row("Z3", on(6, 17, 0), true));
    records.append(row("Z3", on(7, 8, 0), false));
    const qint64 wrongDay = records.append(row("Z3", on(7, 16, 0), true));
    ClockRecord moved = *edits.find(wrongDay);
    moved.time = on(5, 16, 0);
    moved.julian = DayNumber::of(moved.time);
    ASSERT_TRUE(edits.update(moved, stamp));
    // W4: two INs in a row, both old enough.
    records.append(row("W4", on(5, 8, 0), false));
    records.append(row("W4", on(6, 8, 0), false));

    FakeTimeSource time(on(7, 20, 45).addSecs(1));
    SettingsRecord settings;
    settings.forceClockOuts = true;
    settings.forceAfter = 12;
    ForcedClockOut pass(db, time);
    EXPECT_EQ(pass.run(settings), 5);
    EXPECT_EQ(pass.run(settings), 0);

    EXPECT_EQ(sequenceOf(db, QStringLiteral("X1")),
              (QStringList{"O 2 17:00", "I 5 09:00", "O 5 17:00", "I 7 08:00", "O 7 08:01"}));
    EXPECT_EQ(sequenceOf(db, QStringLiteral("Y2")), (QStringList{"I 7 08:00", "O 7 08:01"}));
    EXPECT_EQ(sequenceOf(db, QStringLiteral("Z3")),
              (QStringList{"O 5 16:00", "I 6 08:00", "O 6 17:00", "I 7 08:00", "O 7 08:01"}));
    EXPECT_EQ(sequenceOf(db, QStringLiteral("W4")),
              (QStringList{"I 5 08:00", "O 5 08:01", "I 6 08:00", "O 6 08:01"}));
    // X1's next arrival is an IN again.
    const auto latest = records.latestPunchFor(QStringLiteral("X1"));
    ASSERT_TRUE(latest);
    EXPECT_TRUE(latest->clockOut);
}
