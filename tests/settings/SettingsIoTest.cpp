#include "settings/SettingsIo.h"

#include "BackendTest.h"
#include "settings/DateOrder.h"
#include "settings/Scramble.h"
#include "settings/SettingsTable.h"

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

TEST_P(SettingsStore, RoundTripThroughTheDatabase)
{
    TestFolder folder(backend());
    ApplicationTable table(folder.database());
    SettingsRecord current;
    current.password = QStringLiteral("KEEP");
    SettingsChange e = SettingsChange::of(current);
    e.set(QStringLiteral("EarlyLimit"), QStringLiteral("0"));
    e.setFlag(QStringLiteral("UseSound"), false);
    e.setFlag(QStringLiteral("ReportTips"), true);
    e.setFlag(QStringLiteral("ShowElapsedTime"), true);
    e.set(QStringLiteral("NotFound"), QStringLiteral("  unknown  "));
    e.set(QStringLiteral("ClockingIN"), QString());
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
