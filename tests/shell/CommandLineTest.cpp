#include "shell/CommandLine.h"

#include "FakeTimeSource.h"

#include <QDate>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

TEST(CommandLine, ArgumentsChooseCommandOrWindows)
{
    struct Case {
        QStringList arguments;
        const char* command; // nullptr: the windows open
    };
    const Case cases[] = {
        {{"tellarin"}, nullptr},
        {{"tellarin", "--program-folder", "/tmp/x"}, nullptr},
        {{"tellarin", "-platform", "offscreen"}, nullptr},
        {{"tellarin", "help"}, "help"},
        {{"tellarin", "--program-folder", "/tmp/help", "help"}, "help"},
        {{"tellarin", "--program-folder=/tmp/x", "--help"}, "help"},
        {{"tellarin", "--version"}, "version"},
        {{"tellarin", "nosuch"}, ""},
    };
    for (const Case& c : cases) {
        const CommandLine::Command* command = CommandLine::commandIn(c.arguments);
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        if (!c.command) {
            EXPECT_EQ(command, nullptr);
            continue;
        }
        ASSERT_NE(command, nullptr);
        EXPECT_STREQ(command->name, c.command);
    }
}

TEST(CommandLine, UnknownCommandIsBadArguments)
{
    QTemporaryDir dir;
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    FakeTimeSource time{QDateTime(QDate(2026, 12, 4), QTime(8, 0))};
    EXPECT_EQ(CommandLine::runWith({"tellarin", "--program-folder", dir.path(), "nosuch"}, time, out, err),
              CommandLine::BadArguments);
    EXPECT_TRUE(errText.contains(QLatin1String("unknown command 'nosuch'")));
    EXPECT_EQ(errText.count(QLatin1Char('\n')), 1);
}

TEST(CommandLine, DatesAreIsoOnly)
{
    const struct {
        const char* text;
        bool ok;
    } cases[] = {{"2026-12-01", true}, {"2026-02-29", false}, {"12/01/2026", false},
                 {"2026-1-5", false},  {"", false},           {"2026-12-01T08:00", false}};
    for (const auto& c : cases) {
        QString errText;
        QTextStream err(&errText);
        QDate date;
        EXPECT_EQ(CommandLine::parseDate(QString::fromLatin1(c.text), QStringLiteral("--from"), &date, err),
                  c.ok)
            << c.text;
        EXPECT_EQ(errText.isEmpty(), c.ok) << c.text;
    }
}

TEST(CommandLine, RecordChangesOpenTheDatabaseForWritingAndTheListDoesNot)
{
    const CommandLine::Command* records = CommandLine::commandIn({"tellarin", "records"});
    ASSERT_NE(records, nullptr);
    ASSERT_NE(records->writes, nullptr);
    const struct {
        QStringList words; // after the command's name
        bool writes;
    } cases[] = {
        {{"--id", "E1"}, false},
        {{"insert", "--id", "E1", "--time", "2026-12-04 08:00", "--in"}, true},
        {{"set", "--record", "1", "--out"}, true},
        {{"delete", "--record", "1"}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(records->writes(c.words), c.writes) << c.words.join(QLatin1Char(' ')).toStdString();
}
