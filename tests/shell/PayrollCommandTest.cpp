#include "BackendTest.h"
#include "FakeTimeSource.h"
#include "platform/ProgramPaths.h"
#include "shell/CommandLine.h"
#include "store/EditHistory.h"
#include "store/StaffFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <memory>

namespace {
struct Outcome {
    int code = -1;
    QString out;
    QString err;
};

// The whole program run as a command, as a payroll clerk or a nightly script would run it.
class PayrollCommandTest : public BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (IsSkipped())
            return;
        m_folder = std::make_unique<TestFolder>(backend());
        for (const QStringList& setting :
             {QStringList{"payroll.period", "biweekly"}, QStringList{"payroll.anchor", "2026-11-23"}})
            ASSERT_EQ(tellarin(QStringList{"settings", "set"} + setting).code, 0);
    }

    Outcome tellarin(const QStringList& words) const
    {
        Outcome run;
        QTextStream out(&run.out), err(&run.err);
        const FakeTimeSource time{QDateTime(QDate(2026, 12, 22), QTime(8, 0))};
        QStringList arguments{QStringLiteral("tellarin"), QStringLiteral("--program-folder"),
                              m_folder->path()};
        if (!m_folder->url().isEmpty())
            arguments << QStringLiteral("--database") << m_folder->url();
        run.code = CommandLine::runWith(arguments + words, time, out, err);
        out.flush();
        err.flush();
        return run;
    }

    QString recordOf(const char* id, const QByteArray& time, const char* direction) const
    {
        const Outcome inserted =
            tellarin({"records", "insert", "--id", id, "--time", QString::fromLatin1(time), direction});
        EXPECT_EQ(inserted.code, 0) << inserted.err.toStdString();
        return inserted.out.trimmed();
    }

    std::unique_ptr<TestFolder> m_folder;
};
TELLARIN_ON_BOTH_BACKENDS(PayrollCommandTest);
} // namespace

TEST_P(PayrollCommandTest, APeriodIsApprovedLockedCorrectedOnlyAfterReopeningAndTheHistoryTellsWho)
{
    const QString in = recordOf("E1", "2026-12-08 08:00", "--in");
    recordOf("E1", "2026-12-08 17:00", "--out");
    recordOf("E2", "2026-12-09 09:00", "--in");
    recordOf("E2", "2026-12-09 13:00", "--out");

    const struct {
        QStringList words;
        int code;
        QString out; // standard output, or the end of standard error when the code is not 0
    } steps[] = {
        {{"payroll", "periods", "--from", "2026-11-25"},
         0,
         "period\t2026-12-21\t2027-01-03\topen\nperiod\t2026-12-07\t2026-12-20\topen\n"
         "period\t2026-11-23\t2026-12-06\topen\n"},
        {{"payroll", "approve", "--period", "2026-12-09"},
         2,
         "payroll approve: 2026-12-09 is not the first day of a pay period: it lies in 7 Dec 2026 - 20 Dec "
         "2026, which begins on 2026-12-07\n"},
        {{"payroll", "approve", "--period", "2026-12-07", "--id", "E9"},
         1,
         "no employee has the ID \"E9\"\n"},
        {{"payroll", "approve", "--period", "2026-12-07", "--id", "e1"}, 0, ""},
        {{"payroll", "lock", "--period", "2026-12-07"},
         2,
         "The pay period 7 Dec 2026 - 20 Dec 2026 is not approved for E2. --force locks it anyway.\n"},
        {{"payroll", "approve", "--period", "2026-12-07", "--id", "E2"}, 0, ""},
        {{"payroll", "periods", "--from", "2026-12-20"},
         0,
         "period\t2026-12-21\t2027-01-03\topen\nperiod\t2026-12-07\t2026-12-20\tpartly approved\n"},
        {{"payroll", "lock", "--period", "2026-12-07"}, 0, ""},
        {{"payroll", "lock", "--period", "2026-12-07"}, 11, "is already locked.\n"},
        {{"payroll", "approve", "--period", "2026-12-07"},
         11,
         "The pay period 7 Dec 2026 - 20 Dec 2026 is locked.\n"},
        {{"records", "set", "--record", in, "--time", "2026-12-08 08:30"},
         11,
         "records set: This day is in a locked pay period (7 Dec 2026 - 20 Dec 2026). Reopen the period to "
         "change it.\n"},
        {{"payroll", "reopen", "--period", "2026-12-07"},
         2,
         "--reason is missing: reopening a pay period needs one\n"},
        {{"payroll", "reopen", "--period", "2026-12-21", "--reason", "x"},
         2,
         "No approved or locked pay period begins on 21 Dec 2026.\n"},
        {{"payroll", "reopen", "--period", "2026-12-07", "--reason", "late correction"}, 0, ""},
        {{"records", "set", "--record", in, "--time", "2026-12-08 08:30"}, 0, ""},
        {{"payroll", "periods", "--from", "2026-12-20"},
         0,
         "period\t2026-12-21\t2027-01-03\topen\nperiod\t2026-12-07\t2026-12-20\topen\n"},
        {{"payroll", "approve"}, 2, "--period is missing"},
        {{"payroll", "approve", "--period", "2026-12-7"}, 2, "is not a date of the form YYYY-MM-DD\n"},
        {{"payroll", "sign"}, 2, "unknown subcommand"},
    };
    for (const auto& step : steps) {
        const Outcome got = tellarin(step.words);
        const std::string shown = step.words.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(got.code, step.code) << shown << ": " << got.err.toStdString();
        if (step.code == 0)
            EXPECT_EQ(got.out, step.out) << shown << ": " << got.err.toStdString();
        else if (step.out.endsWith(QLatin1Char('\n')))
            EXPECT_TRUE(got.err.endsWith(step.out)) << shown << ": " << got.err.toStdString();
        else
            EXPECT_TRUE(got.err.contains(step.out)) << shown << ": " << got.err.toStdString();
    }

    const Outcome history = tellarin({"history"});
    ASSERT_EQ(history.code, 0) << history.err.toStdString();
    const QString user = QLatin1Char('\t') + EditHistory::workstationUser() + QLatin1Char('\t');
    QStringList periodLines;
    for (const QString& line : history.out.split(QLatin1Char('\n')))
        if (line.contains(QLatin1String("\tPeriod "))) {
            EXPECT_TRUE(line.contains(user)) << line.toStdString();
            periodLines.append(line.section(QLatin1Char('\t'), -1));
        }
    EXPECT_EQ(periodLines, (QStringList{"Period approved: 7 Dec 2026 - 20 Dec 2026 for E1",
                                        "Period approved: 7 Dec 2026 - 20 Dec 2026 for E2",
                                        "Period locked: 7 Dec 2026 - 20 Dec 2026",
                                        "Period reopened: 7 Dec 2026 - 20 Dec 2026 (late correction)"}));
}

