#include "reports/ReportCommand.h"

#include "ReportFixture.h"
#include "TestProgram.h"
#include "reports/PrintSettings.h"

#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace ReportFixture;

namespace {
struct CommandFixture : TestProgram {
    QString out;
    QString err;

    CommandFixture()
        : TestProgram(QDateTime(QDate(2026, 12, 7), QTime(9, 5)))
    {
        append(folder.database(), week());
        session.setSettings(settings());
        session.setDepartments(departments());
    }

    int run(const QStringList& args)
    {
        out.clear();
        err.clear();
        QTextStream o(&out);
        QTextStream e(&err);
        const int code = runReportCommand(services, session, args, o, e);
        o.flush();
        e.flush();
        return code;
    }

    qint64 rowCount()
    {
        QSqlQuery& q = folder.database().run(QStringLiteral(R"(SELECT count(*) FROM "In Out")"));
        q.next();
        const qint64 n = q.value(0).toLongLong();
        q.finish();
        return n;
    }
};

QStringList args(const char* text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}
} // namespace

TEST(ReportCommand, LinesOnStandardOutput)
{
    CommandFixture f;
    ASSERT_EQ(f.run(args("--from 2026-11-30 --to 2026-12-06")), 0) << f.err.toStdString();
    const QStringList lines = f.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 29); // no rounding line: Print.Dat is missing, so 33
    EXPECT_EQ(lines.first(),
              QStringLiteral("title\tEmployee clocking report from 11/30/26 to 12/6/26, printed "
                             "on: 07-Dec-26 at: 09:05"));
    EXPECT_EQ(lines[1], QStringLiteral("record\tC3\t%1\t%2\tIn\t9:00\tThu\t12/3/26\t")
                            .arg(QString(25, QLatin1Char('-')), QString(30, QLatin1Char('-'))));
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("total\t")));
    EXPECT_TRUE(f.err.isEmpty());
}

TEST(ReportCommand, RoundingComesFromPrintDatUnlessGiven)
{
    CommandFixture f;
    PrintSettings print;
    print.roundingCode = 13;
    ASSERT_TRUE(PrintDat::save(PrintDat::path(f.session.paths()), print));
    ASSERT_EQ(f.run(args("--from 2026-12-01 --to 2026-12-01 --by department")), 0);
    EXPECT_TRUE(
        f.out.contains(QStringLiteral("rounding\tClock INs are rounded to the nearest quarter  - \n")));
    EXPECT_TRUE(f.out.startsWith(QStringLiteral("title\tDepartment clocking report for 12/1/26")));
    ASSERT_EQ(f.run(args("--from=2026-12-01 --rounding=33")), 0);
    EXPECT_FALSE(f.out.contains(QStringLiteral("rounding\t")));
}

TEST(ReportCommand, CsvAndPdfFiles)
{
    CommandFixture f;
    const QString csv = f.folder.path() + QStringLiteral("/week.csv");
    ASSERT_EQ(f.run({QStringLiteral("--from"), QStringLiteral("2026-11-30"), QStringLiteral("--to"),
                     QStringLiteral("2026-12-06"), QStringLiteral("--format"), QStringLiteral("csv"),
                     QStringLiteral("--output"), csv}),
              0);
    EXPECT_TRUE(f.out.isEmpty());
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.count("\r\n"), 15); // header, 9 pairs and single records, 4 summaries, grand total
    EXPECT_TRUE(bytes.startsWith("Employee ID,Employee,"));

    const QString pdf = f.folder.path() + QStringLiteral("/week.pdf");
    ASSERT_EQ(f.run({QStringLiteral("--from"), QStringLiteral("2026-11-30"), QStringLiteral("--to"),
                     QStringLiteral("2026-12-06"), QStringLiteral("--format"), QStringLiteral("pdf"),
                     QStringLiteral("--output"), pdf}),
              0)
        << f.err.toStdString();
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5) == "%PDF-");
}

TEST(ReportCommand, ForcedClockOutsRunFirstAndNothingElseIsWritten)
{
    CommandFixture f;
    append(f.folder.database(), {row("E5", "Eve", 1, at(12, 6, 9, 0), false)});
    const qint64 before = f.rowCount();
    ASSERT_EQ(f.run(args("--from 2026-12-06")), 0);
    EXPECT_EQ(f.rowCount(), before);
    EXPECT_FALSE(f.out.contains(QStringLiteral(" - Forced")));

    f.session.updateSettings([&](SettingsRecord& s) { s.forceClockOuts = true; });
    ASSERT_EQ(f.run(args("--from 2026-12-06")), 0);
    EXPECT_EQ(f.rowCount(), before + 3); // E5, and the first IN of two in a row for a1 and B7
    EXPECT_TRUE(
        f.out.contains(QStringLiteral("record\tE5\tEve\tFront desk\tOut\t9:01 - Forced\tSun\t12/6/26\t\n")));
}

