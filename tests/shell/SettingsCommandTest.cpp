#include "settings/SettingsCommand.h"

#include "BackendTest.h"
#include "FakeTimeSource.h"
#include "settings/SettingsTable.h"
#include "shell/CommandLine.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace {
struct Outcome {
    int code = -1;
    QString out;
    QString err;
};

class SettingsCommandTest : public BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (!IsSkipped())
            m_folder = std::make_unique<TestFolder>(backend());
    }

    Outcome tellarin(const QStringList& words) const
    {
        Outcome run;
        QTextStream out(&run.out), err(&run.err);
        const FakeTimeSource time{QDateTime(QDate(2026, 12, 4), QTime(8, 0))};
        QStringList arguments{QStringLiteral("tellarin"), QStringLiteral("--program-folder"),
                              m_folder->path()};
        if (!m_folder->url().isEmpty())
            arguments << QStringLiteral("--database") << m_folder->url();
        run.code =
            CommandLine::runWith(arguments + QStringList{QStringLiteral("settings")} + words, time, out, err);
        out.flush();
        err.flush();
        return run;
    }

    // The value a fresh start of the program reads.
    QString stored(const QString& key) const
    {
        const Outcome got = tellarin({QStringLiteral("get"), key});
        EXPECT_EQ(got.code, 0) << got.err.toStdString();
        return got.out.chopped(got.out.endsWith(QLatin1Char('\n')) ? 1 : 0);
    }

    void setOrFail(const QString& key, const QString& value) const
    {
        const Outcome set = tellarin({QStringLiteral("set"), key, value});
        ASSERT_EQ(set.code, 0) << key.toStdString() << ": " << set.err.toStdString();
    }

private:
    std::unique_ptr<TestFolder> m_folder;
};
TELLARIN_ON_BOTH_BACKENDS(SettingsCommandTest);
} // namespace

