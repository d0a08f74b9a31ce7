#include "clock/StationLink.h"

#include "FakeTimeSource.h"
#include "PostgresServer.h"
#include "PunchRecord.h"
#include "RefusedPunches.h"
#include "platform/ProgramLog.h"
#include "store/ClockRecords.h"
#include "store/Database.h"
#include "store/DatabaseLocation.h"
#include "store/ProgramSettingsTable.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// A station with its own program folder on a fresh server database; stations built again on the
// same folder stand for the program started again.
struct Station {
    explicit Station(const QString& folder, const QString& url,
                     const QString& name = QStringLiteral("station 1"))
    {
        server = std::make_unique<Database>();
        const Database::OpenResult opened = server->openServer(*DatabaseLocation::parse(url));
        link = std::make_unique<StationLink>(*server, folder, name, time);
        if (opened.ok())
            link->startOnline();
        else
            link->startOffline();
    }
    ~Station()
    {
        link.reset();
        server.reset();
    }

    // Punches the way the clock screen does: the opposite of the latest punch known.
    bool punch(const QString& id)
    {
        time.advanceSeconds(60);
        bool out = false;
        link->appendPunch(id, [&](const std::optional<ClockRecords::LatestPunch>& latest) {
            out = latest && !latest->clockOut;
            return std::optional<ClockRecord>(punchRecord(id, time.now(), out));
        });
        return out;
    }

    FakeTimeSource time;
    std::unique_ptr<Database> server;
    std::unique_ptr<StationLink> link;
};

// The server's records as "ID:I" / "ID:O" in the order they were appended.
QStringList stored(const QString& url)
{
    Database database;
    EXPECT_TRUE(database.openServer(*DatabaseLocation::parse(url)).ok());
    QList<ClockRecord> rows = ClockRecords(database).since(0);
    std::sort(rows.begin(), rows.end(),
              [](const ClockRecord& a, const ClockRecord& b) { return a.recordNumber < b.recordNumber; });
    QStringList punches;
    for (const ClockRecord& r : rows)
        punches.append(r.employeeId + (r.clockOut ? QStringLiteral(":O") : QStringLiteral(":I")));
    return punches;
}

class StationLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TELLARIN_REQUIRE_POSTGRES();
        url = PostgresServer::shared().createDatabase();
        ASSERT_FALSE(url.isEmpty());
    }
    void TearDown() override
    {
        if (!PostgresServer::shared().isRunning())
            PostgresServer::shared().start();
    }
    static void stopServer() { ASSERT_TRUE(PostgresServer::shared().stop()); }
    static void startServer() { ASSERT_TRUE(PostgresServer::shared().start()); }

    QTemporaryDir folder;
    QString url;
};
} // namespace

TEST_F(StationLinkTest, PunchesWithoutTheServerAreQueuedAndSentOnceInOrder)
{
    Station station(folder.path(), url);
    ASSERT_FALSE(station.link->isOffline());
    const QString a = QStringLiteral("A1"), b = QStringLiteral("B2");
    EXPECT_FALSE(station.punch(a));
    stopServer();
    // Each step: who punches and the direction the station must decide without its server.
    const std::pair<QString, bool> offline[] = {{a, true}, {b, false}, {a, false}, {b, true}, {a, true}};
    for (const auto& [id, out] : offline)
        EXPECT_EQ(station.punch(id), out) << qPrintable(id);
    EXPECT_TRUE(station.link->isOffline());
    EXPECT_EQ(station.link->queuedPunches(), 5);

    startServer();
    station.link->retryNow();
    EXPECT_FALSE(station.link->isOffline());
    EXPECT_EQ(station.link->queuedPunches(), 0);
    const QStringList expected = {"A1:I", "A1:O", "B2:I", "A1:I", "B2:O", "A1:O"};
    EXPECT_EQ(stored(url), expected);
    // Back online, the next punch is decided by the server again.
    EXPECT_FALSE(station.punch(a));
    EXPECT_EQ(stored(url).size(), 7);
}

TEST_F(StationLinkTest, QueueOutlivesARestartAndIsNeverSentTwice)
{
    stopServer();
    {
        Station offline(folder.path(), url);
        EXPECT_TRUE(offline.link->isOffline());
        EXPECT_FALSE(offline.punch(QStringLiteral("C3")));
        EXPECT_TRUE(offline.punch(QStringLiteral("C3")));
    }
    // The queue as it stood before the send: put back, it stands for a send whose local removal
    // was lost when the program died between the server's commit and its own.
    const QString queue = folder.filePath(PunchQueue::fileName());
    const QString saved = folder.filePath(QStringLiteral("saved.db"));
    ASSERT_TRUE(QFile::copy(queue, saved));
    startServer();
    const QStringList expected = {"C3:I", "C3:O"};
    const struct {
        const char* step;
        bool restoreQueue;
    } restarts[] = {{"restart sends the queue", false}, {"restored queue is skipped", true}};
    for (const auto& restart : restarts) {
        if (restart.restoreQueue) {
            ASSERT_TRUE(QFile::remove(queue));
            ASSERT_TRUE(QFile::copy(saved, queue));
        }
        Station station(folder.path(), url);
        EXPECT_FALSE(station.link->isOffline()) << restart.step;
        EXPECT_EQ(station.link->queuedPunches(), 0) << restart.step;
        EXPECT_EQ(stored(url), expected) << restart.step;
    }
}

