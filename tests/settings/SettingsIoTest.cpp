#include "settings/SettingsIo.h"

#include "TestFolder.h"
#include "settings/DateOrder.h"
#include "settings/OptionBits.h"
#include "settings/Scramble.h"

#include <gtest/gtest.h>

namespace {
ApplicationTable::Row rowOf(QVariantMap values)
{
    return ApplicationTable::Row(std::move(values));
}

OptionsEntry typedEntry()
{
    OptionsEntry e;
    e.earlyLimit = e.lateLimit = e.lateInLimit = e.earlyOutLimit = QStringLiteral("10");
    e.screenInOutDays = QStringLiteral("7");
    e.pictureDays = QStringLiteral("30");
    e.keepInSeconds = e.keepOutSeconds = QStringLiteral("3");
    e.forceAfter = QStringLiteral("12");
    e.minutesToDeduct = QStringLiteral("30");
    e.minBeforeDedHours = QStringLiteral("5");
    return e;
}
} // namespace

TEST(SettingsLoad, AllNullRowGivesTheDefaults)
{
    const SettingsRecord s = SettingsIo::load(rowOf({}));
    EXPECT_TRUE(s.useSound);
    EXPECT_FALSE(s.clock12Hour || s.takePictures || s.reportTips || s.showClockFirst || s.showInOutLists);
    EXPECT_EQ(s.earlyLimit, 10);
    EXPECT_EQ(s.lateInLimit, 10);
    EXPECT_EQ(s.screenInOutDays, 7);
    EXPECT_EQ(s.pictureDays, 30);
    EXPECT_FLOAT_EQ(s.forceAfter, 12.0f);
    EXPECT_EQ(s.minutesToDeduct, 30);
    EXPECT_EQ(s.minBeforeDed, 300);
    EXPECT_EQ(s.keepInSeconds, 0);
    EXPECT_EQ(s.earlyMessage, QStringLiteral("You clocked in early..."));
    EXPECT_EQ(s.clockingIn, QStringLiteral("Clocking In"));
    EXPECT_EQ(s.clockingOut, QStringLiteral("Clocking Out"));
    EXPECT_EQ(s.enterId, QStringLiteral("Enter ID"));
    EXPECT_EQ(s.rejected, QStringLiteral("Rejected"));
    EXPECT_TRUE(s.goodMorning.isEmpty());
    EXPECT_TRUE(s.password.isEmpty());
}

