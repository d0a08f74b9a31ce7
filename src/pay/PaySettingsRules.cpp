#include "pay/PaySettingsRules.h"

PayRules PaySettingsRules::rules(const SettingsRecord& settings)
{
    PayRules rules;
    rules.workweekStart = static_cast<Qt::DayOfWeek>(settings.payWorkweekStart);
    rules.workdayStartMinutes = settings.payWorkdayStart;
    rules.weeklyOvertimeAfter = settings.payWeeklyOvertime;
    rules.dailyOvertime = settings.payDailyOvertime;
    rules.dailyOvertimeAfter = settings.payDailyOvertimeAfter;
    rules.dailyDouble = settings.payDailyDouble;
    rules.dailyDoubleAfter = settings.payDailyDoubleAfter;
    rules.seventhDay = settings.paySeventhDay;
    rules.overtimeMultiplier = settings.payOvertimeMultiplier;
    rules.doubleMultiplier = settings.payDoubleMultiplier;
    rules.splitAtWorkdayStart = settings.paySplitAtWorkdayStart;
    return rules;
}

RoundingCode PaySettingsRules::rounding(const SettingsRecord& settings)
{
    return RoundingCode(settings.payRounding);
}
