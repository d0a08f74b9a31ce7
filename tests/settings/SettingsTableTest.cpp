#include "settings/SettingsTable.h"

#include "BackendTest.h"
#include "settings/SettingsIo.h"
#include "store/ApplicationTable.h"
#include "store/ProgramSettingsTable.h"
#include "store/PunchQueue.h"

#include <QDir>
#include <QSet>
#include <gtest/gtest.h>

namespace {
using Kind = Setting::Kind;

QString shown(const SettingsRecord& settings, const char* key)
{
    return SettingsTable::at(QString::fromLatin1(key)).text(settings);
}

SettingsRecord loaded(QVariantMap values)
{
    return SettingsIo::load(ApplicationTable::Row(std::move(values)));
}

// A typed value unlike the setting's default, whatever the kind: a new setting needs none of its own.
QString otherThanDefault(const Setting& setting)
{
    switch (setting.kind) {
    case Kind::Flag:
        return SettingsTable::flagText(!SettingsTable::isOnText(setting.text(SettingsRecord())));
    case Kind::Text:
        return QStringLiteral("Typed 'text' %1").arg(setting.key);
    case Kind::Number:
        return QStringLiteral("7");
    case Kind::Decimal:
        return QStringLiteral("2.5");
    case Kind::Hours:
        return QStringLiteral("4.5");
    case Kind::Choice:
        return setting.choices.value(setting.choices.indexOf(setting.text(SettingsRecord())) == 0 ? 1 : 0);
    case Kind::Time:
        return QStringLiteral("9:45");
    case Kind::Date:
        return QStringLiteral("2026-12-06");
    }
    return {};
}

using SettingsTableStore = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(SettingsTableStore);
} // namespace

// The defaults the help and the manual give, for every setting of the table.
TEST(SettingsTable, EverySettingHasItsDocumentedDefault)
{
    const std::pair<const char*, const char*> documented[] = {
        {"ShowLiveCam", "off"},
        {"AutoDeduct", "off"},
        {"AllowMinimize", "off"},
        {"ShowKeyboard", "off"},
        {"LateOutReject", "off"},
        {"EarlyInReject", "off"},
        {"ShowClockFirst", "off"},
        {"UseSound", "on"},
        {"ForceClockOuts", "off"},
        {"LateOutShow", "off"},
        {"EarlyInShow", "off"},
        {"ReportTips", "off"},
        {"Clock12Hour", "off"},
        {"TakePictures", "off"},
        {"EarlyOutReject", "off"},
        {"LateInReject", "off"},
        {"EarlyOutShow", "off"},
        {"LateInShow", "off"},
        {"ShowInOutLists", "off"},
        {"ShowElapsedTime", "off"},
        {"EarlyLimit", "10"},
        {"LateLimit", "10"},
        {"LateINlimit", "10"},
        {"EarlyOUTlimit", "10"},
        {"PictureDays", "30"},
        {"ScreenInOutDays", "7"},
        {"KeepInSeconds", "0"},
        {"KeepOutSeconds", "0"},
        {"ForceAfter", "12"},
        {"MinBeforeDed", "5.0"},
        {"MinutesToDeduct", "30"},
        {"EarlyMessage", "You clocked in early..."},
        {"LateMessage", "You clocked out late..."},
        {"LateINmessage", "You clocked in late..."},
        {"EarlyOUTmessage", "You clocked out early..."},
        {"EnterID", "Enter ID"},
        {"TipsWord", "Tips"},
        {"ClockingIN", "Clocking In"},
        {"ClockingOUT", "Clocking Out"},
        {"NotFound", "not found"},
        {"TryAgain", "try again"},
        {"Rejected", "Rejected"},
        {"GoodMorning", ""},
        {"GoodNight", ""},
        {"pay.workweek_start", "Sunday"},
        {"pay.workday_start", "0:00"},
        {"pay.weekly_overtime", "40:00"},
        {"pay.daily_overtime", "off"},
        {"pay.daily_overtime_after", "8:00"},
        {"pay.daily_double", "off"},
        {"pay.daily_double_after", "12:00"},
        {"pay.seventh_day", "off"},
        {"pay.overtime_rate", "1.5"},
        {"pay.double_rate", "2.0"},
        {"pay.split_at_workday_start", "off"},
        {"pay.rounding", "33"},
        {"payroll.period", "weekly"},
        {"payroll.anchor", ""},
        {"payroll.adp.company", ""},
        {"payroll.adp.batch", ""},
        {"payroll.adp.double_code", "D"},
        {"payroll.quickbooks.company", ""},
        {"payroll.quickbooks.create_time", "0"},
        {"payroll.quickbooks.item", "Hourly"},
        {"clock.guard_seconds", "0"},
        {"clock.reader_hex", "off"},
        {"clock.week_hours", "off"},
        {"exceptions.long_shift", "12:00"},
        {"exceptions.quick_repeat_seconds", "120"},
        {"clock.forced_out_time", "IN + 1 minute"},
        {"clock.ask_pin", "off"},
        {"late.after_minutes", "15"},
        {"late.notify", "off"},
    };
    ASSERT_EQ(std::size(documented), static_cast<size_t>(SettingsTable::all().size()));
    const SettingsRecord blankRow = loaded({});
    const SettingsRecord fresh;
    for (const auto& [key, text] : documented) {
        ASSERT_NE(SettingsTable::find(QString::fromLatin1(key)), nullptr) << key;
        EXPECT_EQ(shown(fresh, key), QString::fromLatin1(text)) << key;
        EXPECT_EQ(shown(blankRow, key), QString::fromLatin1(text)) << key;
    }
    EXPECT_EQ(SettingsTable::find(QStringLiteral("earlyoutLIMIT")),
              &SettingsTable::at(QStringLiteral("EarlyOUTlimit")));
    EXPECT_EQ(SettingsTable::find(QStringLiteral("PW")), nullptr);
}

