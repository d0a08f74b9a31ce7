// The punch of a card reading and the guard against a second punch a moment after the first, on the
// file and on a server.
#include "BackendTest.h"
#include "PostgresServer.h"
#include "PunchRecord.h"
#include "TestProgram.h"
#include "clock/Punch.h"
#include "clock/StationLink.h"
#include "clock/WaitingPunches.h"
#include "store/BadgeTable.h"
#include "store/ClockRecords.h"
#include "store/DatabaseLocation.h"
#include "store/StaffTable.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {
using KioskPunch = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(KioskPunch);

const QDateTime nine(QDate(2026, 12, 7), QTime(9, 0, 5));
const EditStamp stamp{nine, QStringLiteral("manager")};

qsizetype stored(Database& database)
{
    return ClockRecords(database).since(0).size();
}

// A punch by the same employee within the guard is refused with what stands, and writes nothing;
// at the guard's end it is a punch again.
TEST_P(KioskPunch, GuardRefusesWithinNSecondsOfTheLatestPunch)
{
    struct Case {
        int guard;
        int after;
        const char* line2; // nullptr: punched
    };
    const Case cases[] = {
        {60, 0, "Already clocked In at 09:00:05"},
        {60, 59, "Already clocked In at 09:00:05"},
        {60, 60, nullptr},
        {0, 1, nullptr},
        {1, 1, nullptr},
        {3600, 3599, "Already clocked In at 09:00:05"},
    };
    for (const Case& c : cases) {
        TestProgram p(nine, backend());
        p.session.updateSettings([&](SettingsRecord& s) { s.guardSeconds = c.guard; });
        Punch::begin(p.services, p.session, QStringLiteral("a1")).record(p.services, p.session, {});
        p.time.advanceSeconds(c.after);
        const Punch second = Punch::begin(p.services, p.session, QStringLiteral("A1"));
        const std::string label = std::to_string(c.guard) + "/" + std::to_string(c.after);
        EXPECT_EQ(second.isRejected(), c.line2 != nullptr) << label;
        if (c.line2) {
            EXPECT_EQ(second.look().line2Text, QString::fromLatin1(c.line2)) << label;
            EXPECT_EQ(second.soundName(), QStringLiteral("Error")) << label;
            EXPECT_GE(second.displaySeconds(), Punch::refusalSeconds) << label;
        } else {
            EXPECT_TRUE(second.isClockOut()) << label;
            second.record(p.services, p.session, {});
        }
        EXPECT_EQ(stored(p.database()), c.line2 ? 1 : 2) << label;
    }
}

// The latest punch may wait in the station's queue, or be an OUT: the guard sees both.
TEST(KioskPunchFile, GuardSeesTheStationsQueueAndOuts)
{
    TestProgram p(nine);
    p.session.updateSettings([](SettingsRecord& s) { s.guardSeconds = 60; });
    WaitingPunches waiting(p.database(), p.folder.path());
    waiting.keep(punchRecord(QStringLiteral("A1"), nine, false));
    p.time.advanceSeconds(30);
    EXPECT_EQ(Punch::begin(p.services, p.session, QStringLiteral("a1"), nullptr, &waiting).look().line2Text,
              QStringLiteral("Already clocked In at 09:00:05"));

    ClockRecords(p.database()).append(punchRecord(QStringLiteral("B2"), nine.addSecs(20), true));
    EXPECT_EQ(Punch::begin(p.services, p.session, QStringLiteral("b2"), nullptr, &waiting).look().line2Text,
              QStringLiteral("Already clocked Out at 09:00:25"));
    // A record typed in for later by the manager holds nobody back.
    ClockRecords(p.database()).append(punchRecord(QStringLiteral("C3"), nine.addSecs(3600), false));
    EXPECT_FALSE(Punch::begin(p.services, p.session, QStringLiteral("c3"), nullptr, &waiting).isRejected());
}

// Two stations on one server: a card read at the second a moment after the first is refused there.
TEST(KioskPunchServer, GuardHoldsAcrossStations)
{
    TELLARIN_REQUIRE_POSTGRES();
    TestProgram one(nine, Backend::Server);
    Database server;
    ASSERT_TRUE(server.openServer(*DatabaseLocation::parse(one.folder.url())).ok());
    QTemporaryDir otherFolder;
    TestProgram two(nine, TestFolder::Empty{});
    Services twoServices{server, two.time, two.messages, two.sounds, two.camera};
    Session twoSession{ProgramPaths(otherFolder.path())};
    for (Session* s : {&one.session, &twoSession})
        s->updateSettings([](SettingsRecord& settings) { settings.guardSeconds = 60; });
    StationLink first(one.database(), one.folder.path(), QStringLiteral("station 1"), one.time);
    StationLink second(server, otherFolder.path(), QStringLiteral("station 2"), two.time);
    first.startOnline();
    second.startOnline();

    Punch::begin(one.services, one.session, QStringLiteral("A1"), &first)
        .record(one.services, one.session, {}, &first);
    two.time.advanceSeconds(59);
    const Punch refused = Punch::begin(twoServices, twoSession, QStringLiteral("a1"), &second);
    EXPECT_EQ(refused.look().line2Text, QStringLiteral("Already clocked In at 09:00:05"));
    two.time.advanceSeconds(1);
    const Punch out = Punch::begin(twoServices, twoSession, QStringLiteral("a1"), &second);
    EXPECT_FALSE(out.isRejected());
    EXPECT_TRUE(out.isClockOut());
}

