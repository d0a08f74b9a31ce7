#include "shell/DatabaseCommand.h"

#include "CopySource.h"
#include "FakeTimeSource.h"
#include "PostgresServer.h"
#include "TestFolder.h"
#include "settings/Password.h"
#include "settings/SettingsIo.h"
#include "shell/CommandLine.h"
#include "store/ApplicationTable.h"
#include "store/DatabaseLocation.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace {
struct Outcome {
    int code = -1;
    QString out;
    QString err;
};

Outcome tellarin(const QStringList& words)
{
    Outcome run;
    QTextStream out(&run.out), err(&run.err);
    const FakeTimeSource time{QDateTime(QDate(2026, 12, 4), QTime(8, 0))};
    run.code = CommandLine::runWith(QStringList{QStringLiteral("tellarin")} + words, time, out, err);
    return run;
}
} // namespace

TEST(DatabaseCommand, RefusesWhatItCannotUse)
{
    TestFolder folder;
    const QString program = folder.path();
    const struct {
        QStringList words;
        int code;
        const char* message;
    } cases[] = {
        {{"database"}, CommandLine::BadArguments, "subcommand"},
        {{"database", "move"}, CommandLine::BadArguments, "unknown subcommand 'move'"},
        {{"database", "copy"}, CommandLine::BadArguments, "--to"},
        {{"database", "copy", "--to"}, CommandLine::BadArguments, "--to needs a value"},
        {{"database", "copy", "--to", "mysql://db/clock"}, CommandLine::BadArguments, ""},
        {{"database", "copy", "--to", "file"}, CommandLine::BadArguments, "postgresql://"},
        {{"database", "copy", "--to", "postgresql://clock@/x", "--wipe"},
         CommandLine::BadArguments,
         "--wipe"},
        {{"database", "copy", "--to", "postgresql://clock@/x", "--from", program + "/None.mdb"},
         CommandLine::DatabaseProblem,
         "no clock database"},
        // No server listens in a folder that does not exist.
        {{"database", "copy", "--to", "postgresql://clock@/x?host=" + program + "/no-server"},
         CommandLine::DatabaseProblem,
         "no-server"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words.join(QLatin1Char(' ')).toStdString());
        const Outcome result = tellarin(QStringList{QStringLiteral("--program-folder"), program} + c.words);
        EXPECT_EQ(result.code, c.code);
        EXPECT_TRUE(result.err.contains(QLatin1String(c.message))) << result.err.toStdString();
        EXPECT_EQ(result.err.count(QLatin1Char(0x0a)), 1) << result.err.toStdString();
    }
}

TEST(DatabaseCommand, CopiesTheDataFolderFileOnceAndTheHistoryVerifies)
{
    TELLARIN_REQUIRE_POSTGRES();
    TestFolder folder;
    CopySource::fill(folder.database(), 500);
    // "QUICK1" scrambles to a text that begins with NUL
    {
        ApplicationTable table(folder.database());
        Password::save(table, QStringLiteral("quick1"));
        ASSERT_EQ(table.read().value(QStringLiteral("PW")).toString().at(0), QChar(0));
    }
    const QString url = PostgresServer::shared().createDatabase(QStringLiteral("command"));
    const QStringList program{QStringLiteral("--program-folder"), folder.path()};

    const Outcome copied = tellarin(program + QStringList{"database", "copy", "--to", url});
    ASSERT_EQ(copied.code, CommandLine::Done) << copied.err.toStdString();
    EXPECT_TRUE(copied.out.contains(QLatin1String("In Out\t500 rows in the file\t500 on the server")))
        << copied.out.toStdString();
    EXPECT_TRUE(copied.out.contains(QLatin1String("Edit history\t3 rows"))) << copied.out.toStdString();

    {
        Database server;
        ASSERT_TRUE(server.openServer(*DatabaseLocation::parse(url)).ok());
        EXPECT_EQ(SettingsIo::load(ApplicationTable(server).read()).password, QStringLiteral("QUICK1"));
    }

    const Outcome verified = tellarin(program + QStringList{"--database", url, "history", "--verify"});
    EXPECT_EQ(verified.code, CommandLine::Done) << verified.err.toStdString();
    EXPECT_TRUE(verified.out.contains(QLatin1String("3 entries checked"))) << verified.out.toStdString();

    const Outcome again = tellarin(program + QStringList{"database", "copy", "--to", url});
    EXPECT_EQ(again.code, DatabaseCommand::TargetNotEmpty);
    EXPECT_TRUE(again.err.contains(QLatin1String("already holds clock records"))) << again.err.toStdString();
}