TEST_F(StationLinkTest, StationWithoutItsServerStartsFromWhatItKept)
{
    {
        // Stored by another station: this one learns of it only by what it reads at its start.
        Database other;
        ASSERT_TRUE(other.openServer(*DatabaseLocation::parse(url)).ok());
        const QDateTime day(QDate(2026, 12, 3), QTime(9, 0));
        ClockRecords(other).append(punchRecord(QStringLiteral("D4"), day, false));
        ClockRecords(other).append(punchRecord(QStringLiteral("E5"), day, false));
        ClockRecords(other).append(punchRecord(QStringLiteral("E5"), day.addSecs(60), true));
        ProgramSettingsTable(other).write({{QStringLiteral("pay.weekly_overtime"), QStringLiteral("37:30")}});
        Station online(folder.path(), url);
        ASSERT_TRUE(online.link->cachedSettings().has_value());
    }
    stopServer();
    Station station(folder.path(), url);
    EXPECT_TRUE(station.link->isOffline());
    ASSERT_TRUE(station.link->cachedSettings().has_value());
    EXPECT_EQ(station.link->cachedSettings()->row.value(QStringLiteral("KeepInSeconds")).toInt(), 3);
    EXPECT_EQ(station.link->cachedSettings()->program.value(QStringLiteral("pay.weekly_overtime")).toString(),
              QStringLiteral("37:30"));
    // What the server held before it went away decides the next punch.
    EXPECT_TRUE(station.punch(QStringLiteral("d4")));
    EXPECT_FALSE(station.punch(QStringLiteral("E5")));
    startServer();
    station.link->retryNow();
    EXPECT_EQ(stored(url), (QStringList{"D4:I", "E5:I", "E5:O", "d4:O", "E5:I"}));
}

TEST_F(StationLinkTest, CatchingUpKeepsAnOfflineDecisionInStepWithOtherStations)
{
    QTemporaryDir otherFolder;
    Station one(folder.path(), url);
    Station two(otherFolder.path(), url, QStringLiteral("station 2"));
    const QString id = QStringLiteral("G7");
    EXPECT_FALSE(one.punch(id));
    EXPECT_TRUE(two.punch(id));
    {
        // Put in afterwards for an earlier day by the record editor: not the employee's latest.
        Database editor;
        ASSERT_TRUE(editor.openServer(*DatabaseLocation::parse(url)).ok());
        ClockRecords(editor).append(punchRecord(id, QDateTime(QDate(2026, 11, 2), QTime(8, 0)), false));
    }
    one.link->catchUp();
    stopServer();
    // The other station's OUT is known, so the next punch here is an IN.
    EXPECT_FALSE(one.punch(id));
    startServer();
    one.link->retryNow();
    EXPECT_EQ(stored(url), (QStringList{"G7:I", "G7:O", "G7:I", "G7:I"}));
}

TEST_F(StationLinkTest, AStationFindsItsServerAgainByItself)
{
    Station station(folder.path(), url);
    stopServer();
    EXPECT_FALSE(station.punch(QStringLiteral("H8")));
    ASSERT_TRUE(station.link->isOffline());
    station.link->setRetryInterval(std::chrono::milliseconds(100));
    startServer();
    // Looked for on a thread of its own, then connected and sent without anyone asking.
    QSignalSpy back(station.link.get(), &StationLink::offlineChanged);
    ASSERT_TRUE(back.wait(15000));
    EXPECT_FALSE(station.link->isOffline());
    EXPECT_EQ(station.link->queuedPunches(), 0);
    EXPECT_EQ(stored(url), QStringList{QStringLiteral("H8:I")});
}

// A server that answers but refuses the write (a lock waited for too long, a fault of its own) never
// costs a punch and never throws out of the clock screen's event loop.
TEST_F(StationLinkTest, AServerErrorKeepsThePunchQueuedAndIsLogged)
{
    Station station(folder.path(), url);
    stopServer();
    station.punch(QStringLiteral("A1"));
    ASSERT_EQ(station.link->queuedPunches(), 1);
    startServer();
    refusePunches(url, true);
    EXPECT_NO_THROW(station.link->retryNow()); // the queue sent after a reconnect
    EXPECT_EQ(station.link->queuedPunches(), 1);
    EXPECT_TRUE(station.link->isOffline());
    EXPECT_NO_THROW(station.punch(QStringLiteral("B2"))); // and a punch made meanwhile
    EXPECT_EQ(station.link->queuedPunches(), 2);

    QFile log(QDir(folder.path()).filePath(ProgramLog::fileName()));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray logged = log.readAll();
    EXPECT_TRUE(logged.startsWith(station.time.now().date().toString(Qt::ISODate).toLatin1()))
        << logged.data();
    EXPECT_TRUE(logged.contains("refused for the test")) << logged.data();

    refusePunches(url, false);
    station.link->retryNow();
    EXPECT_FALSE(station.link->isOffline());
    EXPECT_EQ(station.link->queuedPunches(), 0);
    EXPECT_EQ(stored(url), (QStringList{"A1:I", "B2:I"}));
}

// Online, with nothing queued: the punch is in the queue before the server is asked, so a refusal
// leaves it there to be sent later.
TEST_F(StationLinkTest, APunchRefusedOnlineWaitsInTheQueue)
{
    Station station(folder.path(), url);
    refusePunches(url, true);
    EXPECT_NO_THROW(station.punch(QStringLiteral("C3")));
    EXPECT_EQ(station.link->queuedPunches(), 1);
    refusePunches(url, false);
    station.link->retryNow();
    EXPECT_EQ(station.link->queuedPunches(), 0);
    EXPECT_EQ(stored(url), QStringList{QStringLiteral("C3:I")});
}
