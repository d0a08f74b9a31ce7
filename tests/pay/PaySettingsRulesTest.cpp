#include "pay/PaySettingsRules.h"

#include "settings/SettingsIo.h"
#include "settings/SettingsTable.h"

#include <gtest/gtest.h>

// A new database pays by the rules a business without daily rules expects; what the settings say
// as typed reaches the computation in its units.
TEST(PaySettingsRules, SettingsAsTypedBecomeTheRulesOfTheComputation)
{
    const PayRules fresh = PaySettingsRules::rules(SettingsRecord());
    EXPECT_EQ(fresh.workweekStart, Qt::Sunday);
    EXPECT_EQ(fresh.workdayStartMinutes, 0);
    EXPECT_EQ(fresh.weeklyOvertimeAfter, 2400);
    EXPECT_FALSE(fresh.dailyOvertime || fresh.dailyDouble || fresh.seventhDay || fresh.splitAtWorkdayStart);
    EXPECT_EQ(fresh.overtimeMultiplier, 15000);
    EXPECT_EQ(fresh.doubleMultiplier, 20000);
    EXPECT_EQ(PaySettingsRules::rounding(SettingsRecord()).code(), 33);

    SettingsChange change;
    const std::pair<const char*, const char*> typed[] = {
        {"pay.workweek_start", "Wednesday"},  {"pay.workday_start", "22:00"},
        {"pay.weekly_overtime", "0"},         {"pay.daily_overtime", "on"},
        {"pay.daily_overtime_after", "7:30"}, {"pay.daily_double", "on"},
        {"pay.daily_double_after", "11:45"},  {"pay.seventh_day", "on"},
        {"pay.overtime_rate", "1.25"},        {"pay.double_rate", "2.125"},
        {"pay.split_at_workday_start", "on"}, {"pay.rounding", "41"},
    };
    for (const auto& [key, text] : typed)
        change.set(QString::fromLatin1(key), QString::fromLatin1(text));
    const SettingsRecord held = SettingsIo::save(change, SettingsRecord()).held;
    const PayRules rules = PaySettingsRules::rules(held);
    EXPECT_EQ(rules.workweekStart, Qt::Wednesday);
    EXPECT_EQ(rules.workdayStartMinutes, 22 * 60);
    EXPECT_EQ(rules.weeklyOvertimeAfter, 0);
    EXPECT_TRUE(rules.dailyOvertime && rules.dailyDouble && rules.seventhDay && rules.splitAtWorkdayStart);
    EXPECT_EQ(rules.dailyOvertimeAfter, 450);
    EXPECT_EQ(rules.dailyDoubleAfter, 705);
    EXPECT_EQ(rules.overtimeMultiplier, 12500);
    EXPECT_EQ(rules.doubleMultiplier, 21250);
    EXPECT_EQ(PaySettingsRules::rounding(held).code(), 41);
}
