#include "settings/SettingsIo.h"

#include "BackendTest.h"
#include "settings/DateOrder.h"
#include "settings/OptionBits.h"
#include "settings/Scramble.h"

#include <gtest/gtest.h>

using SettingsStore = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(SettingsStore);

TEST(SettingsLoad, DefaultsNullZeroAndBlankRules)
{
    const auto load = [](QVariantMap values) {
        return SettingsIo::load(ApplicationTable::Row(std::move(values)));
    };
    const SettingsRecord nulls = load({});
    EXPECT_TRUE(nulls.useSound);
    EXPECT_FALSE(nulls.clock12Hour || nulls.takePictures || nulls.reportTips || nulls.showClockFirst);
    EXPECT_EQ(std::tuple(nulls.earlyLimit, nulls.lateInLimit, nulls.screenInOutDays, nulls.pictureDays),
              std::tuple(10, 10, 7, 30));
    EXPECT_EQ(std::tuple(nulls.minutesToDeduct, nulls.minBeforeDed, nulls.keepInSeconds),
              std::tuple(30, 300, 0));
    EXPECT_FLOAT_EQ(nulls.forceAfter, 12.0f);
    EXPECT_EQ(nulls.clockingIn, QStringLiteral("Clocking In"));
    EXPECT_TRUE(nulls.goodMorning.isEmpty() && nulls.password.isEmpty());

    const SettingsRecord soundOff = load({{"Options", 64}});
    EXPECT_FALSE(soundOff.useSound || soundOff.forceClockOuts || soundOff.showClockFirst);
    EXPECT_TRUE(load({{"Options", 0}}).useSound);
    EXPECT_EQ(load({{"Options", 2}}).timeFormat(), QStringLiteral("hh:mm AP"));
    EXPECT_EQ(load({{"MinBeforeDed", 0}}).minBeforeDed, 300);
    EXPECT_EQ(load({{"MinutesToDeduct", 0}}).minutesToDeduct, 0);
    EXPECT_EQ(load({{"ForceAfter", 0.0}}).forceAfter, 0.0f);
    EXPECT_EQ(load({{"LateLimit", 0}}).lateLimit, 10);
    EXPECT_EQ(load({{"NotFound", "   "}}).notFound, QStringLiteral("not found"));
    EXPECT_EQ(load({{"LateINMessage", " Late! "}}).lateInMessage, QStringLiteral(" Late! "));
    EXPECT_EQ(load({{"ScreenINOUTdays", 3}}).screenInOutDays, 3);
    EXPECT_TRUE(load({{"PW", "    "}}).password.isEmpty());
    EXPECT_EQ(load({{"PW", Scramble::apply(QStringLiteral(" secret "))}}).password, QStringLiteral("SECRET"));
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
}

TEST(SettingsSave, TypedNumbersBecomeStoredAndHeldValues)
{
    struct Case {
        const char* hours;
        qint16 stored;
        qint16 held;
    };
    for (const Case& c :
         {Case{"4.75", 285, 285}, Case{"0.51", 30, 30}, Case{"4.1", 246, 246}, Case{"0", 0, 300},
          Case{"abc", 0, 300}, Case{" 2 ", 120, 120}, Case{"5.0", 300, 300}, Case{"1000", 32767, 32767}}) {
        OptionsEntry e;
        e.minBeforeDedHours = QString::fromLatin1(c.hours);
        const SettingsIo::Saved saved = SettingsIo::save(e, SettingsRecord());
        EXPECT_EQ(saved.fields.last().first, QStringLiteral("MinBeforeDed"));
        EXPECT_EQ(saved.fields.last().second.toInt(), c.stored) << c.hours;
        EXPECT_EQ(saved.held.minBeforeDed, c.held) << c.hours;
    }
    for (const auto& [typed, held] :
         {std::pair{"11", 2}, std::pair{"-1", 2}, std::pair{"10", 10}, std::pair{"0", 0}}) {
        OptionsEntry e;
        e.keepInSeconds = QString::fromLatin1(typed);
        EXPECT_EQ(SettingsIo::save(e, SettingsRecord()).held.keepInSeconds, held) << typed;
    }
    OptionsEntry e;
    e.pictureDays = QStringLiteral("99999");
    EXPECT_EQ(SettingsIo::save(e, SettingsRecord()).held.pictureDays, 32767); // held within 16 bits
}

TEST_P(SettingsStore, RoundTripThroughTheDatabase)
{
    TestFolder folder(backend());
    ApplicationTable table(folder.database());
    OptionsEntry e;
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
    EXPECT_EQ(saved.held.clockingIn, QStringLiteral("Clocking IN"));
    EXPECT_EQ(saved.held.password, QStringLiteral("KEEP"));

    table.write(saved.fields);
    const ApplicationTable::Row row = table.read();
    EXPECT_EQ(row.value(QStringLiteral("EarlyLimit")).toInt(), 0);
    EXPECT_EQ(row.value(QStringLiteral("ClockingIN")).toString(), QString());
    EXPECT_EQ(row.value(QStringLiteral("Options")).toInt(), 64 + 4);
    EXPECT_EQ(row.value(QStringLiteral("Options2")).toInt(), 1);

    // Loaded at the next start: the load-time defaults.
    const SettingsRecord loaded = SettingsIo::load(row);
    EXPECT_EQ(loaded.clockingIn, QStringLiteral("Clocking In"));
    EXPECT_EQ(loaded.notFound, QStringLiteral("unknown"));
    EXPECT_TRUE(!loaded.useSound && loaded.reportTips && loaded.showElapsedTime);
}

TEST(DateOrder, FollowsTheLocale)
{
    const struct {
        QLocale locale;
        const char* order;
    } cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), "MM-DD-YYYY"},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), "DD-MM-YYYY"},
        {QLocale(QLocale::Japanese, QLocale::Japan), "YYYY-MM-DD"},
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
