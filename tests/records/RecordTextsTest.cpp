#include "records/RecordTexts.h"

#include "PunchRecord.h"

#include <gtest/gtest.h>

using namespace RecordTexts;

namespace {
const QDate day(2026, 12, 4); // day number 46360

QDateTime at(int hour, int minute, int second = 0)
{
    return QDateTime(day, QTime(hour, minute, second));
}
} // namespace

TEST(RecordTexts, SortKeysRoundPastThirtySecondsAndPadToFourDigits)
{
    const struct {
        QDateTime time;
        const char* key;
    } cases[] = {
        {at(0, 0), "463600000"},     {at(0, 5, 30), "463600005"},
        {at(0, 5, 31), "463600006"}, {at(7, 59, 31), "463600480"}, // sorts as 08:00
        {at(8, 0), "463600480"},     {at(23, 59, 59), "463601440"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sortKey(c.time), QLatin1String(c.key)) << c.time.toString().toStdString();
}

TEST(RecordTexts, ListOrderFollowsKeysAndKeepsEqualKeysAsSelected)
{
    ClockRecord late = punchRecord(QStringLiteral("A"), at(8, 0), false);
    late.recordNumber = 1;
    ClockRecord early = punchRecord(QStringLiteral("A"), at(7, 59, 31), true);
    early.recordNumber = 2;
    ClockRecord first = punchRecord(QStringLiteral("A"), at(6, 0), false);
    first.recordNumber = 3;
    QList<qint64> order;
    for (const ClockRecord& r : inListOrder({late, early, first}))
        order.append(r.recordNumber);
    EXPECT_EQ(order, (QList<qint64>{3, 1, 2}));
}

TEST(RecordTexts, ListLinesUnderBothClocks)
{
    ClockRecord r = punchRecord(QStringLiteral("E'7"), at(14, 5, 40), true, QStringLiteral("Ann Lee"));
    r.options = 5;
    EXPECT_EQ(listLine(r, false), QStringLiteral("Ann Lee\tE'7\tFri\t04-Dec-26     14:05\t Out\tIn late"));
    r.options = 9;
    r.clockOut = false;
    EXPECT_EQ(listLine(r, true), QStringLiteral("Ann Lee\tE'7\tFri\t04-Dec-26   02:05 PM\t In\t"));
    EXPECT_EQ(timeBoxText(at(0, 7), true), QStringLiteral("12:07 AM"));
    EXPECT_EQ(timeBoxText(at(0, 7), false), QStringLiteral("00:07"));
}

TEST(RecordTexts, CaptionAndEmptyListText)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(caption(QStringLiteral("E1"), 46360, us),
              QStringLiteral(" Records for ID: E1 Starting , Starting on:12/4/2026"));
    EXPECT_EQ(caption(QStringLiteral("E1"), 35000, us), QStringLiteral(" Records for ID: E1 Starting "));
    EXPECT_EQ(noRecordsText(QStringLiteral("E1"), 46360, us),
              QStringLiteral("No records found for: ID E1  Starting on Friday, December 4, 2026"));
}

TEST(RecordTexts, SavedTimeKeepsSecondsAndStaysInTheDay)
{
    const struct {
        const char* name;
        const char* text;
        bool clock12;
        int kept;
        std::optional<QDateTime> stored;
    } cases[] = {
        {"08:00:45 edited to 09:15", "09:15", false, 45, at(9, 15, 45)},
        {"24:00 with seconds 0", "24:00", false, 0, at(23, 59, 59)},
        {"24:00 with kept seconds", "24:00", false, 45, at(23, 59, 59)},
        {"23:59 with kept seconds", "23:59", false, 45, at(23, 59, 45)},
        {"12:00 is midnight on save", "12:00", true, 10, at(0, 0, 10)},
        {"12:30 without a half is noon", "12:30", true, 0, at(12, 30)},
        {"pm", " 8:05 PM ", true, 0, at(20, 5)},
        {"a for am", "8:05a", true, 0, at(8, 5)},
        {"typed seconds", "10:15:20", false, 45, at(10, 16, 5)},
        {"24:00 is no time with the 12-hour clock", "24:00", true, 0, std::nullopt},
        {"hour out of range", "25:00", false, 0, std::nullopt},
        {"13 PM", "13:00 PM", true, 0, std::nullopt},
        {"lone number", "8", false, 0, std::nullopt},
        {"empty", "", false, 0, std::nullopt},
        {"two colons too many", "1:2:3:4", false, 0, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(savedTime(QString::fromLatin1(c.text), c.clock12, day, c.kept), c.stored) << c.name;
}

TEST(RecordTexts, InsertedTimeHasNoSecondsAndNoonForTwelve)
{
    const struct {
        const char* text;
        bool clock12;
        std::optional<QDateTime> stored;
    } cases[] = {
        {"12:00", true, at(12, 0)},    {"12:00 AM", true, at(0, 0)}, {"24:00", false, at(23, 59, 59)},
        {"7:30:50", false, at(7, 30)}, {"x", false, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(insertedTime(QString::fromLatin1(c.text), c.clock12, day), c.stored) << c.text;
}

TEST(RecordTexts, TipsReadAsMuchOfANumberAsThereIs)
{
    const struct {
        const char* text;
        std::optional<qint64> units;
    } cases[] = {
        {"12.5", 125000},   {"1 2.5", 125000},   {"12.5.3", 125000},
        {"3x", 30000},      {"abc", 0},          {"", 0},
        {".25", 2500},      {"-4", -40000},      {"1.00005", 10000},
        {"1.00015", 10002}, {"1.000051", 10001}, {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<Money> value = tipsValue(QString::fromLatin1(c.text));
        EXPECT_EQ(value ? std::optional<qint64>(value->units()) : std::nullopt, c.units) << c.text;
    }
    EXPECT_EQ(tipsBoxText(Money::fromUnits(125000)), QStringLiteral("12.50"));
    EXPECT_EQ(tipsBoxText(Money::fromUnits(5000)), QStringLiteral(".50"));
    EXPECT_EQ(tipsBoxText(Money()), QStringLiteral(".00"));
    EXPECT_EQ(tipsBoxText(std::nullopt), QString());
}

TEST(RecordTexts, KeyFilterOfTheTimeAndTipsBoxes)
{
    EXPECT_TRUE(acceptsKey(u'7', {}, false, false));
    EXPECT_TRUE(acceptsKey(u':', QStringLiteral("8"), false, false));
    EXPECT_FALSE(acceptsKey(u':', QStringLiteral("8:0"), false, false));
    EXPECT_TRUE(acceptsKey(u'.', QStringLiteral("1.5"), false, false));
    EXPECT_FALSE(acceptsKey(u'.', QStringLiteral("1.5"), false, true));
    EXPECT_FALSE(acceptsKey(u'p', {}, false, false));
    EXPECT_TRUE(acceptsKey(u'P', {}, true, false));
    EXPECT_FALSE(acceptsKey(u'x', {}, true, true));
}