TEST(SettingsTable, KeysAndBitsAreUnique)
{
    QSet<QString> keys;
    QSet<QPair<QString, qint32>> bits;
    for (const Setting& setting : SettingsTable::all()) {
        EXPECT_FALSE(keys.contains(setting.key.toLower())) << setting.key.toStdString();
        keys.insert(setting.key.toLower());
        if (setting.kind == Kind::Flag) {
            EXPECT_FALSE(bits.contains({setting.field, setting.bit})) << setting.key.toStdString();
            bits.insert({setting.field, setting.bit});
        }
    }
}

// Every setting, changed alone, is written, read back at the next start as typed, and leaves every
// other setting as it was; a station that starts from its cached copy of the settings reads them
// the same.
TEST_P(SettingsTableStore, EverySettingRoundTripsAloneThroughTheDatabase)
{
    TestFolder folder(backend());
    ApplicationTable table(folder.database());
    ProgramSettingsTable program(folder.database());
    PunchQueue cache(QDir(folder.path()).filePath(PunchQueue::fileName()));
    const SettingsRecord before = SettingsIo::read(folder.database());
    const auto write = [&](const SettingsIo::Saved& saved) {
        table.write(saved.fields, saved.programValues);
    };
    for (const Setting& setting : SettingsTable::all()) {
        const QString typed = otherThanDefault(setting);
        SettingsChange change;
        change.set(setting.key, typed);
        const SettingsIo::Saved saved = SettingsIo::save(change, before);
        ASSERT_EQ(saved.fields.size() + saved.programValues.size(), 1) << setting.key.toStdString();
        EXPECT_EQ(setting.text(saved.held), typed) << setting.key.toStdString();

        write(saved);
        cache.keepSettings(table.read(), program.read());
        const SettingsRecord after = SettingsIo::read(folder.database());
        const std::optional<PunchQueue::Settings> kept = cache.settings();
        ASSERT_TRUE(kept.has_value());
        const SettingsRecord cached = SettingsIo::load(kept->row, kept->program);
        for (const Setting& other : SettingsTable::all()) {
            const QString expected = &other == &setting ? typed : other.text(before);
            const std::string label =
                setting.key.toStdString() + " changed, " + other.key.toStdString() + " read";
            EXPECT_EQ(other.text(after), expected) << label;
            EXPECT_EQ(other.text(cached), expected) << label << " from the cache";
        }
        write(SettingsIo::save(SettingsChange::of(before), before));
    }
}

// A damaged or out-of-range stored value never fails the load: it falls back as it always has.
TEST(SettingsTable, BadStoredValuesFallBack)
{
    struct Case {
        const char* field;
        QVariant stored;
        const char* key;
        const char* shown;
    };
    const Case cases[] = {
        {"EarlyLimit", 0, "EarlyLimit", "10"},
        {"EarlyLimit", "abc", "EarlyLimit", "10"},
        {"LateINLimit", -5, "LateINlimit", "-5"},
        {"PictureDays", 99999, "PictureDays", "32767"},
        {"ScreenINOUTdays", 0, "ScreenInOutDays", "7"},
        {"MinBeforeDed", 0, "MinBeforeDed", "5.0"},
        {"MinutesToDeduct", 0, "MinutesToDeduct", "0"},
        {"KeepInSeconds", 99, "KeepInSeconds", "99"},
        {"ForceAfter", 0.0, "ForceAfter", "12"},
        {"ForceAfter", "x", "ForceAfter", "12"},
        {"NotFound", "   ", "NotFound", "not found"},
        {"GoodMorning", "   ", "GoodMorning", "   "},
        {"LateINMessage", " Late! ", "LateINmessage", " Late! "},
        {"Options", 16384, "ShowLiveCam", "on"},
        {"Options", 16384, "TakePictures", "on"},
        {"Options", 16384, "UseSound", "off"},
        {"Options", 40000, "ForceClockOuts", "on"},
        {"Options", -1, "UseSound", "on"},
        {"Options", -1, "TakePictures", "off"},
        {"Options", 16383 - 64, "UseSound", "on"},
        {"Options2", 64, "EarlyOutReject", "on"},
        {"Options2", 64, "ShowElapsedTime", "on"},
        {"Options2", 63 - 32, "EarlyOutReject", "off"},
    };
    for (const Case& c : cases) {
        const SettingsRecord s = loaded({{QString::fromLatin1(c.field), c.stored}});
        EXPECT_EQ(shown(s, c.key), QString::fromLatin1(c.shown))
            << c.field << " " << c.stored.toString().toStdString();
    }
    EXPECT_EQ(loaded({{"ForceAfter", 0.0}}).forceAfter, 0.0f); // shown as 12, forces nothing
}