TEST(SettingsLoad, NullZeroAndBlankRules)
{
    struct Case {
        const char* name;
        QVariantMap row;
        std::function<bool(const SettingsRecord&)> holds;
    };
    const Case cases[] = {
        {"Options 64 is sound off only",
         {{"Options", 64}},
         [](const SettingsRecord& s) {
             return !s.useSound && !s.forceClockOuts && !s.showClockFirst;
         }},
        {"Options 0 is sound on",
         {{"Options", 0}},
         [](const SettingsRecord& s) {
             return s.useSound;
         }},
        {"MinBeforeDed 0 loads as 300",
         {{"MinBeforeDed", 0}},
         [](const SettingsRecord& s) {
             return s.minBeforeDed == 300;
         }},
        {"MinutesToDeduct 0 stays 0",
         {{"MinutesToDeduct", 0}},
         [](const SettingsRecord& s) {
             return s.minutesToDeduct == 0;
         }},
        {"ForceAfter 0 stays 0",
         {{"ForceAfter", 0.0}},
         [](const SettingsRecord& s) {
             return s.forceAfter == 0.0f;
         }},
        {"limit 0 is 10",
         {{"LateLimit", 0}},
         [](const SettingsRecord& s) {
             return s.lateLimit == 10;
         }},
        {"KeepInSeconds 0 stays 0",
         {{"KeepInSeconds", 0}},
         [](const SettingsRecord& s) {
             return s.keepInSeconds == 0;
         }},
        {"blank text takes the default",
         {{"NotFound", "   "}},
         [](const SettingsRecord& s) {
             return s.notFound == "not found";
         }},
        {"text kept as stored",
         {{"LateINMessage", " Late! "}},
         [](const SettingsRecord& s) {
             return s.lateInMessage == " Late! ";
         }},
        {"spelling of list days",
         {{"ScreenINOUTdays", 3}},
         [](const SettingsRecord& s) {
             return s.screenInOutDays == 3;
         }},
        {"password of blanks is none",
         {{"PW", "    "}},
         [](const SettingsRecord& s) {
             return s.password.isEmpty();
         }},
        {"password unscrambled, upper case, trimmed",
         {{"PW", Scramble::apply(QStringLiteral(" secret "))}},
         [](const SettingsRecord& s) {
             return s.password == "SECRET";
         }},
        {"12-hour clock",
         {{"Options", 2}},
         [](const SettingsRecord& s) {
             return s.clock12Hour && s.timeFormat() == "hh:mm AP";
         }},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(c.holds(SettingsIo::load(rowOf(c.row)))) << c.name;
}

TEST(OptionBits, EveryFlagRoundTripsAlone)
{
    for (qint32 bit = 1; bit <= 8192; bit *= 2) {
        SettingsRecord s;
        OptionBits::decode(bit, 0, s);
        EXPECT_EQ(OptionBits::encodeOptions(s), bit) << bit;
    }
    for (qint32 bit = 1; bit <= 32; bit *= 2) {
        SettingsRecord s;
        OptionBits::decode(0, bit, s);
        EXPECT_EQ(OptionBits::encodeOptions2(s), bit) << bit;
    }
    SettingsRecord s;
    OptionBits::decode(0, 0, s);
    EXPECT_EQ(OptionBits::encodeOptions(s), 0); // sound on stores no bit
}

TEST(SettingsSave, TypedNumbersBecomeStoredAndHeldValues)
{
    struct Case {
        const char* hours;
        qint16 stored;
        qint16 held;
    };
    for (const Case& c : {Case{"4.75", 285, 285}, Case{"0.51", 30, 30}, Case{"4.1", 246, 246},
                          Case{"0", 0, 300}, Case{"abc", 0, 300}, Case{" 2 hours", 120, 120}}) {
        OptionsEntry e = typedEntry();
        e.minBeforeDedHours = QString::fromLatin1(c.hours);
        const SettingsIo::Saved saved = SettingsIo::save(e, SettingsRecord());
        EXPECT_EQ(saved.fields.last().first, QStringLiteral("MinBeforeDed"));
        EXPECT_EQ(saved.fields.last().second.toInt(), c.stored) << c.hours;
        EXPECT_EQ(saved.held.minBeforeDed, c.held) << c.hours;
    }
    for (const auto& [typed, held] :
         {std::pair{"11", 2}, std::pair{"-1", 2}, std::pair{"10", 10}, std::pair{"0", 0}}) {
        OptionsEntry e = typedEntry();
        e.keepInSeconds = QString::fromLatin1(typed);
        EXPECT_EQ(SettingsIo::save(e, SettingsRecord()).held.keepInSeconds, held) << typed;
    }
}

TEST(SettingsSave, RoundTripThroughTheDatabase)
{
    TestFolder folder;
    ApplicationTable table(folder.database());
    OptionsEntry e = typedEntry();
    e.earlyLimit = QStringLiteral("0");
    e.flags.useSound = false;
    e.flags.reportTips = true;
    e.flags.showElapsedTime = true;
    e.notFound = QStringLiteral("  unknown  ");
    SettingsRecord current;
    current.password = QStringLiteral("KEEP");
    const SettingsIo::Saved saved = SettingsIo::save(e, current);

    // Held after the save: the save-time defaults.
    EXPECT_EQ(saved.held.earlyLimit, 10);
    EXPECT_EQ(saved.held.earlyMessage, QStringLiteral("You clocked in early.."));
    EXPECT_EQ(saved.held.clockingIn, QStringLiteral("Clocking IN"));
    EXPECT_EQ(saved.held.password, QStringLiteral("KEEP"));
    EXPECT_EQ(saved.fields.first().first, QStringLiteral("NotFound"));

    table.write(saved.fields);
    const ApplicationTable::Row row = table.read();
    EXPECT_EQ(row.value(QStringLiteral("EarlyLimit")).toInt(), 0);
    EXPECT_EQ(row.value(QStringLiteral("EarlyMessage")).toString(), QStringLiteral("You clocked in early.."));
    EXPECT_EQ(row.value(QStringLiteral("ClockingIN")).toString(), QString());
    EXPECT_EQ(row.value(QStringLiteral("Options")).toInt(), 64 + 4);
    EXPECT_EQ(row.value(QStringLiteral("Options2")).toInt(), 1);

    // Loaded at the next start: the load-time defaults.
    const SettingsRecord loaded = SettingsIo::load(row);
    EXPECT_EQ(loaded.earlyLimit, 10);
    EXPECT_EQ(loaded.clockingIn, QStringLiteral("Clocking In"));
    EXPECT_EQ(loaded.notFound, QStringLiteral("unknown"));
    EXPECT_FALSE(loaded.useSound);
    EXPECT_TRUE(loaded.reportTips);
    EXPECT_TRUE(loaded.showElapsedTime);
}

TEST(SettingsSave, OutOfRangeNumbersAreHeldWithinSixteenBits)
{
    OptionsEntry e = typedEntry();
    e.pictureDays = QStringLiteral("99999");
    e.minBeforeDedHours = QStringLiteral("1000");
    const SettingsIo::Saved saved = SettingsIo::save(e, SettingsRecord());
    EXPECT_EQ(saved.held.pictureDays, 32767);
    EXPECT_EQ(saved.held.minBeforeDed, 32767);
}

TEST(DateOrder, FollowsTheLocale)
{
    const struct {
        QLocale locale;
        const char* order;
    } cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), "MM-DD-YYYY"},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), "DD-MM-YYYY"},
        {QLocale(QLocale::German, QLocale::Germany), "DD-MM-YYYY"},
        {QLocale(QLocale::Japanese, QLocale::Japan), "YYYY-MM-DD"},
        {QLocale(QLocale::Swedish, QLocale::Sweden), "YYYY-MM-DD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DateOrder::detect(c.locale), QString::fromLatin1(c.order)) << c.locale.name().toStdString();
}

TEST(SettingsLoad, PasswordScrambledIntoTabsStillLoads)
{
    // The password whose scrambled form is all tab characters, which trimming would take away.
    const QString tabs = QStringLiteral("\t\t\t\t\t");
    const QString typed = Scramble::apply(tabs);
    const SettingsRecord s = SettingsIo::load(ApplicationTable::Row({{"PW", tabs}}));
    EXPECT_EQ(s.password, typed.toUpper());
    EXPECT_EQ(s.password.size(), 5);
}
