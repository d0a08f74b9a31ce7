#include "settings/OptionsSave.h"

#include "settings/Password.h"
#include "settings/PasswordChange.h"
#include "settings/SettingsIo.h"
#include "settings/TimeText.h"
#include "store/ApplicationTable.h"
#include "store/PathFile.h"
#include "support/FakeProgramExit.h"
#include "support/TestProgram.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
// A program folder with its clock database and the services and session around it.
struct OptionsFixture : TestProgram {
    FakeProgramExit exit;

    OptionsSave::Outcome save(const SettingsChange& change, const SourceChoice& source)
    {
        return OptionsSave::run(services, session, change, source, exit);
    }
    ApplicationTable::Row row() { return ApplicationTable(folder.database()).read(); }
    bool pathFileExists() const
    {
        return QFile::exists(session.paths().inProgramFolder(PathFile::fileName()));
    }
};
} // namespace

TEST(OptionsSave, HourAndMinuteChecksWriteNothingOnFailure)
{
    struct Case {
        bool force;
        const char* forceHours;
        bool deduct;
        const char* deductHours;
        const char* deductMinutes;
        const char* message; // nullptr: saved
    };
    const char* forceText = "Force after hours must be between .5 and 23";
    const char* hoursText = "Hours must be between .5 and 23";
    const char* minutesText = "Auto deduct minutes must be less then hours";
    const Case cases[] = {
        {true, "0.4", false, "5", "30", forceText},    {false, "0.4", false, "5", "30", nullptr},
        {true, "23", false, "5", "30", nullptr},       {true, "23.5", false, "5", "30", forceText},
        {true, "abc", false, "5", "30", forceText},    {false, "12", true, "0.5", "30", nullptr},
        {false, "12", true, "0.5", "31", minutesText}, {false, "12", true, "0.4", "10", hoursText},
        {false, "12", true, "5", "0", minutesText},    {false, "12", false, "0.4", "500", nullptr},
        {true, "0.4", true, "0.4", "31", forceText},
    };
    for (const Case& c : cases) {
        OptionsFixture f;
        SettingsChange entry = SettingsChange::of(f.session.settings());
        entry.setFlag(QStringLiteral("ForceClockOuts"), c.force);
        entry.set(QStringLiteral("ForceAfter"), QString::fromLatin1(c.forceHours));
        entry.setFlag(QStringLiteral("AutoDeduct"), c.deduct);
        entry.set(QStringLiteral("MinBeforeDed"), QString::fromLatin1(c.deductHours));
        entry.set(QStringLiteral("MinutesToDeduct"), QString::fromLatin1(c.deductMinutes));
        entry.set(QStringLiteral("EnterID"), QStringLiteral("Your number"));
        const SourceChoice source(EmployeeSource::None);
        const OptionsSave::Outcome outcome = f.save(entry, source);
        const std::string label = std::string(c.forceHours) + " " + c.deductHours + " " + c.deductMinutes;
        if (c.message) {
            EXPECT_EQ(outcome, OptionsSave::Outcome::Refused) << label;
            ASSERT_EQ(f.messages.shown.size(), 1) << label;
            EXPECT_EQ(f.messages.shown.first().text, QString::fromLatin1(c.message)) << label;
            EXPECT_EQ(f.messages.shown.first().title,
                      c.force && c.message == forceText ? QStringLiteral("Force a clock out after...")
                                                        : QStringLiteral("Automatically deduct break hours"));
            EXPECT_TRUE(f.row().isNull(QStringLiteral("EnterID"))) << label;
            EXPECT_EQ(f.session.settings().enterId, QStringLiteral("Enter ID"));
        } else {
            EXPECT_EQ(outcome, OptionsSave::Outcome::Saved) << label;
            EXPECT_TRUE(f.messages.shown.isEmpty()) << label;
            EXPECT_EQ(f.row().value(QStringLiteral("EnterID")).toString(), QStringLiteral("Your number"));
            EXPECT_EQ(f.session.settings().enterId, QStringLiteral("Your number"));
        }
        EXPECT_EQ(f.exit.ends, 0);
    }
}