// A reading is the employee whose card it is, else an ID as typed, else a card nobody has.
TEST_P(KioskPunch, CardReadingsFindTheirEmployee)
{
    struct Case {
        const char* read;
        bool hex;
        const char* name; // on the panel's first line
        bool rejected;
    };
    const Case cases[] = {
        {"0004512345", false, "Ann Lee", false},
        {"4512345", false, "Card 4512345 not known", true},
        {"0044DA59", true, "Ann Lee", false},
        {"0044da59", false, "Card 0044da59 not known", true},
        {"B2", false, "Bob Roe", false}, // nobody's card, but an ID
        {"00B2", true, "Card 0000000178 not known", true},
    };
    for (const Case& c : cases) {
        TestProgram p(nine, backend());
        p.session.setEmployeeSource(EmployeeSource::LocalFiles);
        p.session.updateSettings([&](SettingsRecord& s) { s.readerHex = c.hex; });
        StaffTable(p.database())
            .replaceAll({{QStringLiteral("Ann Lee"), 4, 46360, QStringLiteral("A1"), 3, 0, 0},
                         {QStringLiteral("Bob Roe"), 5, 46360, QStringLiteral("B2"), 3, 0, 0}});
        BadgeTable(p.database()).assign(QStringLiteral("A1"), QStringLiteral("0004512345"), stamp);
        const Punch punch = Punch::beginCard(p.services, p.session, QString::fromLatin1(c.read));
        EXPECT_EQ(punch.stage(), Punch::Stage::Shown) << c.read;
        EXPECT_EQ(punch.employeeName(), QString::fromLatin1(c.name)) << c.read;
        EXPECT_EQ(punch.isRejected(), c.rejected) << c.read;
        if (!c.rejected) {
            punch.record(p.services, p.session, {});
            EXPECT_EQ(ClockRecords(p.database()).since(0).value(0).employee, QString::fromLatin1(c.name))
                << c.read;
        }
        EXPECT_EQ(stored(p.database()), c.rejected ? 0 : 1) << c.read;
    }
}

// A station whose server is away, as the clock screen meets it: the connection lost while the
// station runs, or the station started while the server was down.
class KioskPunchOffline : public ::testing::Test {
protected:
    void SetUp() override { TELLARIN_REQUIRE_POSTGRES(); }
    void TearDown() override
    {
        if (!PostgresServer::shared().isRunning())
            PostgresServer::shared().start();
    }
};

// Cards are known by the badges the station last read from its server: one taken away there since
// is nobody's, and an ID typed still punches.
TEST_F(KioskPunchOffline, CardsAreKnownByTheBadgesLastReadFromTheServer)
{
    const struct {
        const char* way;
        bool restarted;
    } ways[] = {{"server lost while running", false}, {"started without its server", true}};
    for (const auto& way : ways) {
        TestProgram p(nine, Backend::Server);
        p.session.setEmployeeSource(EmployeeSource::LocalFiles);
        StaffTable(p.database())
            .replaceAll({{QStringLiteral("Ann Lee"), 4, 46360, QStringLiteral("A1"), 3, 0, 0},
                         {QStringLiteral("Bob Roe"), 5, 46360, QStringLiteral("B2"), 3, 0, 0}});
        BadgeTable badges(p.database());
        badges.assign(QStringLiteral("A1"), QStringLiteral("0004512345"), stamp);
        badges.assign(QStringLiteral("B2"), QStringLiteral("0000000178"), stamp);
        Database unreachable;
        auto link =
            std::make_unique<StationLink>(p.database(), p.folder.path(), QStringLiteral("station 1"), p.time);
        link->startOnline();
        badges.remove(QStringLiteral("B2"), stamp);
        link->refreshWhileOnline(); // as the clock screen does when it opens
        ASSERT_TRUE(PostgresServer::shared().stop());
        if (way.restarted) {
            link.reset();
            ASSERT_FALSE(unreachable.openServer(*DatabaseLocation::parse(p.folder.url())).ok());
            link = std::make_unique<StationLink>(unreachable, p.folder.path(), QStringLiteral("station 1"),
                                                 p.time);
            link->startOffline();
        }
        const struct {
            const char* read;
            const char* name; // on the panel's first line
            bool rejected;
        } readings[] = {
            {"0004512345", "Ann Lee", false},
            {"0000000178", "Card 0000000178 not known", true},
            {"0000000999", "Card 0000000999 not known", true},
            {"B2", "Bob Roe", false},
        };
        for (const auto& r : readings) {
            const Punch punch =
                Punch::beginCard(p.services, p.session, QString::fromLatin1(r.read), link.get());
            EXPECT_EQ(punch.employeeName(), QString::fromLatin1(r.name)) << way.way << ": " << r.read;
            EXPECT_EQ(punch.isRejected(), r.rejected) << way.way << ": " << r.read;
            if (!r.rejected)
                punch.record(p.services, p.session, {}, link.get());
        }
        EXPECT_TRUE(link->isOffline()) << way.way;
        EXPECT_EQ(link->queuedPunches(), 2) << way.way;
        ASSERT_TRUE(PostgresServer::shared().start());
    }
}
} // namespace
