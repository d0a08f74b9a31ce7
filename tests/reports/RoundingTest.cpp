#include "reports/Rounding.h"

#include <gtest/gtest.h>

namespace {
QDateTime at(int day, int hour, int minute, int second = 0)
{
    return QDateTime(QDate(2026, 12, day), QTime(hour, minute, second));
}

QDateTime roundedIn(int code, const QDateTime& t)
{
    return Rounding::toDateTime(RoundingCode(code).roundIn(Rounding::toSeconds(t)));
}

QDateTime roundedOut(int code, const QDateTime& t)
{
    return Rounding::toDateTime(RoundingCode(code).roundOut(Rounding::toSeconds(t)));
}
} // namespace

TEST(Rounding, EveryRuleAtItsEdges)
{
    using Rule = qint64 (*)(qint64);
    const struct {
        const char* name;
        Rule rule;
        QDateTime in;
        QDateTime out;
    } cases[] = {
        {"quarter: 7:59 past goes down", Rounding::nearestQuarter, at(4, 8, 7, 59), at(4, 8, 0)},
        {"quarter: 8:00 past goes up", Rounding::nearestQuarter, at(4, 8, 8), at(4, 8, 15)},
        {"quarter: on a quarter stays, seconds dropped", Rounding::nearestQuarter, at(4, 8, 15, 40),
         at(4, 8, 15)},
        {"quarter: into the next day", Rounding::nearestQuarter, at(4, 23, 53), at(5, 0, 0)},
        {"next quarter: a quarter moves on", Rounding::nextQuarter, at(4, 8, 0), at(4, 8, 15)},
        {"next quarter: 14:59 past", Rounding::nextQuarter, at(4, 8, 14, 59), at(4, 8, 15)},
        {"next quarter: into the next day", Rounding::nextQuarter, at(4, 23, 50), at(5, 0, 0)},
        {"previous quarter: a quarter stays with its seconds", Rounding::previousQuarter, at(4, 17, 0, 30),
         at(4, 17, 0, 30)},
        {"previous quarter keeps seconds", Rounding::previousQuarter, at(4, 17, 14, 59), at(4, 17, 0, 59)},
        {"5 minutes: 2:59 goes down", Rounding::nearestFiveMinutes, at(4, 8, 2, 59), at(4, 8, 0)},
        {"5 minutes: 3:00 goes up", Rounding::nearestFiveMinutes, at(4, 8, 3), at(4, 8, 5)},
        {"5 minutes: 12:58 gives 13:00", Rounding::nearestFiveMinutes, at(4, 12, 58), at(4, 13, 0)},
        {"5 minutes: 23:58 gives midnight", Rounding::nearestFiveMinutes, at(4, 23, 58), at(5, 0, 0)},
        {"6 minutes: 3 goes up", Rounding::nearestSixMinutes, at(4, 8, 3), at(4, 8, 6)},
        {"6 minutes: 2:59 goes down", Rounding::nearestSixMinutes, at(4, 8, 2, 59), at(4, 8, 0)},
        {"6 minutes: 57 goes to the hour", Rounding::nearestSixMinutes, at(4, 8, 57), at(4, 9, 0)},
        {"no adjustment drops seconds", Rounding::noAdjustment, at(4, 8, 7, 45), at(4, 8, 7)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Rounding::apply(c.rule, c.in), c.out) << c.name;
}

TEST(Rounding, CodeChoosesTheInAndOutRules)
{
    EXPECT_EQ(roundedIn(13, at(4, 8, 7, 59)), at(4, 8, 0));
    EXPECT_EQ(roundedIn(13, at(4, 8, 8)), at(4, 8, 15));
    EXPECT_EQ(roundedOut(13, at(4, 16, 52, 40)), at(4, 16, 52));
    EXPECT_EQ(roundedIn(22, at(4, 8, 0)), at(4, 8, 15));
    EXPECT_EQ(roundedOut(22, at(4, 8, 10)), at(4, 8, 0));
    EXPECT_EQ(roundedIn(55, at(4, 8, 3)), at(4, 8, 6));
    EXPECT_EQ(roundedOut(55, at(4, 8, 2, 59)), at(4, 8, 0));
    EXPECT_EQ(roundedOut(12, at(4, 17, 0)), at(4, 17, 0));
    EXPECT_EQ(roundedIn(44, at(4, 23, 58)), at(5, 0, 0));
}

TEST(Rounding, CodesFromOptionsAndFromText)
{
    EXPECT_EQ(RoundingCode::fromOptions(0, 2).code(), 13);
    EXPECT_EQ(RoundingCode::fromOptions(4, 1).code(), 52);
    EXPECT_EQ(RoundingCode(52).inOption(), 4);
    EXPECT_EQ(RoundingCode(52).outOption(), 1);
    EXPECT_EQ(RoundingCode(0).code(), 33);
    EXPECT_EQ(RoundingCode(60).code(), 33);
    EXPECT_EQ(RoundingCode(16).code(), 33);
    EXPECT_EQ(RoundingCode::parse(QStringLiteral("41"))->code(), 41);
    for (const char* bad : {"", "3", "333", "06", "60", "1a", " 13"})
        EXPECT_FALSE(RoundingCode::parse(QString::fromLatin1(bad))) << bad;
}

TEST(Rounding, LineNamesTheRules)
{
    const struct {
        int code;
        const char* line;
    } cases[] = {
        {33, ""},
        {13, "Clock INs are rounded to the nearest quarter  - "},
        {31, " - Clock OUTs are rounded to the nearest quarter"},
        {22, "Clock INs are rounded UP to the nearest quarter  - Clock OUTs are rounded DOWN to the nearest "
             "quarter "},
        {45, "Clock INs are rounded to the nearest 5 minutes  - Clock OUTs are rounded to the nearest 6 "
             "minutes "},
        {54, "Clock INs are rounded to the nearest 6 minutes  - Clock OUTs are rounded to the nearest 5 "
             "minutes "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundingCode(c.code).line(), QString::fromLatin1(c.line)) << c.code;
}

TEST(Rounding, WarnsOnlyWhenAnOutCanPrecedeItsIn)
{
    for (int code : {21, 22, 23, 12, 32, 52})
        EXPECT_TRUE(RoundingCode(code).needsWarning()) << code;
    for (int code : {11, 13, 33, 44, 55, 31})
        EXPECT_FALSE(RoundingCode(code).needsWarning()) << code;
    EXPECT_EQ(Rounding::warningText(),
              QStringLiteral("Caution...\nIn this rounding combination, Stop times could\n"
                             "precede some Start times in the report."));
}