TEST(OptionsSave, RestartCasesEndTheProgramAfterTheirMessage)
{
    const QString notRostermill =
        QStringLiteral("You selected not to use the \"Rostermill\" database file RTM.MDB\n") +
        OptionsSave::restartLine;
    const QString keyboard =
        QStringLiteral("You selected to change the Keyboard status on the Clock screen.\n") +
        OptionsSave::restartLine;
    struct Case {
        const char* label;
        EmployeeSource atOpen;
        QList<EmployeeSource> chosen;
        bool keyboardChanged;
        QString message; // empty: saved and closed
        const char* title;
        bool pathFileAfter;
    };
    using enum EmployeeSource;
    const Case cases[] = {
        {"to none", LocalFiles, {None}, false, notRostermill, "New database file", false},
        {"to local staff", None, {LocalFiles}, false, notRostermill, "New database file", true},
        {"keyboard", None, {}, true, keyboard, "Keyboard change...", false},
        {"source wins over keyboard", None, {LocalFiles}, true, notRostermill, "New database file", true},
        {"there and back", LocalFiles, {None, LocalFiles}, false, {}, "", true},
        {"nothing", None, {}, false, {}, "", false},
    };
    for (const Case& c : cases) {
        OptionsFixture f;
        PathFile::State path;
        if (c.atOpen == LocalFiles) {
            ASSERT_TRUE(PathFile::writeNewPath(f.session.paths(), f.session.paths().programFolder(),
                                               QString(), path));
            f.session.setEmployeeSource(EmployeeSource::LocalFiles);
        }
        SourceChoice source(c.atOpen);
        for (EmployeeSource wanted : c.chosen)
            EXPECT_EQ(source.choose(wanted, f.services, f.session, nullptr), wanted) << c.label;
        SettingsChange entry = SettingsChange::of(f.session.settings());
        entry.setFlag(QStringLiteral("ShowKeyboard"), c.keyboardChanged);
        entry.setFlag(QStringLiteral("Clock12Hour"), true);

        const OptionsSave::Outcome outcome = f.save(entry, source);
        EXPECT_EQ(outcome, c.message.isEmpty() ? OptionsSave::Outcome::Saved : OptionsSave::Outcome::Ended)
            << c.label;
        EXPECT_EQ(f.exit.ends, c.message.isEmpty() ? 0 : 1) << c.label;
        if (c.message.isEmpty()) {
            EXPECT_TRUE(f.messages.shown.isEmpty()) << c.label;
        } else {
            ASSERT_EQ(f.messages.shown.size(), 1) << c.label;
            EXPECT_EQ(f.messages.shown.first().text, c.message) << c.label;
            EXPECT_EQ(f.messages.shown.first().title, QString::fromLatin1(c.title)) << c.label;
        }
        // The settings are written before the program ends.
        EXPECT_EQ(f.row().value(QStringLiteral("Options")).toInt() & 2, 2) << c.label;
        EXPECT_TRUE(f.session.settings().clock12Hour);
        EXPECT_EQ(f.pathFileExists(), c.pathFileAfter) << c.label;
        EXPECT_EQ(f.session.hasEmployeeDatabase(), c.pathFileAfter) << c.label;
    }
}

// Choosing the scheduling database asks for its file: no file or another file keeps the previous
// source, RTM.MDB in any letter case becomes the folder written to the path file on save.
TEST(OptionsSave, SchedulingSourceTakesTheChosenRtmFile)
{
    struct Case {
        const char* label;
        QString file;
        bool taken;
        int messages;
    };
    const Case cases[] = {
        {"cancelled", QString(), false, 0},
        {"another file", QStringLiteral("/srv/roster/Clock.mdb"), false, 1},
        {"rtm.mdb", QStringLiteral("/srv/roster/rtm.mdb"), true, 0},
    };
    for (const Case& c : cases) {
        OptionsFixture f;
        SourceChoice source(EmployeeSource::LocalFiles);
        const EmployeeSource selected = source.choose(EmployeeSource::SchedulingDatabase, f.services,
                                                      f.session, nullptr, [&] { return c.file; });
        EXPECT_EQ(selected, c.taken ? EmployeeSource::SchedulingDatabase : EmployeeSource::LocalFiles)
            << c.label;
        EXPECT_EQ(source.pathChanged(), c.taken) << c.label;
        EXPECT_EQ(f.messages.shown.size(), c.messages) << c.label;
        if (c.messages) {
            EXPECT_EQ(f.messages.shown.first().text, QStringLiteral("The file you selected is not Rtm.mdb"));
        }
        if (c.taken) {
            EXPECT_EQ(source.folder(), QStringLiteral("/srv/roster/"));
        }
    }
}

