#include "PostgresServer.h"
#include "PunchRecord.h"
#include "store/ApplicationTable.h"
#include "store/ClockRecords.h"
#include "store/Database.h"
#include "store/DatabaseLocation.h"
#include "store/StaffTable.h"

#include <gtest/gtest.h>

TEST(ServerStore, OpensLaysOutAndPunches)
{
    TELLARIN_REQUIRE_POSTGRES();
    const QString url = PostgresServer::shared().createDatabase();
    ASSERT_FALSE(url.isEmpty()) << qPrintable(PostgresServer::shared().error());
    Database database;
    const auto result = database.openServer(*DatabaseLocation::parse(url));
    ASSERT_TRUE(result.ok()) << qPrintable(result.errorText);
    ClockRecords records(database);
    const QDateTime t(QDate(2026, 12, 4), QTime(8, 0));
    const QString id = QStringLiteral("O'Brien");
    const qint64 first = records.append(punchRecord(id, t, false));
    const auto latest = records.latestPunchFor(QStringLiteral("o'brien"));
    ASSERT_TRUE(latest.has_value());
    EXPECT_FALSE(latest->clockOut);
    EXPECT_EQ(latest->recordNumber, first);
    const qint64 second = records.appendPunch(id, [&](const auto& last) {
        auto r = punchRecord(id, t.addSecs(3600), last && !last->clockOut);
        return std::optional<ClockRecord>(r);
    });
    EXPECT_GT(second, first);
    EXPECT_TRUE(records.latestPunchFor(id)->clockOut);

    StaffTable staff(database);
    staff.replaceAll({StaffRow{QStringLiteral("Ann"), 1, 46000, QStringLiteral(" ab1 "), 2, 32, 68}});
    ASSERT_TRUE(staff.find(QStringLiteral("AB1")).has_value());
    EXPECT_EQ(staff.all().size(), 1);

    ApplicationTable application(database);
    application.write(
        {{QStringLiteral("EarlyLimit"), 15}, {QStringLiteral("TipsWord"), QStringLiteral("Tips")}});
    EXPECT_EQ(application.read().value(QStringLiteral("earlylimit")).toInt(), 15);
    EXPECT_EQ(application.read().value(QStringLiteral("KeepInSeconds")).toInt(), 3);
    EXPECT_TRUE(application.fieldNames().contains(QStringLiteral("ScreenInOutDays")));
}
