#include "PayFixture.h"
#include "PunchRecord.h"
#include "TestFolder.h"
#include "pay/PayAmount.h"
#include "pay/WorkCalendar.h"
#include "store/ClockRecords.h"

#include <gtest/gtest.h>

using namespace PayFixture;

namespace {
// The week of Sunday 7 June 2026; Monday is 8 June. No clock change near it.
struct WeekCase {
    const char* name;
    PayRules rules;
    std::vector<Shift> shifts;
    const char* first;
    const char* last;
    PayMinutes expected;
    const char* gross; // at 20.00 an hour
};

PayRules withWorkdayStart(PayRules rules, int minutes)
{
    rules.workdayStartMinutes = minutes;
    return rules;
}

PayRules split(PayRules rules)
{
    rules.splitAtWorkdayStart = true;
    return rules;
}

const WeekCase weekCases[] = {
    {"FortyFiveHourWeekHasFiveHoursOvertime",
     weekly(),
     everyDay("2026-06-08", 5, "08:00", "17:00"),
     "2026-06-07",
     "2026-06-13",
     {2400, 300, 0},
     "950.00"},
    {"ThirteenHourDayUnderDailyEightAndTwelve",
     california(),
     everyDay("2026-06-08", 1, "06:00", "19:00"),
     "2026-06-07",
     "2026-06-13",
     {480, 240, 60},
     "320.00"},
    {"DailyOvertimeIsNotCountedAgainTowardTheWeek",
     california(),
     everyDay("2026-06-08", 1, "08:00", "20:00") + everyDay("2026-06-09", 4, "08:00", "16:00") +
         everyDay("2026-06-13", 1, "08:00", "12:00"),
     "2026-06-07",
     "2026-06-13",
     {2400, 480, 0},
     "1040.00"},
    {"SixNineHourDaysAreFourteenHoursOvertime",
     california(),
     everyDay("2026-06-08", 6, "08:00", "17:00"),
     "2026-06-07",
     "2026-06-13",
     {2400, 840, 0},
     "1220.00"},
    {"TwoNightsSplitAtMidnightMakeASixteenHourDay",
     california(true),
     everyDay("2026-06-08", 2, "16:00", "08:00"),
     "2026-06-07",
     "2026-06-13",
     {1440, 240, 240},
     "760.00"},
    {"TwoNightsEachWhollyOnTheDayOfTheirIn",
     california(),
     everyDay("2026-06-08", 2, "16:00", "08:00"),
     "2026-06-07",
     "2026-06-13",
     {960, 480, 480},
     "880.00"},
    {"EveningShiftSplitIntoTwoShortDays",
     california(true),
     everyDay("2026-06-08", 1, "18:00", "06:00"),
     "2026-06-07",
     "2026-06-13",
     {720, 0, 0},
     "240.00"},
    {"EveningShiftWhollyOnItsInDay",
     california(),
     everyDay("2026-06-08", 1, "18:00", "06:00"),
     "2026-06-07",
     "2026-06-13",
     {480, 240, 0},
     "280.00"},
    {"WorkdayStartingAtFourKeepsEachNightTogether",
     withWorkdayStart(california(true), 16 * 60),
     everyDay("2026-06-08", 2, "16:00", "08:00"),
     "2026-06-07",
     "2026-06-13",
     {960, 480, 480},
     "880.00"},
    {"SeventhDayIsOvertime",
     california(),
     everyDay("2026-06-07", 7, "08:00", "14:00"),
     "2026-06-07",
     "2026-06-13",
     {2160, 360, 0},
     "900.00"},
    {"SeventhDayBeyondEightHoursIsDouble",
     california(),
     everyDay("2026-06-07", 6, "08:00", "13:00") + everyDay("2026-06-13", 1, "08:00", "18:00"),
     "2026-06-07",
     "2026-06-13",
     {1800, 480, 120},
     "920.00"},
    {"SevenDaysAcrossTwoWorkweeksHaveNoSeventhDay",
     california(),
     everyDay("2026-06-10", 7, "08:00", "14:00"),
     "2026-06-07",
     "2026-06-20",
     {2520, 0, 0},
     "840.00"},
    {"SevenDaysWithoutTheSeventhDayRuleOnlyPassTheWeek",
     weekly(),
     everyDay("2026-06-07", 7, "08:00", "14:00"),
     "2026-06-07",
     "2026-06-13",
     {2400, 120, 0},
     "860.00"},
    {"NightAcrossTheWeekStartStaysInTheWeekOfItsIn",
     weekly(),
     everyDay("2026-06-08", 5, "08:00", "16:00") + everyDay("2026-06-13", 1, "22:00", "06:00"),
     "2026-06-07",
     "2026-06-20",
     {2400, 480, 0},
     "1040.00"},
    {"NightAcrossTheWeekStartSplitStartsTheNextWeek",
     split(weekly()),
     everyDay("2026-06-08", 5, "08:00", "16:00") + everyDay("2026-06-13", 1, "22:00", "06:00"),
     "2026-06-07",
     "2026-06-20",
     {2760, 120, 0},
     "980.00"},
    {"NightAcrossThePeriodEndIsPaidInThePeriodOfItsIn",
     weekly(),
     everyDay("2026-06-13", 1, "22:00", "06:00"),
     "2026-06-07",
     "2026-06-13",
     {480, 0, 0},
     "160.00"},
    {"NightAcrossThePeriodEndSplitPaysItsPartInThePeriod",
     split(weekly()),
     everyDay("2026-06-13", 1, "22:00", "06:00"),
     "2026-06-07",
     "2026-06-13",
     {120, 0, 0},
     "40.00"},
    {"NightAcrossThePeriodStartBelongsToThePeriodBefore",
     weekly(),
     everyDay("2026-06-06", 1, "22:00", "06:00"),
     "2026-06-07",
     "2026-06-13",
     {0, 0, 0},
     "0.00"},
    {"NightAcrossThePeriodStartSplitPaysItsPartInThePeriod",
     split(weekly()),
     everyDay("2026-06-06", 1, "22:00", "06:00"),
     "2026-06-07",
     "2026-06-13",
     {360, 0, 0},
     "120.00"},
    {"PeriodStartingMidweekCountsTheWeeksEarlierDays",
     weekly(),
     everyDay("2026-06-08", 5, "08:00", "18:00"),
     "2026-06-11",
     "2026-06-13",
     {600, 600, 0},
     "500.00"},
};

void PrintTo(const WeekCase& c, std::ostream* os)
{
    *os << c.name;
}

class WeekRules : public testing::TestWithParam<WeekCase> {};

TEST_P(WeekRules, MinutesByKindAndGross)
{
    const WeekCase& c = GetParam();
    const PayResult result = compute(request(c.first, c.last, c.rules), rows("E1", c.shifts));
    EXPECT_EQ(result.paid, c.expected);
    EXPECT_EQ(result.gross.toFixed(2), QString::fromLatin1(c.gross));
}

INSTANTIATE_TEST_SUITE_P(Pay, WeekRules, testing::ValuesIn(weekCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(Pay, CaliforniaWeekAtTwentyFiveIsTwelveHundredSeventyFive)
{
    // Mon 10, Tue 8, Wed 13, Thu 8, Fri 8
    const PayResult result = compute(request("2026-06-07", "2026-06-13", california()),
                                     rows("E1", {{"2026-06-08 08:00", "2026-06-08 18:00"},
                                                 {"2026-06-09 08:00", "2026-06-09 16:00"},
                                                 {"2026-06-10 07:00", "2026-06-10 20:00"},
                                                 {"2026-06-11 08:00", "2026-06-11 16:00"},
                                                 {"2026-06-12 08:00", "2026-06-12 16:00"}}),
                                     "25");
    ASSERT_EQ(result.employees.size(), 1);
    const EmployeePay& e = result.employees[0];
    EXPECT_EQ(e.paid, (PayMinutes{2400, 360, 60}));
    EXPECT_EQ(e.gross.toFixed(2), QStringLiteral("1275.00"));
    const PayMinutes days[] = {{480, 120, 0}, {480, 0, 0}, {480, 240, 60}, {480, 0, 0}, {480, 0, 0}};
    ASSERT_EQ(e.workdays.size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(e.workdays[i].day, day("2026-06-08") + i);
        EXPECT_EQ(e.workdays[i].paid, days[i]) << i;
        EXPECT_EQ(e.workdays[i].rate, money("25"));
    }
}

TEST(Pay, MinutesOfADayFallToItsPairsInTimeOrder)
{
    // Monday 10 hours; Tuesday 10 and 2; Wednesday's 13 hours in two pairs: 5, then 8.
    const PayResult result = compute(request("2026-06-07", "2026-06-13", california()),
                                     rows("E1", {{"2026-06-08 08:00", "2026-06-08 18:00"},
                                                 {"2026-06-09 08:00", "2026-06-09 18:00"},
                                                 {"2026-06-09 20:00", "2026-06-09 22:00"},
                                                 {"2026-06-10 07:00", "2026-06-10 12:00"},
                                                 {"2026-06-10 12:30", "2026-06-10 20:30"}}));
    ASSERT_EQ(result.employees.size(), 1);
    const QList<PairPay>& pairs = result.employees[0].pairs;
    ASSERT_EQ(pairs.size(), 5);
    // Tuesday's evening pair comes after its eight regular hours.
    EXPECT_EQ(pairs[2].paid, (PayMinutes{0, 120, 0}));
    // Wednesday: 8 regular, 4 overtime, 1 double, in that order.
    EXPECT_EQ(pairs[3].paid, (PayMinutes{300, 0, 0}));
    EXPECT_EQ(pairs[4].paid, (PayMinutes{180, 240, 60}));
    EXPECT_EQ(pairs[4].workday, day("2026-06-10"));
}

TEST(Pay, RateChangeInMidWeekPaysEachDayAtItsRate)
{
    const QList<ReportRow> list = rows("E1", everyDay("2026-06-08", 5, "08:00", "17:00"));
    PayRates rates;
    rates[QStringLiteral("E1")] = {money("10"),
                                   {{day("2026-06-20"), money("99")},
                                    {day("2026-06-10"), money("30")},
                                    {day("2026-05-01"), money("20")}}};
    const PayResult result =
        PayCalculation(request("2026-06-07", "2026-06-13", weekly()), noDeduction(), rates).compute(list);
    ASSERT_EQ(result.employees.size(), 1);
    // 18 h × 20 + 22 h × 30 + 5 h × 45
    EXPECT_EQ(result.employees[0].gross.toFixed(2), QStringLiteral("1245.00"));
    EXPECT_EQ(result.employees[0].rates, (QList<Money>{money("20"), money("30")}));
}

TEST(Pay, RateOnADayIsTheLatestChangeUpToIt)
{
    const EmployeeRates rates{money("10"), {{20, money("25")}, {10, money("15")}, {20, money("26")}}};
    const struct {
        qint32 day;
        const char* rate;
    } cases[] = {{9, "10"}, {10, "15"}, {19, "15"}, {20, "26"}, {400, "26"}};
    for (const auto& c : cases)
        EXPECT_EQ(rates.rateOn(c.day), money(c.rate)) << c.day;
}

TEST(Pay, WorkdaysAndWorkweeksFollowTheirStarts)
{
    PayRules rules;
    rules.workdayStartMinutes = 6 * 60;
    const struct {
        Qt::DayOfWeek start;
        const char* date;
        const char* weekStart;
    } weeks[] = {{Qt::Sunday, "2026-06-10", "2026-06-07"},
                 {Qt::Sunday, "2026-06-07", "2026-06-07"},
                 {Qt::Monday, "2026-06-14", "2026-06-08"},
                 {Qt::Saturday, "2026-06-13", "2026-06-13"},
                 {Qt::Saturday, "2026-06-12", "2026-06-06"}};
    for (const auto& w : weeks) {
        rules.workweekStart = w.start;
        EXPECT_EQ(WorkCalendar(rules).weekOf(day(w.date)), day(w.weekStart)) << w.date;
    }
    const WorkCalendar calendar(rules);
    EXPECT_EQ(calendar.workdayOf(clockFace("2026-06-10 05:59")), day("2026-06-09"));
    EXPECT_EQ(calendar.workdayOf(clockFace("2026-06-10 06:00")), day("2026-06-10"));
}

TEST(Pay, RowsReadForAPeriodHoldItsWorkweekAndItsLastNightsOut)
{
    // A period from Wednesday: Monday and Tuesday still fill the week's forty regular hours.
    TestFolder folder;
    ClockRecords records(folder.database());
    for (const Shift& s : everyDay("2026-06-01", 1, "08:00", "18:00") +
                              everyDay("2026-06-08", 5, "08:00", "18:00") +
                              everyDay("2026-06-13", 1, "22:00", "06:00"))
        for (const bool out : {false, true}) {
            const QByteArray& t = out ? s.out : s.in;
            records.append(punchRecord(
                QStringLiteral("E1"),
                QDateTime::fromString(QString::fromLatin1(t), QStringLiteral("yyyy-MM-dd HH:mm")), out));
        }
    const PayRequest r = request("2026-06-10", "2026-06-13", weekly());
    const auto [from, to] = PayCalculation::rowDays(r.firstDay, r.lastDay, r.rules);
    const QList<ReportRow> list =
        ReportRows::select(folder.database(), from, to, ReportRows::Order::Employee);
    const PayResult result = compute(r, list);
    EXPECT_EQ(result.paid, (PayMinutes{1200, 1080, 0}));
    EXPECT_TRUE(result.openPairs.isEmpty());
}
} // namespace
