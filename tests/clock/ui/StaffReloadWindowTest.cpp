#include "ClockFixture.h"
#include "PostgresServer.h"
#include "RtmFixture.h"
#include "clock/StationLink.h"
#include "store/StaffTable.h"

#include <QDir>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
qint16 startOf(ClockFixture& f, const char* id)
{
    const std::optional<StaffRow> row = StaffTable(f.folder.database()).find(QString::fromLatin1(id));
    return row ? row->start : qint16(-1);
}
// Ann (A1) starts at 08:00 on `day` and 10:00 the day after; the clock reads the scheduling file
// and stands two seconds before midnight.
void scheduleAnnAcrossMidnight(ClockFixture& f, const QDate& day)
{
    {
        RtmFixture rtm(QDir(f.folder.path()).filePath(QStringLiteral("RTM.MDB")));
        rtm.employee({11, QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("A1"), 0, true});
        rtm.schedule(day, 11, RtmFixture::period(32, 68));
        rtm.schedule(day.addDays(1), 11, RtmFixture::period(40, 72));
    }
    f.session.setEmployeeSource(EmployeeSource::SchedulingDatabase);
    f.time.set(QDateTime(day, QTime(23, 59, 58)));
}
} // namespace

TEST(StaffReloadWindow, ReloadsTheNewDaysScheduleAfterMidnight)
{
    ClockFixture f;
    const QDate day(2026, 12, 4);
    scheduleAnnAcrossMidnight(f, day);

    f.open(); // the first tick is a date change: today's staff are read
    ASSERT_TRUE(QTest::qWaitFor([&] { return startOf(f, "A1") == 32 && !f.window->isReloadingStaff(); }));
    auto* loading = f.child<QLabel>("pnlLoading");
    ASSERT_NE(loading, nullptr);
    EXPECT_TRUE(loading->isHidden());

    f.time.advanceSeconds(3);
    f.window->tick();
    EXPECT_FALSE(loading->isHidden());
    EXPECT_EQ(loading->text(), QStringLiteral("Loading Employees and schedules\nfor: ") +
                                   QLocale().toString(day.addDays(1), QLocale::LongFormat));
    f.punch(QStringLiteral("A1")); // refused while the staff are read
    EXPECT_TRUE(f.rows().isEmpty());
    f.window->tick(); // the same day: no second read
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.window->isReloadingStaff(); }));
    EXPECT_TRUE(loading->isHidden());
    EXPECT_EQ(startOf(f, "A1"), 40);

    f.punch(QStringLiteral("A1"));
    ASSERT_EQ(f.rows().size(), 1);
    EXPECT_TRUE(f.messages.shown.isEmpty());
}

TEST(StaffReloadWindow, MissingFileAsksToRepairAndNoEndsTheProgram)
{
    ClockFixture f;
    f.session.setEmployeeSource(EmployeeSource::SchedulingDatabase);
    f.messages.answers = {MessageBoxes::Answer::Yes, MessageBoxes::Answer::No};
    ClockWindow& window = f.open();
    QSignalSpy ended(&window, &ClockWindow::endRequested);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended.count() == 1; }));
    ASSERT_EQ(f.messages.shown.size(), 2); // Yes read it again, No gave up
    EXPECT_TRUE(f.messages.shown[1].text.endsWith(QStringLiteral("Repair the database?")));
    EXPECT_FALSE(window.isReloadingStaff());
}

// A station whose server is away at midnight keeps yesterday's staff only until the server answers.
TEST(StaffReloadWindow, AReloadTheServerMissedIsDoneWhenItAnswers)
{
    TELLARIN_REQUIRE_POSTGRES();
    ClockFixture f(Backend::Server);
    const QDate day(2026, 12, 4);
    scheduleAnnAcrossMidnight(f, day);
    StationLink link(f.folder.database(), f.folder.path(), QStringLiteral("station 1"), f.time);
    link.startOnline();
    f.open(&link);
    ASSERT_TRUE(QTest::qWaitFor([&] { return startOf(f, "A1") == 32 && !f.window->isReloadingStaff(); }));

    ASSERT_TRUE(PostgresServer::shared().stop());
    f.time.advanceSeconds(3);
    f.window->tick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.window->isReloadingStaff(); }));
    EXPECT_TRUE(link.isOffline());
    EXPECT_TRUE(f.messages.shown.isEmpty());

    ASSERT_TRUE(PostgresServer::shared().start());
    link.retryNow();
    EXPECT_FALSE(link.isOffline());
    EXPECT_TRUE(QTest::qWaitFor([&] { return startOf(f, "A1") == 40 && !f.window->isReloadingStaff(); }));
    EXPECT_TRUE(f.messages.shown.isEmpty());
}