TEST(OptionsForm, FilledFromTheSettingsRecord)
{
    const auto shown = [](const SettingsRecord& s, const char* key) {
        return SettingsTable::at(QString::fromLatin1(key)).text(s);
    };
    SettingsRecord s;
    s.minBeforeDed = 285;
    s.forceAfter = 0.0f;
    EXPECT_EQ(shown(s, "MinBeforeDed"), QStringLiteral("4.8"));
    EXPECT_EQ(shown(s, "ForceAfter"), QStringLiteral("12"));
    s.minBeforeDed = 30;
    s.forceAfter = 0.5f;
    EXPECT_EQ(shown(s, "MinBeforeDed"), QStringLiteral(".5"));
    EXPECT_EQ(shown(s, "ForceAfter"), QStringLiteral("0.5"));
    EXPECT_EQ(SettingsIo::hoursText(300), QStringLiteral("5.0"));
    EXPECT_EQ(SettingsIo::hoursText(255, QLocale(QLocale::German)), QStringLiteral("4,3"));
}

namespace {
// The locale a manager's desktop runs in, for one test.
struct LocaleScope {
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};
} // namespace

// Saving the dialog again must not move a value the manager did not touch: 255 minutes show as
// 4.3 hours, which are 258 minutes.
TEST(OptionsSave, UntouchedBreakHoursKeepTheirMinutes)
{
    OptionsFixture f;
    ApplicationTable(f.folder.database()).write({{QStringLiteral("MinBeforeDed"), 255}});
    f.session.setSettings(SettingsIo::load(f.row()));
    for (int save = 0; save < 2; ++save) {
        SettingsChange entry = SettingsChange::of(f.session.settings());
        entry.setFlag(QStringLiteral("AutoDeduct"), true);
        EXPECT_EQ(entry.typed(QStringLiteral("MinBeforeDed")).value_or(QString()), QStringLiteral("4.3"));
        ASSERT_EQ(f.save(entry, SourceChoice(EmployeeSource::None)), OptionsSave::Outcome::Saved);
        EXPECT_EQ(f.row().value(QStringLiteral("MinBeforeDed")).toInt(), 255) << save;
        EXPECT_EQ(f.session.settings().minBeforeDed, 255);
    }
    SettingsChange entry = SettingsChange::of(f.session.settings());
    entry.set(QStringLiteral("MinBeforeDed"), QStringLiteral("4.75"));
    ASSERT_EQ(f.save(entry, SourceChoice(EmployeeSource::None)), OptionsSave::Outcome::Saved);
    EXPECT_EQ(f.row().value(QStringLiteral("MinBeforeDed")).toInt(), 285);
}

// Numbers are read with the desktop's decimal separator; a box that holds no number counts as 0
// (never as the part before the odd character), so the range checks see a 0.
TEST(OptionsSave, TypedNumbersFollowTheLocale)
{
    struct Case {
        QLocale::Language language;
        const char* breakHours;
        const char* forceAfter;
        const char* pictureDays;
        int minBeforeDed; // 0: refused
        double forceHours;
        const char* refusal;
        int pictureDaysStored = 30;
    };
    const Case cases[] = {
        {QLocale::German, "7,5", "1,5", "30", 450, 1.5, nullptr},
        {QLocale::German, "7.5", " 1,25 ", "30", 450, 1.25, nullptr},
        {QLocale::English, "7.5", "1.5", "30", 450, 1.5, nullptr},
        {QLocale::English, "7,5", "1.5", "30", 0, 0, "Hours must be between .5 and 23"},
        {QLocale::English, "5", "1,5", "30", 0, 0, "Force after hours must be between .5 and 23"},
        {QLocale::German, "5", "2", "3O", 300, 2, nullptr, 0},
        {QLocale::German, "5", "2", "12 Tage", 300, 2, nullptr, 0},
        {QLocale::German, "5", "zwei", "30", 0, 0, "Force after hours must be between .5 and 23"},
        {QLocale::German, "5", "2", "", 300, 2, nullptr, 0},
    };
    for (const Case& c : cases) {
        const LocaleScope scope{QLocale(c.language)};
        OptionsFixture f;
        SettingsChange entry = SettingsChange::of(f.session.settings());
        entry.setFlag(QStringLiteral("AutoDeduct"), true);
        entry.setFlag(QStringLiteral("ForceClockOuts"), true);
        entry.set(QStringLiteral("MinBeforeDed"), QString::fromLatin1(c.breakHours));
        entry.set(QStringLiteral("ForceAfter"), QString::fromLatin1(c.forceAfter));
        entry.set(QStringLiteral("PictureDays"), QString::fromLatin1(c.pictureDays));
        const std::string label = std::string(c.breakHours) + " " + c.forceAfter + " " + c.pictureDays;
        const OptionsSave::Outcome outcome = f.save(entry, SourceChoice(EmployeeSource::None));
        if (c.refusal) {
            EXPECT_EQ(outcome, OptionsSave::Outcome::Refused) << label;
            ASSERT_EQ(f.messages.shown.size(), 1) << label;
            EXPECT_TRUE(f.messages.shown.first().text.contains(QString::fromLatin1(c.refusal)))
                << label << " " << f.messages.shown.first().text.toStdString();
            EXPECT_TRUE(f.row().isNull(QStringLiteral("MinBeforeDed"))) << label;
            continue;
        }
        EXPECT_EQ(outcome, OptionsSave::Outcome::Saved) << label;
        EXPECT_EQ(f.row().value(QStringLiteral("MinBeforeDed")).toInt(), c.minBeforeDed) << label;
        EXPECT_FLOAT_EQ(f.row().value(QStringLiteral("ForceAfter")).toFloat(), c.forceHours) << label;
        EXPECT_FLOAT_EQ(f.session.settings().forceAfter, c.forceHours) << label;
        EXPECT_EQ(f.row().value(QStringLiteral("PictureDays")).toInt(), c.pictureDaysStored) << label;
    }
}