TEST_P(PayrollCommandTest, ExportsWriteEachServicesFileWithPayrollNumbersAndNames)
{
    Employee anna;
    anna.employeeNumber = 1;
    anna.name = QStringLiteral("Van Der Berg Anna");
    anna.employeeId = QStringLiteral("1001");
    Employee rene = anna;
    rene.employeeNumber = 2;
    rene.name = QStringLiteral("Lefèvre René");
    rene.employeeId = QStringLiteral("1002");
    Employee solo = anna;
    solo.employeeNumber = 3;
    solo.name = QStringLiteral("Solo");
    solo.employeeId = QStringLiteral("1003");
    const QString staffFile = StaffFiles::employeeFile(ProgramPaths(m_folder->path()));
    ASSERT_TRUE(StaffFiles::writeEmployees(staffFile, {anna, rene, solo}));
    for (const QStringList& setting :
         {QStringList{"pay.daily_overtime", "on"}, QStringList{"pay.daily_double", "on"},
          QStringList{"payroll.adp.company", "X7Q"}, QStringList{"payroll.adp.batch", "1207"},
          QStringList{"payroll.quickbooks.company", "Café Rouge LLC"},
          QStringList{"payroll.quickbooks.create_time", "1234567890"}})
        ASSERT_EQ(tellarin(QStringList{"settings", "set"} + setting).code, 0)
            << setting.join(' ').toStdString();
    for (const char* day : {"2026-12-07", "2026-12-08", "2026-12-09", "2026-12-10", "2026-12-11"}) {
        recordOf("1001", QByteArray(day) + " 08:00", "--in");
        recordOf("1001", QByteArray(day) + " 17:00", "--out");
    }
    recordOf("1002", "2026-12-08 07:00", "--in");
    recordOf("1002", "2026-12-08 20:00", "--out");
    recordOf("1003", "2026-12-14 09:00", "--in");
    recordOf("1003", "2026-12-14 12:30", "--out");
    for (const QStringList& details :
         {QStringList{"--id", "1001", "--number", "000123"},
          QStringList{"--id", "1002", "--first", "René", "--last", "Lefèvre-Marchand"}}) {
        const Outcome set = tellarin(QStringList{"employees", "payroll"} + details);
        ASSERT_EQ(set.code, 0) << set.err.toStdString();
    }
    EXPECT_EQ(tellarin({"employees", "payroll", "--id", "1002"}).out,
              QStringLiteral("payroll\t1002\t\tRené\tLefèvre-Marchand\n"));
    EXPECT_EQ(tellarin({"employees", "payroll", "--id", "1009"}).code, 1);

    QTemporaryDir outputs;
    const struct {
        const char* profile;
        const char* file;
        QByteArray bytes;
    } exports[] = {
        {"adp", "PRX7QEPI.csv",
         "Co Code,Batch ID,File #,Reg Hours,O/T Hours,Hours 3 Code,Hours 3 Amount\r\n"
         "X7Q,1207,000123,40.00,5.00,,\r\n"
         "X7Q,1207,1002,8.00,4.00,D,1.00\r\n"
         "X7Q,1207,1003,3.50,0.00,,\r\n"},
        {"gusto", "gusto_2026-12-07_2026-12-20.csv",
         "first_name,last_name,regular_hours,overtime_hours,double_overtime_hours,cash_tips\r\n"
         "Anna,Van Der Berg,40.00,5.00,0.00,0.00\r\n"
         "Ren\xc3\xa9,Lef\xc3\xa8vre-Marchand,8.00,4.00,1.00,0.00\r\n"
         ",Solo,3.50,0.00,0.00,0.00\r\n"},
        {"quickbooks", "timer_2026-12-07_2026-12-20.iif",
         "!TIMERHDR\tVER\tREL\tCOMPANYNAME\tFROMTIMER\tCOMPANYCREATETIME\r\n"
         "TIMERHDR\t8\t0\tCaf\xe9 Rouge LLC\tY\t1234567890\r\n"
         "!TIMEACT\tDATE\tJOB\tEMP\tITEM\tPITEM\tDURATION\tPROJ\tNOTE\tBILLINGSTATUS\r\n"
         "TIMEACT\t12/07/26\t\tVan Der Berg Anna\tHourly\t\t9:00\t\t\t0\r\n"
         "TIMEACT\t12/08/26\t\tVan Der Berg Anna\tHourly\t\t9:00\t\t\t0\r\n"
         "TIMEACT\t12/09/26\t\tVan Der Berg Anna\tHourly\t\t9:00\t\t\t0\r\n"
         "TIMEACT\t12/10/26\t\tVan Der Berg Anna\tHourly\t\t9:00\t\t\t0\r\n"
         "TIMEACT\t12/11/26\t\tVan Der Berg Anna\tHourly\t\t9:00\t\t\t0\r\n"
         "TIMEACT\t12/08/26\t\tLef\xe8vre Ren\xe9\tHourly\t\t13:00\t\t\t0\r\n"
         "TIMEACT\t12/14/26\t\tSolo\tHourly\t\t3:30\t\t\t0\r\n"},
    };
    // Without --output the file takes the profile's name in the current folder.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(outputs.path()));
    for (const auto& e : exports) {
        const Outcome exported =
            tellarin({"payroll", "export", "--period", "2026-12-07", "--profile", e.profile});
        EXPECT_EQ(exported.code, 0) << e.profile << ": " << exported.err.toStdString();
        // Nobody approved the period yet.
        EXPECT_TRUE(exported.err.endsWith("The pay period 7 Dec 2026 - 20 Dec 2026 is open: its hours can "
                                          "still change until it is locked.\n"))
            << exported.err.toStdString();
        QFile file(outputs.filePath(QString::fromLatin1(e.file)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << e.file;
        EXPECT_EQ(file.readAll().toStdString(), e.bytes.toStdString()) << e.profile;
    }
    QDir::setCurrent(before);

    ASSERT_EQ(tellarin({"payroll", "approve", "--period", "2026-12-07"}).code, 0);
    const QString named = outputs.filePath(QStringLiteral("approved.csv"));
    const Outcome approved =
        tellarin({"payroll", "export", "--period", "2026-12-07", "--profile", "adp", "--output", named});
    EXPECT_EQ(approved.code, 0) << approved.err.toStdString();
    EXPECT_EQ(approved.out, named + QLatin1Char('\n'));
    EXPECT_TRUE(approved.err.contains(QStringLiteral("is approved: its hours can still change")));
    ASSERT_EQ(tellarin({"payroll", "lock", "--period", "2026-12-07"}).code, 0);
    const Outcome locked =
        tellarin({"payroll", "export", "--period", "2026-12-07", "--profile", "adp", "--output", named});
    EXPECT_EQ(locked.code, 0) << locked.err.toStdString();
    EXPECT_EQ(locked.err, QString());

    const struct {
        QStringList words;
        int code;
        const char* err;
    } refusals[] = {
        {{"--period", "2026-12-21", "--profile", "adp", "--output", named},
         1,
         "No employee has a complete IN"},
        {{"--period", "2026-12-07", "--profile", "sage", "--output", named}, 2, "sage"},
        {{"--period", "2026-12-07", "--profile", "adp", "--output", staffFile}, 6, "Empl.DAT"},
        {{"--period", "2026-12-07", "--output", named}, 2, "--profile is missing"},
    };
    for (const auto& r : refusals) {
        const Outcome got = tellarin(QStringList{"payroll", "export"} + r.words);
        EXPECT_EQ(got.code, r.code) << r.err << ": " << got.err.toStdString();
        EXPECT_TRUE(got.err.contains(QString::fromUtf8(r.err))) << got.err.toStdString();
    }
    EXPECT_EQ(StaffFiles::loadEmployees(staffFile).count(), 3);
}
