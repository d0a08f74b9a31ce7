#include "PayFixture.h"

#include <gtest/gtest.h>

using namespace PayFixture;

namespace {
struct ZoneCase {
    const char* zone;
    const char* in;
    const char* out;
    qint64 minutes;
};

// Worked time is the time that really passed in the station's zone.
const ZoneCase zoneCases[] = {
    {"America/New_York", "2026-10-31 22:00", "2026-11-01 06:00", 540}, // clocks go back
    {"America/New_York", "2026-03-07 22:00", "2026-03-08 06:00", 420}, // clocks go forward
    {"Europe/Berlin", "2026-10-24 22:00", "2026-10-25 06:00", 540},
    {"Europe/Berlin", "2026-03-28 22:00", "2026-03-29 06:00", 420},
    // The repeated hour: the IN in its first pass, the OUT in its second.
    {"America/New_York", "2026-11-01 01:30", "2026-11-01 01:45", 75},
    {"Europe/Berlin", "2026-10-25 02:10", "2026-10-25 02:50", 100},
    // Across the skipped hour, and out of it: a skipped time reads as just after the change.
    {"America/New_York", "2026-03-08 01:30", "2026-03-08 03:30", 60},
    {"America/New_York", "2026-03-08 02:30", "2026-03-08 04:00", 30},
    {"Europe/Berlin", "2026-03-29 08:00", "2026-03-29 16:00", 480},
    {"Asia/Kolkata", "2026-10-31 22:00", "2026-11-01 06:00", 480}, // a zone without changes
};

void PrintTo(const ZoneCase& c, std::ostream* os)
{
    *os << c.zone << " " << c.in << " to " << c.out;
}

class ZoneNights : public testing::TestWithParam<ZoneCase> {};

TEST_P(ZoneNights, CountTheTimeThatPassed)
{
    const ZoneCase& c = GetParam();
    const ZonePin pin(c.zone);
    PayRequest r = request("2026-01-01", "2026-12-31", weekly());
    r.zone = QTimeZone::systemTimeZone();
    ASSERT_EQ(r.zone.id(), QByteArray(c.zone));
    const PayResult result = compute(r, rows("E1", {{c.in, c.out}}));
    ASSERT_EQ(result.employees.size(), 1);
    EXPECT_EQ(result.employees[0].pairs[0].minutes, c.minutes);
    EXPECT_EQ(result.paid.regular, c.minutes);
}

INSTANTIATE_TEST_SUITE_P(Pay, ZoneNights, testing::ValuesIn(zoneCases));

struct DeductionCase {
    const char* name;
    int rounding;
    PayRules rules;
    Shift shift;
    qint64 paid;
};

PayRules splitAtMidnight()
{
    PayRules r;
    r.splitAtWorkdayStart = true;
    return r;
}

// Breaks of 30 minutes after every 300; the week of 7 June 2026 is paid, the clocks change on
// 1 November in New York.
const DeductionCase deductionCases[] = {
    // 08:00 to 13:15 after rounding: 315 minutes earn a break.
    {"RoundingOutwardEarnsABreak", 11, weekly(), {"2026-06-08 08:07:59", "2026-06-08 13:08"}, 285},
    {"UnroundedSameTimesAlsoEarnOne", 33, weekly(), {"2026-06-08 08:07:59", "2026-06-08 13:08"}, 271},
    // 08:15 to 13:00: 285 minutes, no break.
    {"RoundingInwardLosesTheBreak", 11, weekly(), {"2026-06-08 08:08", "2026-06-08 13:07"}, 285},
    {"UnroundedShortPairHasNoBreak", 33, weekly(), {"2026-06-08 08:08", "2026-06-08 13:07"}, 299},
    // Later and earlier to the quarter put this OUT before its IN: nothing is paid.
    {"OutRoundedBeforeItsInPaysNothing", 22, weekly(), {"2026-06-08 08:00", "2026-06-08 08:10"}, 0},
    // The deduction is taken on the workday of the IN, the part after midnight is the next period's.
    {"SplitNightLosesItsBreakOnItsFirstDay",
     33,
     splitAtMidnight(),
     {"2026-06-13 22:00", "2026-06-14 06:00"},
     90},
    // Nine hours on the night the clocks go back, one break as the report counts eight.
    {"LongNightBreaksCountOnTheClockFace", 33, weekly(), {"2026-10-31 22:00", "2026-11-01 06:00"}, 510},
};

void PrintTo(const DeductionCase& c, std::ostream* os)
{
    *os << c.name;
}

class Deductions : public testing::TestWithParam<DeductionCase> {};

TEST_P(Deductions, FollowTheReportsRoundedPairs)
{
    const DeductionCase& c = GetParam();
    SettingsRecord s = noDeduction();
    s.autoDeduct = true;
    s.minBeforeDed = 300;
    s.minutesToDeduct = 30;
    const bool lateYear = QByteArray(c.shift.in).startsWith("2026-10");
    const PayResult result = compute(request(lateYear ? "2026-10-25" : "2026-06-07",
                                             lateYear ? "2026-10-31" : "2026-06-13", c.rules, c.rounding),
                                     rows("E1", {c.shift}), "20", s);
    EXPECT_EQ(result.paid.total(), c.paid);
}

INSTANTIATE_TEST_SUITE_P(Pay, Deductions, testing::ValuesIn(deductionCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(Pay, PairsAreTheReportsPairsAndUnclosedInsAreOpen)
{
    QList<ReportRow> list;
    add(list, "a1", {{"2026-06-08 08:00", nullptr}, {"2026-06-08 09:00", "2026-06-08 17:00"}});
    // the same employee with the ID typed in capitals, and an IN that nothing closes
    add(list, "A1", {{"2026-06-09 08:00", "2026-06-09 12:00"}, {"2026-06-10 08:00", nullptr}});
    add(list, "B2", {{nullptr, "2026-06-08 09:00"}, {"2026-06-05 08:00", nullptr}});
    // an IN before the period is not this period's exception
    const PayResult result = compute(request("2026-06-07", "2026-06-13", weekly()), list);
    ASSERT_EQ(result.employees.size(), 1);
    EXPECT_EQ(result.employees[0].id, QStringLiteral("A1"));
    EXPECT_EQ(result.employees[0].paid.regular, 480 + 240);
    ASSERT_EQ(result.openPairs.size(), 2);
    EXPECT_EQ(result.openPairs[0].in, &list[0]);
    EXPECT_EQ(result.openPairs[1].in, &list[5]);
    EXPECT_EQ(result.openPairs[1].workday, day("2026-06-10"));
}
} // namespace