TEST_P(SettingsCommandTest, ListShowsEverySettingWithItsValueAndDefaultInTableOrder)
{
    const Outcome listed = tellarin({QStringLiteral("list")});
    ASSERT_EQ(listed.code, 0) << listed.err.toStdString();
    EXPECT_TRUE(listed.err.isEmpty()) << listed.err.toStdString();
    const QStringList lines = listed.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), SettingsTable::all().size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringList cells = lines[i].split(QLatin1Char('\t'));
        ASSERT_EQ(cells.size(), 3) << lines[i].toStdString();
        EXPECT_EQ(cells[0], SettingsTable::all()[i].key);
    }
    // A new database shows a confirmation for 3 seconds, where a blank row would load 0.
    EXPECT_TRUE(lines.contains(QStringLiteral("KeepInSeconds\t3\t0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("EnterID\tEnter ID\tEnter ID")));
}

TEST_P(SettingsCommandTest, SetValuesReadBackAsTheOptionsDialogWouldShowThem)
{
    const struct {
        const char* key;
        const char* typed;
        const char* shown;
    } cases[] = {
        {"TipsWord", "Gratuity", "Gratuity"},
        {"forceafter", "2.5", "2.5"},
        {"UseSound", "off", "off"},
        {"TakePictures", "YES", "on"},
        {"MinBeforeDed", "4.75", "4.8"},
        {"EarlyLimit", "-5", "-5"},
        {"KeepOutSeconds", "11", "2"},
        {"ClockingIN", " ", "Clocking In"}, // a blank one is stored blank and loads its default
        {"GoodMorning", "It's a new day", "It's a new day"},
        {"pay.workweek_start", "monday", "Monday"},
        {"pay.weekly_overtime", "0", "0:00"},
        {"pay.workday_start", "6:30", "6:30"},
        {"pay.overtime_rate", "1.75", "1.75"},
        {"pay.rounding", "15", "15"},
        {"payroll.period", "Biweekly", "biweekly"},
        {"payroll.anchor", "2026-11-29", "2026-11-29"},
        {"payroll.adp.double_code", " ", "D"},
        {"payroll.quickbooks.create_time", "1234567890", "1234567890"},
        {"late.after_minutes", "720", "720"},
        {"late.notify", "yes", "on"},
        // Changing the keyboard needs a restart: the command says so and keeps the change.
        {"ShowKeyboard", "on", "on"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        setOrFail(QString::fromLatin1(c.key), QString::fromLatin1(c.typed));
        EXPECT_EQ(stored(QString::fromLatin1(c.key)), QString::fromLatin1(c.shown));
    }
    // Flags of one stored field are kept beside each other.
    EXPECT_EQ(stored(QStringLiteral("UseSound")), QStringLiteral("off"));
}

TEST_P(SettingsCommandTest, RefusedValuesLeaveTheStoredOneAndSayWhyOnOneLine)
{
    setOrFail(QStringLiteral("ForceClockOuts"), QStringLiteral("on"));
    setOrFail(QStringLiteral("MinBeforeDed"), QStringLiteral("30")); // kept: no break is deducted yet
    const struct {
        const char* key;
        const char* typed;
        const char* message;
    } cases[] = {
        {"ForceAfter", "30", "Force after hours must be between .5 and 23"},
        {"ForceAfter", "0.2", "Force after hours must be between .5 and 23"},
        // Turning deduction on checks the hours already stored, as the dialog's page would.
        {"AutoDeduct", "on", "Hours must be between .5 and 23"},
        {"EarlyLimit", "ten", "EarlyLimit needs a number, not \"ten\""},
        {"KeepInSeconds", "", "KeepInSeconds needs a number"},
        {"UseSound", "maybe", "UseSound is on or off, not \"maybe\""},
        {"NoSuchSetting", "1", "unknown setting \"NoSuchSetting\""},
        {"pay.weekly_overtime", "200:00",
         "Weekly overtime starts after 1:00 to 168:00 hours, or 0:00 for none"},
        {"pay.weekly_overtime", "0:30", "Weekly overtime starts after 1:00 to 168:00 hours"},
        {"pay.workday_start", "24:00", "The workday starts at a time from 0:00 to 23:59"},
        {"pay.workday_start", "6.5", "The workday starts at a time from 0:00 to 23:59"},
        {"pay.workweek_start", "Funday", "pay.workweek_start is one of: Monday, Tuesday,"},
        {"pay.overtime_rate", "0.5", "Overtime pays 1 to 10 times the pay rate"},
        {"pay.double_rate", "1.25", "Double time cannot pay less than overtime"},
        {"pay.rounding", "36", "pay.rounding is one of: 11, 12,"},
        {"payroll.anchor", "2026-02-30", "The first day of a pay period is a date as YYYY-MM-DD"},
        {"payroll.period", "fortnightly", "payroll.period is one of: weekly, biweekly, semimonthly, monthly"},
        {"payroll.quickbooks.create_time", "-1", "The company's create time is a whole number"},
        {"late.after_minutes", "0", "Late after must be a whole number of minutes from 1 to 720"},
        {"late.after_minutes", "7.5", "Late after must be a whole number of minutes from 1 to 720"},
        {"PW", "secret", "unknown setting \"PW\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + c.typed);
        const QString key = QString::fromLatin1(c.key);
        const bool known = SettingsTable::find(key) != nullptr;
        const QString before = known ? stored(key) : QString();
        const Outcome set = tellarin({QStringLiteral("set"), key, QString::fromLatin1(c.typed)});
        EXPECT_EQ(set.code, CommandLine::BadArguments);
        EXPECT_TRUE(set.err.contains(QLatin1String(c.message))) << set.err.toStdString();
        EXPECT_EQ(set.err.count(QLatin1Char('\n')), 1) << set.err.toStdString();
        if (known) {
            EXPECT_EQ(stored(key), before);
        }
    }

    setOrFail(QStringLiteral("MinBeforeDed"), QStringLiteral("2"));
    setOrFail(QStringLiteral("AutoDeduct"), QStringLiteral("on"));
    const Outcome tooMany =
        tellarin({QStringLiteral("set"), QStringLiteral("MinutesToDeduct"), QStringLiteral("121")});
    EXPECT_EQ(tooMany.code, CommandLine::BadArguments);
    EXPECT_TRUE(tooMany.err.contains(QLatin1String("Auto deduct minutes must be less then hours")))
        << tooMany.err.toStdString();
    setOrFail(QStringLiteral("MinutesToDeduct"), QStringLiteral("120"));
}

TEST_P(SettingsCommandTest, WordsOtherThanTheThreeFormsAreBadArguments)
{
    const QStringList cases[] = {
        {},
        {QStringLiteral("show")},
        {QStringLiteral("list"), QStringLiteral("TipsWord")},
        {QStringLiteral("get")},
        {QStringLiteral("get"), QStringLiteral("NoSuch")},
        {QStringLiteral("set"), QStringLiteral("TipsWord")},
        {QStringLiteral("set"), QStringLiteral("TipsWord"), QStringLiteral("a"), QStringLiteral("b")},
    };
    for (const QStringList& words : cases) {
        SCOPED_TRACE(words.join(QLatin1Char(' ')).toStdString());
        const Outcome run = tellarin(words);
        EXPECT_EQ(run.code, CommandLine::BadArguments);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
    }
}

// Daily thresholds are checked once their rule is on, and double time must start after overtime,
// whichever of the settings changes.
TEST_P(SettingsCommandTest, DailyThresholdsAreCheckedAgainstEachOtherOnceTheirRulesAreOn)
{
    setOrFail(QStringLiteral("pay.daily_double_after"), QStringLiteral("6:00")); // kept: the rule is off
    const Outcome doubleOn =
        tellarin({QStringLiteral("set"), QStringLiteral("pay.daily_double"), QStringLiteral("on")});
    EXPECT_EQ(doubleOn.code, CommandLine::Done)
        << doubleOn.err.toStdString(); // overtime is off: nothing to compare
    const Outcome overtimeOn =
        tellarin({QStringLiteral("set"), QStringLiteral("pay.daily_overtime"), QStringLiteral("on")});
    EXPECT_EQ(overtimeOn.code, CommandLine::BadArguments);
    EXPECT_TRUE(overtimeOn.err.contains(QLatin1String("Daily double time must start after daily overtime")))
        << overtimeOn.err.toStdString();
    EXPECT_EQ(stored(QStringLiteral("pay.daily_overtime")), QStringLiteral("off"));

    setOrFail(QStringLiteral("pay.daily_double_after"), QStringLiteral("12:00"));
    setOrFail(QStringLiteral("pay.daily_overtime"), QStringLiteral("on"));
    const Outcome tooLong = tellarin(
        {QStringLiteral("set"), QStringLiteral("pay.daily_overtime_after"), QStringLiteral("25:00")});
    EXPECT_TRUE(tooLong.err.contains(QLatin1String("Daily overtime starts after 0:30 to 24:00 hours")))
        << tooLong.err.toStdString();
    const Outcome pastDouble = tellarin(
        {QStringLiteral("set"), QStringLiteral("pay.daily_overtime_after"), QStringLiteral("12:00")});
    EXPECT_TRUE(pastDouble.err.contains(QLatin1String("Daily double time must start after daily overtime")))
        << pastDouble.err.toStdString();
    EXPECT_EQ(stored(QStringLiteral("pay.daily_overtime_after")), QStringLiteral("8:00"));
}
