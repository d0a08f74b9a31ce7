#include "clock/LateArrivals.h"

#include "BackendTest.h"
#include "PunchRecord.h"
#include "TestProgram.h"
#include "clock/LateWatch.h"
#include "platform/DesktopNotifier.h"
#include "store/ClockRecords.h"
#include "store/DayNumber.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
const QDate today(2026, 12, 4);

QDateTime at(const char* time, int daysAgo = 0)
{
    return QDateTime(today.addDays(-daysAgo), QTime::fromString(QString::fromLatin1(time)));
}

StaffRow staff(const char* id, qint16 startQuarters, int daysAgo = 0)
{
    return {QStringLiteral("Name of ") + QString::fromLatin1(id),
            1,
            DayNumber::of(today.addDays(-daysAgo)),
            QString::fromLatin1(id),
            1,
            startQuarters,
            qint16(startQuarters == 0 ? 0 : startQuarters + 36)};
}

QStringList ids(const QList<LateArrivals::Entry>& entries)
{
    QStringList out;
    for (const LateArrivals::Entry& e : entries)
        out.append(e.employeeId);
    return out;
}

class RecordingNotifier final : public DesktopNotifier {
public:
    void notify(const QString& summary, const QString& body) override { told.append(summary + u'|' + body); }
    QStringList told;
};
} // namespace

using LateArrivalsStore = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(LateArrivalsStore);

TEST(LateArrivals, LateOnlyOnceTheAllowedMinutesHavePassed)
{
    const struct {
        const char* now;
        int allowed;
        bool late;
    } cases[] = {
        {"08:15:00", 15, false}, {"08:15:59", 15, false},  {"08:16:00", 15, true},  {"07:59:59", 15, false},
        {"08:01:00", 0, true},   {"20:00:00", 720, false}, {"20:01:00", 720, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LateArrivals::isLate(QTime(8, 0), QTime::fromString(QString::fromLatin1(c.now)), c.allowed),
                  c.late)
            << c.now << " with " << c.allowed;
}

TEST_P(LateArrivalsStore, ScheduledTodayAndNoInTodayInOrderOfStart)
{
    TestProgram p(at("08:30:00"), backend());
    StaffTable(p.database())
        .replaceAll({staff("LATE", 32),      // 08:00, no record at all
                     staff("EARLY", 28),     // 07:00
                     staff("EDGE", 33),      // 08:15: exactly 15 minutes ago, not yet late
                     staff("NONE", 0),       // no schedule today
                     staff("IN", 32),        // clocked in today
                     staff("case", 32),      // clocked in under another letter case
                     staff("YESTERDAY", 32), // an IN yesterday only
                     staff("NIGHT", 32),     // only the OUT of last night's shift today
                     staff("LATER", 40)});   // 10:00: not due yet
    ClockRecords records(p.database());
    records.append(punchRecord(QStringLiteral("IN"), at("07:55:00"), false));
    records.append(punchRecord(QStringLiteral("CASE"), at("07:58:00"), false));
    records.append(punchRecord(QStringLiteral("YESTERDAY"), at("08:00:00", 1), false));
    records.append(punchRecord(QStringLiteral("NIGHT"), at("22:00:00", 1), false));
    records.append(punchRecord(QStringLiteral("NIGHT"), at("06:00:00"), true));

    const QList<LateArrivals::Entry> late = LateArrivals::load(p.database(), at("08:30:00"), 15);
    EXPECT_EQ(ids(late), (QStringList{"EARLY", "LATE", "NIGHT", "YESTERDAY"}));
    ASSERT_FALSE(late.isEmpty());
    EXPECT_EQ(late.first().start, QTime(7, 0));
    EXPECT_EQ(late.first().name, QStringLiteral("Name of EARLY"));
    EXPECT_EQ(ids(LateArrivals::load(p.database(), at("08:31:00"), 15)),
              (QStringList{"EARLY", "LATE", "NIGHT", "YESTERDAY", "EDGE"}));
}

TEST(LateArrivals, AStaffTableOfAnotherDayExpectsNobody)
{
    const QList<StaffRow> rows{staff("A", 32, 1)};
    EXPECT_TRUE(LateArrivals::find(rows, {}, at("12:00:00"), 15).isEmpty());
}

TEST(LateWatch, TellsOfEachLateEmployeeOnceADayAcrossARestart)
{
    TestProgram p(at("08:20:00"));
    p.session.updateSettings([](SettingsRecord& s) { s.lateNotify = true; });
    StaffTable(p.database()).replaceAll({staff("A", 32), staff("B", 36)}); // 08:00 and 09:00
    RecordingNotifier notifier;
    {
        LateWatch watch(p.database(), p.time, p.session, notifier);
        watch.check();
        EXPECT_EQ(watch.late().size(), 1);
        watch.check();
        EXPECT_EQ(notifier.told, QStringList{"Expected, not in|08:00  Name of A (A)"});
        p.time.set(at("09:30:00"));
        watch.check();
        EXPECT_EQ(notifier.told.size(), 2);
        EXPECT_EQ(notifier.told.last(), QStringLiteral("Expected, not in|09:00  Name of B (B)"));
    }
    LateWatch restarted(p.database(), p.time, p.session, notifier);
    restarted.check();
    EXPECT_EQ(notifier.told.size(), 2) << "a restart within the day tells no one again";

    // The next day A is told again, once the staff table holds that day.
    p.time.set(at("09:30:00", -1));
    StaffTable(p.database()).replaceAll({staff("A", 32, -1)});
    restarted.check();
    EXPECT_EQ(notifier.told.size(), 3);
}

TEST(LateWatch, WithTheOptionOffOnlyCounts)
{
    TestProgram p(at("08:20:00"));
    StaffTable(p.database()).replaceAll({staff("A", 32)});
    RecordingNotifier notifier;
    LateWatch watch(p.database(), p.time, p.session, notifier);
    QList<int> counts;
    QObject::connect(&watch, &LateWatch::lateChanged, [&](int count) { counts.append(count); });
    watch.check();
    EXPECT_EQ(counts, QList<int>{1});
    EXPECT_TRUE(notifier.told.isEmpty());
    EXPECT_FALSE(QFile::exists(p.session.paths().inProgramFolder(LateWatch::noticeFileName())));
    ClockRecords(p.database()).append(punchRecord(QStringLiteral("A"), at("08:21:00"), false));
    p.time.set(at("08:22:00"));
    watch.check();
    EXPECT_EQ(counts, (QList<int>{1, 0}));
}