// What a save holds and stores for each typed value: blank texts and zero numbers take their
// save-time defaults, which for three texts differ from those of the next start.
TEST(SettingsTable, TypedValuesBecomeHeldAndStoredValues)
{
    struct Case {
        const char* key;
        const char* typed;
        const char* held;
        QVariant stored;
    };
    const Case cases[] = {
        {"EarlyMessage", " ", "You clocked in early..", "You clocked in early.."},
        {"LateMessage", "", "You clocked out late...", "You clocked out late..."},
        {"ClockingIN", " ", "Clocking IN", ""},
        {"ClockingOUT", "", "Clocking OUT", ""},
        {"NotFound", "  unknown  ", "unknown", "unknown"},
        {"GoodMorning", " Hello ", "Hello", "Hello"},
        {"GoodNight", "  ", "", ""},
        {"EarlyLimit", "0", "10", 0},
        {"PictureDays", "3O", "30", 0},
        {"PictureDays", "99999", "32767", 32767},
        {"ScreenInOutDays", "0", "7", 7},
        {"MinutesToDeduct", "0", "30", 0},
        {"KeepInSeconds", "11", "2", 2},
        {"KeepOutSeconds", "-1", "2", 2},
        {"KeepInSeconds", "10", "10", 10},
        {"KeepInSeconds", "0", "0", 0},
        {"MinBeforeDed", "4.75", "4.8", 285},
        {"MinBeforeDed", "0.51", ".5", 30},
        {"MinBeforeDed", "4.1", "4.1", 246},
        {"MinBeforeDed", "0", "5.0", 0},
        {"MinBeforeDed", "abc", "5.0", 0},
        {"MinBeforeDed", " 2 ", "2.0", 120},
        {"MinBeforeDed", "1000", "546.1", 32767},
        {"ForceAfter", "1.5", "1.5", 1.5},
        {"UseSound", "off", "off", QVariant()},
        {"TakePictures", "YES", "on", QVariant()},
    };
    for (const Case& c : cases) {
        SettingsChange change;
        change.set(QString::fromLatin1(c.key), QString::fromLatin1(c.typed));
        const SettingsIo::Saved saved = SettingsIo::save(change, SettingsRecord());
        const std::string label = std::string(c.key) + " '" + c.typed + "'";
        EXPECT_EQ(shown(saved.held, c.key), QString::fromLatin1(c.held)) << label;
        ASSERT_EQ(saved.fields.size(), 1) << label;
        if (c.stored.isValid()) {
            EXPECT_EQ(saved.fields.first().first, SettingsTable::at(QString::fromLatin1(c.key)).field)
                << label;
            EXPECT_EQ(saved.fields.first().second.toString(), c.stored.toString()) << label;
        }
    }
}

// The guard takes whole seconds up to an hour; a blank box turns it off.
TEST(SettingsTable, GuardSecondsAreWholeSecondsUpToAnHour)
{
    struct Case {
        const char* typed;
        const char* held; // nullptr: refused
    };
    const Case cases[] = {
        {"60", "60"},    {" 0 ", "0"},     {"", "0"},        {"3600", "3600"},   {"3601", nullptr},
        {"-1", nullptr}, {"1.5", nullptr}, {"abc", nullptr}, {"99999", nullptr},
    };
    const QString key = QStringLiteral("clock.guard_seconds");
    for (const Case& c : cases) {
        SettingsChange change;
        change.set(key, QString::fromLatin1(c.typed));
        const bool refused = SettingsTable::refusal(change, SettingsRecord()).has_value();
        EXPECT_EQ(refused, c.held == nullptr) << c.typed;
        if (c.held) {
            EXPECT_EQ(SettingsIo::save(change, SettingsRecord()).held.guardSeconds, QString::fromLatin1(c.held).toInt())
                << c.typed;
        }
    }
}

// A flag changed alone writes its whole bit field, the other flags as they were held.
TEST(SettingsTable, OneFlagWritesItsFieldWithTheOthersKept)
{
    SettingsRecord current;
    current.takePictures = current.reportTips = true;
    current.showElapsedTime = true;
    SettingsChange change;
    change.setFlag(QStringLiteral("UseSound"), false);
    const SettingsIo::Saved saved = SettingsIo::save(change, current);
    ASSERT_EQ(saved.fields.size(), 1);
    EXPECT_EQ(saved.fields.first().first, QStringLiteral("Options"));
    EXPECT_EQ(saved.fields.first().second.toInt(), 64 + 4 + 1);
    EXPECT_TRUE(saved.held.showElapsedTime && !saved.held.useSound);
}
