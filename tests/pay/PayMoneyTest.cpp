#include "PayFixture.h"
#include "pay/PayAmount.h"

#include <gtest/gtest.h>

using namespace PayFixture;

namespace {
TEST(Pay, AmountsRoundToTheCentHalfAwayFromZero)
{
    const struct {
        qint64 minutes;
        const char* rate;
        qint32 multiplier;
        const char* cents;
    } cases[] = {
        {1, "0.30", 10000, "0.01"},   // exactly half a cent
        {1, "0.2999", 10000, "0.00"}, // just under
        {1, "0.20", 15000, "0.01"},   // half a cent at time and a half
        {3, "0.10", 10000, "0.01"},   // half a cent from three minutes
        {1, "-0.30", 10000, "-0.01"},
        {60, "18.505", 10000, "18.51"},
        {45, "18.50", 20000, "27.75"},
        {525600, "1000", 20000, "17520000.00"}, // a year at double time does not overflow
    };
    for (const auto& c : cases) {
        PayAmount amount;
        amount.add(c.minutes, money(c.rate), c.multiplier);
        EXPECT_EQ(amount.toCents().toFixed(2), QString::fromLatin1(c.cents)) << c.minutes << " " << c.rate;
    }
}

TEST(Pay, GrossIsRoundedOncePerEmployeeAndTotalsAddTheRoundedAmounts)
{
    // One minute at 0.30 is half a cent: once per employee, not once per day.
    QList<ReportRow> list;
    add(list, "A1", {{"2026-06-08 08:00", "2026-06-08 08:01"}, {"2026-06-09 08:00", "2026-06-09 08:01"}});
    add(list, "B2", {{"2026-06-08 08:00", "2026-06-08 08:01"}});
    add(list, "C3", {{"2026-06-08 08:00", "2026-06-08 08:01"}});
    const PayResult result = compute(request("2026-06-07", "2026-06-13", weekly()), list, "0.30");
    ASSERT_EQ(result.employees.size(), 3);
    EXPECT_EQ(result.employees[0].gross.toFixed(2), QStringLiteral("0.01"));
    EXPECT_EQ(result.employees[1].gross.toFixed(2), QStringLiteral("0.01"));
    EXPECT_EQ(result.gross.toFixed(2), QStringLiteral("0.03"));
}

TEST(Pay, TipsCountWithTheirPairsWorkdayAndOnlyWhenReported)
{
    QList<ReportRow> list;
    add(list, "A1", {{"2026-06-13 22:00", "2026-06-14 06:00"}, {"2026-06-14 22:00", "2026-06-15 06:00"}},
        "5");
    add(list, "A1", {{nullptr, "2026-06-12 09:00"}}, "2.5"); // an OUT alone keeps its own day's tip
    const PayRequest week = request("2026-06-07", "2026-06-13", weekly());
    SettingsRecord s = noDeduction();
    EXPECT_EQ(compute(week, list, "20", s).tips.toFixed(2), QStringLiteral("7.50"));
    s.reportTips = false;
    EXPECT_EQ(compute(week, list, "20", s).tips.toFixed(2), QStringLiteral("0.00"));
}

TEST(Pay, EmployeeWithoutARateIsPaidNothingButCounted)
{
    const QList<ReportRow> list = rows("E1", {{"2026-06-08 08:00", "2026-06-08 16:00"}});
    const PayResult result =
        PayCalculation(request("2026-06-07", "2026-06-13", weekly()), noDeduction(), PayRates())
            .compute(list);
    ASSERT_EQ(result.employees.size(), 1);
    EXPECT_EQ(result.employees[0].paid.regular, 480);
    EXPECT_EQ(result.employees[0].gross, Money());
}
} // namespace