TEST(ReportCommand, ExitCodes)
{
    const struct {
        const char* args;
        int code;
        const char* err;
    } cases[] = {
        {"--from 2026-10-01 --to 2026-10-31", 1, "No records found for printing..\n"},
        {"", 2, "report: Starting date is missing... (--from YYYY-MM-DD)\n"},
        {"--to 2026-12-01", 2, "report: Starting date is missing... (--from YYYY-MM-DD)\n"},
        {"--from 2026-12-07 --to 2026-12-01", 2,
         "report: Last date must be the same or later then First date!\n"},
        {"--from 2026-13-01", 2, "report: --from \"2026-13-01\" is not a date of the form YYYY-MM-DD\n"},
        {"--from 12/01/2026", 2, "report: --from \"12/01/2026\" is not a date of the form YYYY-MM-DD\n"},
        {"--from", 2, "report: --from needs a value\n"},
        {"--from 2026-12-01 --from 2026-12-02", 2, "report: --from is given twice\n"},
        {"--from 2026-12-01 --colour red", 2, "report: unknown option \"--colour\"\n"},
        {"--from 2026-12-01 --by name", 2, "report: --by must be employee or department, not \"name\"\n"},
        {"--from 2026-12-01 --rounding 60", 2,
         "report: --rounding must be two digits from 1 to 5 (IN rule, OUT rule), not \"60\"\n"},
        {"--from 2026-12-01 --format xml", 2, "report: --format must be lines, csv or pdf, not \"xml\"\n"},
        {"--from 2026-12-01 --format pdf", 2, "report: --format pdf needs --output FILE\n"},
        {"--from 2026-12-01 --output /nonexistent-folder/x.txt", 6, nullptr},
    };
    for (const auto& c : cases) {
        CommandFixture f;
        EXPECT_EQ(f.run(args(c.args)), c.code) << c.args;
        EXPECT_TRUE(f.out.isEmpty()) << c.args;
        if (c.err) {
            EXPECT_EQ(f.err, QString::fromLatin1(c.err)) << c.args;
        }
        EXPECT_EQ(f.err.count(QLatin1Char('\n')), 1) << c.args;
    }
}

TEST(ReportCommand, DatabaseProblemIsExitThree)
{
    CommandFixture f;
    // A database file without the clock records table.
    f.folder.database().close();
    ASSERT_TRUE(f.folder.database().open(f.folder.path() + QStringLiteral("/empty.db")).ok());
    EXPECT_EQ(f.run(args("--from 2026-12-01")), 3);
    EXPECT_TRUE(f.err.startsWith(QStringLiteral("Database problem.. Error number is:")));
    EXPECT_EQ(f.err.count(QLatin1Char('\n')), 1);
}

TEST(ReportCommand, NeverWritesOverTheProgramsOwnFiles)
{
    CommandFixture f;
    const QString folder = f.folder.path();
    QFile staff(folder + QStringLiteral("/Empl.DAT"));
    ASSERT_TRUE(staff.open(QIODevice::WriteOnly));
    staff.write("1,Adams Ann,A1,1,0,-1,,\r\n");
    staff.close();
    ASSERT_TRUE(QFile::link(folder + QStringLiteral("/Clock.mdb"), folder + QStringLiteral("/week.csv")));
    const auto bytes = [&](const QString& name) {
        QFile file(folder + QLatin1Char('/') + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray database = bytes(QStringLiteral("Clock.mdb"));
    const QByteArray employees = bytes(QStringLiteral("Empl.DAT"));
    const qint64 rows = f.rowCount();
    for (const char* format : {"lines", "csv", "pdf"}) {
        for (const char* name : {"Clock.mdb", "CLOCK.MDB-wal", "Empl.DAT", "week.csv", "Print.Dat"}) {
            const QString output = folder + QLatin1Char('/') + QLatin1String(name);
            EXPECT_EQ(
                f.run({QStringLiteral("--from"), QStringLiteral("2026-11-30"), QStringLiteral("--format"),
                       QString::fromLatin1(format), QStringLiteral("--output"), output}),
                6)
                << format << ' ' << name;
            EXPECT_TRUE(f.err.contains(QLatin1String("the program's own file"))) << f.err.toStdString();
            EXPECT_EQ(f.err.count(QLatin1Char('\n')), 1);
        }
    }
    EXPECT_EQ(bytes(QStringLiteral("Clock.mdb")), database);
    EXPECT_EQ(bytes(QStringLiteral("Empl.DAT")), employees);
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/Print.Dat")));
    EXPECT_EQ(f.rowCount(), rows);
}
