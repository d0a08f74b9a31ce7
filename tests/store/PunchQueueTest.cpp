#include "store/PunchQueue.h"

#include "PunchRecord.h"
#include "TestFolder.h"
#include "store/ClockRecords.h"

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
        EXPECT_TRUE(queue.isEmpty());
        const qint64 first = queue.enqueue(tipped);
        EXPECT_LT(first, queue.enqueue(plain));
    }
    PunchQueue queue(queuePath(dir));
    EXPECT_EQ(queue.size(), 2);
    const auto first = queue.first();
    ASSERT_TRUE(first.has_value());
    const ClockRecord& r = first->record;
    EXPECT_EQ(r.employeeId, tipped.employeeId);
    EXPECT_EQ(r.employee, tipped.employee);
    EXPECT_EQ(r.time, tipped.time);
    EXPECT_EQ(r.created, tipped.created);
    EXPECT_EQ(r.julian, tipped.julian);
    EXPECT_TRUE(r.clockOut && r.outLate && !r.inLate);
    EXPECT_EQ(r.dnumber, 7);
    EXPECT_EQ(r.options, tipped.options);
    ASSERT_TRUE(r.tips.has_value());
    EXPECT_EQ(r.tips->units(), tipped.tips->units());
    EXPECT_EQ(r.recordNumber, 0);

    queue.remove(first->sequence);
    const auto second = queue.first();
    ASSERT_TRUE(second.has_value());
    EXPECT_GT(second->sequence, first->sequence);
    EXPECT_FALSE(second->record.tips.has_value());
    queue.remove(second->sequence);
    EXPECT_TRUE(queue.isEmpty());
    // A sequence number is never given twice, even once the queue was empty.
    EXPECT_GT(queue.enqueue(plain), second->sequence);
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

TEST(PunchQueue, KeepsStaffAndSettingsForAStartWithoutTheServer)
{
    QTemporaryDir dir;
    PunchQueue queue(queuePath(dir));
    EXPECT_FALSE(queue.settings().has_value());
    queue.keepStaff({StaffRow{QStringLiteral("Ann"), 1, 46000, QStringLiteral(" ab1 "), 2, 32, 68}});
    queue.keepSettings(ApplicationTable::Row({{QStringLiteral("KeepInSeconds"), 4},
                                              {QStringLiteral("NotFound"), QStringLiteral("Who?")},
                                              {QStringLiteral("PW"), QVariant()}}));
    const auto staff = queue.findStaff(QStringLiteral("AB1"));
    ASSERT_TRUE(staff.has_value());
    EXPECT_EQ(staff->employee, QStringLiteral("Ann"));
    EXPECT_EQ(staff->departmentNumber, 2);
    EXPECT_EQ(staff->start, 32);
    EXPECT_EQ(staff->stop, 68);
    EXPECT_FALSE(queue.findStaff(QStringLiteral("AB2")).has_value());
    const auto settings = queue.settings();
    ASSERT_TRUE(settings.has_value());
    EXPECT_EQ(settings->value(QStringLiteral("keepinseconds")).toInt(), 4);
    EXPECT_EQ(settings->value(QStringLiteral("NotFound")).toString(), QStringLiteral("Who?"));
    EXPECT_TRUE(settings->isNull(QStringLiteral("PW")));
    queue.keepStaff({});
    EXPECT_FALSE(queue.findStaff(QStringLiteral("AB1")).has_value());
}

TEST(ClockRecords, LatestPunchesTakeTheLastOfTheLatestDayPerEmployee)
{
    TestFolder folder;
    ClockRecords records(folder.database());
    const QDateTime yesterday = morning.addDays(-1);
    // Appended out of time order on purpose: the latest day, then the last appended, decides.
    records.append(punchRecord(QStringLiteral("A1"), morning, false));
    records.append(punchRecord(QStringLiteral("A1"), yesterday.addSecs(3600), true));
    records.append(punchRecord(QStringLiteral("B2"), morning, false));
    records.append(punchRecord(QStringLiteral("B2"), morning.addSecs(-60), true));
    records.append(punchRecord(QStringLiteral("C3"), yesterday.addDays(-5), false));
    const auto latest = records.latestPunches(DayNumber::of(yesterday));
    EXPECT_EQ(latest.size(), 2);
    EXPECT_FALSE(latest.value(QStringLiteral("A1")).clockOut);
    EXPECT_TRUE(latest.value(QStringLiteral("B2")).clockOut);
    EXPECT_FALSE(latest.contains(QStringLiteral("C3")));
}