// The settings row is written before the path file, so a failed save leaves the employee source as
// it was, and a path file that cannot be written is said to be unsaved.
TEST(OptionsSave, RowBeforePathFileAndSayWhatWasSaved)
{
    {
        OptionsFixture f;
        SourceChoice source(EmployeeSource::None);
        ASSERT_EQ(source.choose(EmployeeSource::LocalFiles, f.services, f.session, nullptr),
                  EmployeeSource::LocalFiles);
        f.folder.database().execute(QStringLiteral(R"(DROP TABLE "Application")"));
        EXPECT_EQ(f.save(SettingsChange::of(f.session.settings()), source), OptionsSave::Outcome::Refused);
        ASSERT_EQ(f.messages.shown.size(), 1);
        EXPECT_TRUE(f.messages.shown.first().text.endsWith(QStringLiteral("No setting was saved.")));
        EXPECT_FALSE(f.pathFileExists());
        EXPECT_FALSE(f.session.hasEmployeeDatabase());
        EXPECT_EQ(f.exit.ends, 0);
    }
    {
        OptionsFixture f;
        SourceChoice source(EmployeeSource::None);
        ASSERT_EQ(source.choose(EmployeeSource::LocalFiles, f.services, f.session, nullptr),
                  EmployeeSource::LocalFiles);
        // a folder where the file belongs: no file can be written under that name
        ASSERT_TRUE(QDir(f.session.paths().programFolder()).mkdir(PathFile::fileName()));
        SettingsChange entry = SettingsChange::of(f.session.settings());
        entry.set(QStringLiteral("EnterID"), QStringLiteral("Your number"));
        EXPECT_EQ(f.save(entry, source), OptionsSave::Outcome::Saved);
        EXPECT_EQ(f.row().value(QStringLiteral("EnterID")).toString(), QStringLiteral("Your number"));
        ASSERT_EQ(f.messages.shown.size(), 1);
        EXPECT_TRUE(f.messages.shown.first().text.startsWith(
            QStringLiteral("The settings were saved, but the new employee source was not")));
        EXPECT_FALSE(f.session.hasEmployeeDatabase());
        EXPECT_EQ(f.exit.ends, 0);
    }
}

