#include "store/DayNumber.h"

#include "store/Money.h"

#include <gtest/gtest.h>

TEST(DayNumber, KnownDaysAndRoundTrip)
{
    const std::pair<QDate, qint32> cases[] = {
        {QDate(1899, 12, 30), 0},    {QDate(1899, 12, 31), 1},    {QDate(2000, 1, 1), 36526},
        {QDate(2026, 12, 4), 46360}, {QDate(2024, 2, 29), 45351}, {QDate(1800, 1, 1), -36522},
    };
    for (const auto& [date, day] : cases) {
        EXPECT_EQ(DayNumber::of(date), day) << date.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(DayNumber::of(QDateTime(date, QTime(23, 59, 59))), day); // the time of day is dropped
        EXPECT_EQ(DayNumber::toDate(day), date);
    }
}

TEST(Money, ParseFormatAndSum)
{
    const struct {
        const char* text;
        std::optional<qint64> units;
        const char* plain;
    } cases[] = {
        {"12.5", 125000, "12.5"},    {" 12.50 ", 125000, "12.5"}, {".25", 2500, "0.25"},
        {"3", 30000, "3"},           {"-0.0001", -1, "-0.0001"},  {"0.12345", std::nullopt, ""},
        {"1.2.3", std::nullopt, ""}, {"", std::nullopt, ""},      {".", std::nullopt, ""},
        {"12a", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        const auto parsed = Money::parse(QString::fromLatin1(c.text));
        ASSERT_EQ(parsed.has_value(), c.units.has_value()) << c.text;
        if (parsed) {
            EXPECT_EQ(parsed->units(), *c.units) << c.text;
            EXPECT_EQ(parsed->toString(), QString::fromLatin1(c.plain)) << c.text;
        }
    }
    Money total;
    for (int i = 0; i < 1000; ++i)
        total += *Money::parse(QStringLiteral("0.1"));
    EXPECT_EQ(total.toString(), QStringLiteral("100"));
    EXPECT_EQ(Money::fromUnits(-125050).toFixed(2), QStringLiteral("-12.51"));
}
