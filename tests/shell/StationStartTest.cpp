#include "clock/StationLink.h"
#include "shell/StartUp.h"
#include "store/DatabaseLocation.h"
#include "store/PunchQueue.h"
#include "support/PostgresServer.h"
#include "support/PunchRecord.h"
#include "support/RefusedPunches.h"
#include "support/ShellFixture.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(StartUp, StationWithoutItsServerStartsOfflineOnlyFromKeptSettings)
{
    const struct {
        const char* name;
        bool keptSettings;
        bool clockStation;
        bool goesOn;
    } cases[] = {
        {"station with kept settings", true, true, true},
        {"station that never reached its server", false, true, false},
        {"command line", true, false, false},
    };
    for (const auto& c : cases) {
        ShellFixture f;
        // A socket folder that does not exist: the server cannot be reached, at once.
        f.session.setLocation(
            *DatabaseLocation::parse(QStringLiteral("postgresql://clock@/clock?host=") +
                                     QDir(f.folder.path()).filePath(QStringLiteral("nowhere"))));
        if (c.keptSettings) {
            PunchQueue(QDir(f.folder.path()).filePath(PunchQueue::fileName()))
                .keepSettings(ApplicationTable::Row({{QStringLiteral("KeepInSeconds"), 7}}),
                              {{QStringLiteral("pay.weekly_overtime"), QStringLiteral("37:30")}});
        }
        StartUp startUp(f.services, f.session);
        startUp.requireSingleInstance = false;
        startUp.clockStation = c.clockStation;
        EXPECT_EQ(startUp.run(), c.goesOn) << c.name;
        EXPECT_EQ(startUp.startedOffline(), c.goesOn) << c.name;
        EXPECT_EQ(startUp.stationLink() != nullptr, c.goesOn) << c.name;
        if (c.goesOn) {
            EXPECT_TRUE(startUp.stationLink()->isOffline()) << c.name;
            EXPECT_EQ(f.session.settings().keepInSeconds, 7) << c.name;
            EXPECT_EQ(f.session.settings().payWeeklyOvertime, 37 * 60 + 30) << c.name;
            EXPECT_TRUE(f.messages.shown.isEmpty()) << c.name;
        } else {
            ASSERT_EQ(f.messages.shown.size(), 1) << c.name;
            EXPECT_TRUE(
                f.messages.shown.first().text.startsWith(QStringLiteral("Cannot use the clock database")))
                << c.name;
        }
    }
}

TEST(StartUp, StationStartedOfflineTakesUpSettingsAndStaffWhenItsServerAnswers)
{
    TELLARIN_REQUIRE_POSTGRES();
    const QString url = PostgresServer::shared().createDatabase();
    ASSERT_FALSE(url.isEmpty());
    ShellFixture f;
    f.session.setLocation(*DatabaseLocation::parse(url));
    // What the station kept from an earlier day differs from what the server holds (3 seconds).
    PunchQueue(QDir(f.folder.path()).filePath(PunchQueue::fileName()))
        .keepSettings(ApplicationTable::Row({{QStringLiteral("KeepInSeconds"), 7}}), {});
    ASSERT_TRUE(PostgresServer::shared().stop());
    StartUp startUp(f.services, f.session);
    startUp.requireSingleInstance = false;
    startUp.clockStation = true;
    startUp.readPathFile = [&] {
        f.session.setEmployeeSource(EmployeeSource::SchedulingDatabase);
    };
    int rebuilds = 0;
    startUp.rebuildStaff = [&] {
        ++rebuilds;
    };
    ASSERT_TRUE(startUp.run());
    EXPECT_TRUE(startUp.startedOffline());
    EXPECT_EQ(f.session.settings().keepInSeconds, 7);
    EXPECT_EQ(rebuilds, 0);

    ASSERT_TRUE(PostgresServer::shared().start());
    startUp.stationLink()->retryNow();
    EXPECT_FALSE(startUp.stationLink()->isOffline());
    EXPECT_EQ(f.session.settings().keepInSeconds, 3);
    EXPECT_EQ(rebuilds, 1);
}

// A punch left in the queue that the server refuses at start-up stays queued; the station keeps its
// link, and only a queue that cannot be opened at all is reported, in words that say what it means.
TEST(StartUp, StationKeepsItsLinkWhenTheServerRefusesTheQueueAndSaysWhenTheQueueIsUnusable)
{
    TELLARIN_REQUIRE_POSTGRES();
    for (const bool queueUnusable : {false, true}) {
        const QString url = PostgresServer::shared().createDatabase();
        ASSERT_FALSE(url.isEmpty());
        ShellFixture f;
        f.session.setLocation(*DatabaseLocation::parse(url));
        const QString queueFile = QDir(f.folder.path()).filePath(PunchQueue::fileName());
        if (queueUnusable) {
            ASSERT_TRUE(QDir().mkpath(queueFile)); // a folder where the queue belongs
        } else {
            PunchQueue(queueFile).enqueue(punchRecord(QStringLiteral("Q1"), f.time.now(), false));
            refusePunches(url, true);
        }
        StartUp startUp(f.services, f.session);
        startUp.requireSingleInstance = false;
        startUp.clockStation = true;
        ASSERT_TRUE(startUp.run());
        if (queueUnusable) {
            EXPECT_EQ(startUp.stationLink(), nullptr);
            ASSERT_EQ(f.messages.shown.size(), 1);
            EXPECT_EQ(f.messages.shown.first().title, QStringLiteral("Punch queue"));
            EXPECT_TRUE(f.messages.shown.first().text.startsWith(QStringLiteral("The punch queue ")));
            continue;
        }
        ASSERT_NE(startUp.stationLink(), nullptr);
        EXPECT_TRUE(f.messages.shown.isEmpty());
        EXPECT_EQ(startUp.stationLink()->queuedPunches(), 1);
        EXPECT_TRUE(startUp.stationLink()->isOffline());
        refusePunches(url, false);
        startUp.stationLink()->retryNow();
        EXPECT_EQ(startUp.stationLink()->queuedPunches(), 0);
    }
}
