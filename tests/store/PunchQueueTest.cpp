#include "store/PunchQueue.h"

#include "PunchRecord.h"
#include "store/ClockRecords.h"
#include "store/DatabaseError.h"
#include "store/SqliteConnection.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QDateTime morning(QDate(2026, 12, 4), QTime(8, 0));

QString queuePath(const QTemporaryDir& dir)
{
    return QDir(dir.path()).filePath(PunchQueue::fileName());
}
} // namespace

TEST(PunchQueue, KeepsEveryFieldInOrderAcrossReopening)
{
    QTemporaryDir dir;
    ClockRecord tipped = punchRecord(QStringLiteral("Z9"), morning, true, QStringLiteral("Zoe"));
    tipped.tips = Money::parse(QStringLiteral("12.3456"));
    tipped.dnumber = 7;
    tipped.outLate = true;
    tipped.options = static_cast<qint16>(Mark::OutLate);
    tipped.created = morning.addSecs(5);
    const ClockRecord plain = punchRecord(QStringLiteral("A1"), morning.addSecs(60), false);
    {
        PunchQueue queue(queuePath(dir));
        queue.enqueue(tipped);
        queue.enqueue(plain);
    }
    PunchQueue queue(queuePath(dir));
    qint64 lastSequence = 0;
    for (const ClockRecord& expected : {tipped, plain}) {
        const auto next = queue.first();
        ASSERT_TRUE(next.has_value());
        EXPECT_EQ(recordFields(next->record), recordFields(expected));
        EXPECT_GT(next->sequence, lastSequence);
        lastSequence = next->sequence;
        queue.remove(next->sequence);
    }
    EXPECT_TRUE(queue.isEmpty());
    // A sequence number is never given twice, even once the queue was empty.
    EXPECT_GT(queue.enqueue(plain), lastSequence);
}

TEST(PunchQueue, LatestPunchIsTheLastQueuedElseTheLastKnown)
{
    QTemporaryDir dir;
    PunchQueue queue(queuePath(dir));
    queue.rememberAll(
        {{QStringLiteral("K1"), {false, morning, 0}}, {QStringLiteral("Q2"), {false, morning, 0}}});
    queue.enqueue(punchRecord(QStringLiteral("q2"), morning.addSecs(60), true));
    queue.enqueue(punchRecord(QStringLiteral("N3"), morning.addSecs(120), false));
    queue.remember(QStringLiteral(" r4 "), {true, morning, 0});
    const struct {
        const char* asked;
        std::optional<bool> clockOut; // nullopt: nothing known
    } cases[] = {
        {"K1", false}, {" k1", false}, {"Q2", true}, {"n3", false}, {"R4", true}, {"X5", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto latest = queue.latestPunchFor(QString::fromLatin1(c.asked));
        ASSERT_EQ(latest.has_value(), c.clockOut.has_value()) << c.asked;
        if (latest) {
            EXPECT_EQ(latest->clockOut, *c.clockOut) << c.asked;
        }
    }
    // A refresh replaces what was known, never what is queued.
    queue.rememberAll({});
    EXPECT_FALSE(queue.latestPunchFor(QStringLiteral("K1")).has_value());
    EXPECT_TRUE(queue.latestPunchFor(QStringLiteral("Q2"))->clockOut);
}

TEST(PunchQueue, FindsKeptStaffAsTheStaffTableDoes)
{
    QTemporaryDir dir;
    PunchQueue queue(queuePath(dir));
    queue.keepStaff({StaffRow{QStringLiteral("Ann"), 1, 46000, QStringLiteral(" ab1 "), 2, 32, 68}});
    const auto staff = queue.findStaff(QStringLiteral("AB1"));
    ASSERT_TRUE(staff.has_value());
    EXPECT_EQ(QStringList({staff->employee, QString::number(staff->departmentNumber),
                           QString::number(staff->start), QString::number(staff->stop)}),
              QStringList({"Ann", "2", "32", "68"}));
    EXPECT_FALSE(queue.findStaff(QStringLiteral("AB2")).has_value());
    queue.keepStaff({});
    EXPECT_FALSE(queue.findStaff(QStringLiteral("AB1")).has_value());
}

// Queue files of earlier releases: from before the recorded layouts, and of the first recorded
// layout, whose cache had no badges yet.
TEST(PunchQueue, AQueueOfAnEarlierReleaseKeepsItsPunchesAndKeepsBadgesFromNowOn)
{
    const struct {
        const char* release;
        QStringList dropped;
    } releases[] = {
        {"before recorded layouts", {QStringLiteral("Schema version"), QStringLiteral("Badges")}},
        {"first recorded layout", {QStringLiteral("Badges")}},
    };
    const ClockRecord punch = punchRecord(QStringLiteral("A1"), morning, false);
    const QString card = QStringLiteral("0004512345");
    for (const auto& release : releases) {
        QTemporaryDir dir;
        PunchQueue(queuePath(dir)).enqueue(punch);
        {
            SqliteConnection direct(queuePath(dir), 1000);
            for (const QString& table : release.dropped)
                ASSERT_TRUE(direct.exec(QStringLiteral(R"(DROP TABLE "%1")").arg(table))) << release.release;
        }
        {
            PunchQueue queue(queuePath(dir));
            ASSERT_TRUE(queue.first().has_value()) << release.release;
            EXPECT_EQ(recordFields(queue.first()->record), recordFields(punch)) << release.release;
            EXPECT_EQ(queue.findBadge(card), std::nullopt) << release.release;
            queue.keepBadges({{card, QStringLiteral(" a1 ")}});
        }
        PunchQueue reopened(queuePath(dir));
        EXPECT_EQ(reopened.findBadge(card), QStringLiteral("A1")) << release.release;
        // Numbers are text: the zeros a card prints belong to it.
        EXPECT_EQ(reopened.findBadge(QStringLiteral("4512345")), std::nullopt) << release.release;
        SqliteConnection direct(queuePath(dir), 1000);
        EXPECT_EQ(direct.scalar(QStringLiteral(R"(SELECT "Version" FROM "Schema version")")).toInt(), 1)
            << release.release;
    }
}

TEST(PunchQueue, AQueueOfANewerLayoutIsRefusedUntouched)
{
    QTemporaryDir dir;
    PunchQueue(queuePath(dir)).enqueue(punchRecord(QStringLiteral("A1"), morning, false));
    SqliteConnection direct(queuePath(dir), 1000);
    ASSERT_TRUE(direct.exec(QStringLiteral(R"(UPDATE "Schema version" SET "Version" = 2)")));
    try {
        PunchQueue refused(queuePath(dir));
        ADD_FAILURE() << "a queue of a newer layout was opened";
    } catch (const DatabaseError& error) {
        EXPECT_TRUE(error.text().contains(QStringLiteral("newer release"))) << qPrintable(error.text());
    }
    EXPECT_EQ(direct.column(QStringLiteral(R"(SELECT count(*) FROM "Queued punches")")).value(0).toInt(), 1);
    EXPECT_EQ(direct.column(QStringLiteral(R"(SELECT "Version" FROM "Schema version")")).value(0).toInt(), 2);
}