TEST(PasswordChange, SetChangeAndRemove)
{
    using Step = PasswordChange::Step;
    OptionsFixture f;
    PasswordChange page(f.services, f.session);
    EXPECT_EQ(page.heading(), QStringLiteral("Enter the Password that you want to use "));

    // Four characters are refused when leaving the box; an empty box may be left.
    EXPECT_FALSE(page.leaveBox(QStringLiteral("ABCD")));
    ASSERT_EQ(f.messages.shown.size(), 1);
    EXPECT_EQ(f.messages.shown.first().text, Password::lengthText);
    EXPECT_TRUE(page.leaveBox(QString()) && page.leaveBox(QStringLiteral("ABCDEFGHIJKL")));
    EXPECT_FALSE(page.leaveBox(QStringLiteral("ABCDEFGHIJKLM")));
    f.messages.shown.clear();

    // A confirmation that differs saves nothing.
    EXPECT_EQ(page.save(QStringLiteral("secret"), QString()), Step::ConfirmationAsked);
    EXPECT_TRUE(page.confirming());
    EXPECT_EQ(page.save(QStringLiteral("secret"), QStringLiteral("secrets")), Step::Mismatch);
    EXPECT_EQ(f.messages.shown.last().text, QStringLiteral("Password confirmation failed, try again..."));
    EXPECT_EQ(f.messages.shown.last().title, QStringLiteral("Verify not correct"));
    EXPECT_FALSE(page.confirming());
    EXPECT_TRUE(f.session.settings().password.isEmpty());
    EXPECT_TRUE(f.row().value(QStringLiteral("PW")).toString().isEmpty());

    // Typed in lower case, kept and stored in upper case, accepted in any case afterwards.
    EXPECT_EQ(page.save(QStringLiteral(" secret "), QString()), Step::ConfirmationAsked);
    EXPECT_EQ(page.save(QStringLiteral(" secret "), QStringLiteral("secret ")), Step::Saved);
    EXPECT_EQ(f.session.settings().password, QStringLiteral("SECRET"));
    EXPECT_EQ(SettingsIo::load(f.row()).password, QStringLiteral("SECRET"));
    EXPECT_EQ(Password::check(QStringLiteral("SeCrEt"), f.session.settings().password),
              Password::CheckResult::Unlocked);
    EXPECT_EQ(page.heading(), QStringLiteral("Enter a new Password if you want to change your password "));

    // The blank entry asks first; No keeps the password, Yes removes it.
    f.messages.answers = {MessageBoxes::Answer::No, MessageBoxes::Answer::Yes};
    EXPECT_EQ(page.save(QStringLiteral("   "), QString()), Step::Nothing);
    EXPECT_EQ(
        f.messages.shown.last().text,
        QStringLiteral("The proposed Password is blank.\nIf no Password is entered,\nno Password protection "
                       "will exist!\n\nAre you sure?"));
    EXPECT_EQ(f.messages.shown.last().title, QStringLiteral("Password entry"));
    EXPECT_EQ(f.session.settings().password, QStringLiteral("SECRET"));
    EXPECT_EQ(page.save(QString(), QString()), Step::Removed);
    EXPECT_TRUE(f.session.settings().password.isEmpty());
    EXPECT_TRUE(SettingsIo::load(f.row()).password.isEmpty());
}

TEST(TimeText, TypedTimesOfDay)
{
    struct Case {
        const char* typed;
        const char* formatted; // nullptr: "Error in time format.."
    };
    const Case cases[] = {
        {"9:5", "09:05"},   {" 14:30 ", "14:30"}, {"14:30:15", "14:30"}, {"2:30 PM", "14:30"},
        {"0:00", "00:00"},  {"23:59", "23:59"},   {"24:00", "24:00"},    {"12:00", "12:00"},
        {"25:00", nullptr}, {"9:60", nullptr},    {"abc", nullptr},      {"", nullptr},
        {"ab:cd", nullptr}, {"930", nullptr},
    };
    for (const Case& c : cases) {
        const std::optional<QString> text = TimeText::format(QString::fromLatin1(c.typed));
        if (c.formatted) {
            ASSERT_TRUE(text.has_value()) << c.typed;
            EXPECT_EQ(*text, QString::fromLatin1(c.formatted)) << c.typed;
        } else {
            EXPECT_FALSE(text.has_value()) << c.typed;
        }
    }
    EXPECT_EQ(TimeText::timeOf(QStringLiteral("24:00")), QTime(0, 0));
    EXPECT_EQ(TimeText::timeOf(QStringLiteral("09:05")), QTime(9, 5));

    const QDate day(2026, 7, 4);
    for (const char* order : {"MM-DD-YYYY", "DD-MM-YYYY", "YYYY-MM-DD"}) {
        const QString text = TimeText::dateText(day, QString::fromLatin1(order));
        EXPECT_EQ(TimeText::dateOf(text, QString::fromLatin1(order)), day) << order;
    }
    EXPECT_EQ(TimeText::dateText(day, QStringLiteral("DD-MM-YYYY")), QStringLiteral("04-07-2026"));
    EXPECT_EQ(TimeText::dateText(day, QStringLiteral("MM-DD-YYYY")), QStringLiteral("07-04-2026"));
}
