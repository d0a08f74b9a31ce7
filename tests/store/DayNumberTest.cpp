#include "store/DayNumber.h"

#include "store/Money.h"
#include "store/StoredTime.h"

#include <gtest/gtest.h>

TEST(DayNumber, KnownDaysAndRoundTrip)
{
    struct Case {
        QDate date;
        qint32 day;
    };
    const Case cases[] = {
        {QDate(1899, 12, 30), 0},    {QDate(1899, 12, 31), 1},    {QDate(2000, 1, 1), 36526},
        {QDate(2026, 12, 4), 46360}, {QDate(2024, 2, 29), 45351}, {QDate(1800, 1, 1), -36522},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DayNumber::of(c.date), c.day) << c.date.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(DayNumber::toDate(c.day), c.date);
    }
}

TEST(DayNumber, TimeOfDayIsDropped)
{
    const QDate d(2026, 12, 4);
    EXPECT_EQ(DayNumber::of(QDateTime(d, QTime(23, 59, 59))), DayNumber::of(QDateTime(d, QTime(0, 0))));
    EXPECT_EQ(DayNumber::of(QDateTime(d.addDays(1), QTime(0, 0, 1))),
              DayNumber::of(QDateTime(d, QTime(23, 59, 59))) + 1);
}

TEST(StoredTime, SortableTextWithoutFractions)
{
    const QDateTime t(QDate(2026, 3, 9), QTime(2, 30, 5, 999));
    EXPECT_EQ(StoredTime::toText(t), QStringLiteral("2026-03-09 02:30:05"));
    EXPECT_EQ(StoredTime::fromText(QStringLiteral("2026-12-04 23:59:59")),
              QDateTime(QDate(2026, 12, 4), QTime(23, 59, 59)));
    EXPECT_FALSE(StoredTime::fromText(QStringLiteral("garbage")).isValid());
}

TEST(Money, ParseAndFormat)
{
    struct Case {
        const char* text;
        std::optional<qint64> units;
        const char* plain;
    };
    const Case cases[] = {
        {"12.5", 125000, "12.5"},    {" 12.50 ", 125000, "12.5"}, {".25", 2500, "0.25"},
        {"3", 30000, "3"},           {"-0.0001", -1, "-0.0001"},  {"0.12345", std::nullopt, ""},
        {"1.2.3", std::nullopt, ""}, {"", std::nullopt, ""},      {".", std::nullopt, ""},
        {"12a", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        const auto parsed = Money::parse(QString::fromLatin1(c.text));
        ASSERT_EQ(parsed.has_value(), c.units.has_value()) << c.text;
        if (parsed) {
            EXPECT_EQ(parsed->units(), *c.units) << c.text;
            EXPECT_EQ(parsed->toString(), QString::fromLatin1(c.plain)) << c.text;
        }
    }
}

TEST(Money, SumsStayExact)
{
    Money total;
    for (int i = 0; i < 1000; ++i)
        total += *Money::parse(QStringLiteral("0.1"));
    EXPECT_EQ(total.toString(), QStringLiteral("100"));
    EXPECT_EQ(Money::fromUnits(125050).toFixed(2), QStringLiteral("12.51"));
    EXPECT_EQ(Money::fromUnits(-125050).toFixed(2), QStringLiteral("-12.51"));
}
