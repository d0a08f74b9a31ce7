#include "staff/PayRateEditing.h"

#include <gtest/gtest.h>

namespace {
TEST(PayRateEditing, TypedRatesAreExactAmountsOfNothingOrMore)
{
    const struct {
        const char* typed;
        qint64 units; // -1: refused
    } cases[] = {{"18.50", 185000}, {" 18.5 ", 185000}, {"0", 0}, {"12.3456", 123456}, {"18,50", -1},
                 {"-2", -1},        {"1.23456", -1},    {"", -1}, {"18.50 $", -1}};
    for (const auto& c : cases) {
        const auto rate = PayRateEditing::rateOf(QString::fromLatin1(c.typed));
        if (c.units < 0)
            EXPECT_TRUE(std::holds_alternative<QString>(rate)) << c.typed;
        else
            EXPECT_EQ(std::get<Money>(rate).units(), c.units) << c.typed;
    }
}

TEST(PayRateEditing, OneRatePerDayKeptInDayOrder)
{
    const auto row = [](qint32 day, qint64 units) {
        return PayRateRow{QStringLiteral("A1"), day, Money::fromUnits(units)};
    };
    QList<PayRateRow> rates;
    rates = PayRateEditing::withRate(rates, row(200, 1));
    rates = PayRateEditing::withRate(rates, row(100, 2));
    rates = PayRateEditing::withRate(rates, row(300, 3));
    rates = PayRateEditing::withRate(rates, row(200, 4)); // the rate of that day changes in place
    EXPECT_EQ(rates, (QList<PayRateRow>{row(100, 2), row(200, 4), row(300, 3)}));
    EXPECT_EQ(PayRateEditing::without(rates, 200), (QList<PayRateRow>{row(100, 2), row(300, 3)}));
    EXPECT_EQ(PayRateEditing::without(rates, 150), rates);
}

TEST(PayRateEditing, RatesShowCentsOrEveryDecimalKept)
{
    EXPECT_EQ(PayRateEditing::rateText(Money::fromUnits(185000)), QStringLiteral("18.50"));
    EXPECT_EQ(PayRateEditing::rateText(Money::fromUnits(0)), QStringLiteral("0.00"));
    EXPECT_EQ(PayRateEditing::rateText(Money::fromUnits(181234)), QStringLiteral("18.1234"));
    EXPECT_EQ(PayRateEditing::rateText(Money::fromUnits(181230)), QStringLiteral("18.123"));
}
} // namespace
