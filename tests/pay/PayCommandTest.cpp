// `tellarin pay` on a week punched into a real database, on the file and on a server, with rates
// kept by date in the store.
#include "pay/PayCommand.h"

#include "BackendTest.h"
#include "PunchRecord.h"
#include "TestProgram.h"
#include "pay/PaySummary.h"
#include "reports/ReportCommand.h"
#include "store/ClockRecords.h"
#include "store/PayRateTable.h"
#include "store/StaffFiles.h"

#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {
struct PayCommandFixture : TestProgram {
    explicit PayCommandFixture(Backend backend)
        : TestProgram(QDateTime(QDate(2026, 6, 15), QTime(9, 0)), backend)
    {
        session.updateSettings([](SettingsRecord& s) { s.autoDeduct = false; });
        Employee ann;
        ann.employeeNumber = 1;
        ann.name = QStringLiteral("Baker, Ann");
        ann.employeeId = QStringLiteral("A1");
        ann.departmentNumber = 1;
        ann.pay = *Money::parse(QStringLiteral("20"));
        Employee bob = ann;
        bob.employeeNumber = 2;
        bob.name = QStringLiteral("adams, bob");
        bob.employeeId = QStringLiteral("b2");
        bob.departmentNumber = 0;
        bob.pay = *Money::parse(QStringLiteral("15"));
        StaffFiles::writeEmployees(StaffFiles::employeeFile(session.paths()), {ann, bob});
        StaffFiles::writeDepartments(StaffFiles::departmentFile(session.paths()),
                                     {{1, QStringLiteral("Kitchen")}});
        PayRateTable(folder.database())
            .set(QStringLiteral("a1"), DayNumber::of(QDate(2026, 6, 10)), *Money::parse(QStringLiteral("22")),
                 {time.now(), QStringLiteral("test")});

        ClockRecords records(folder.database());
        const auto punch = [&](const char* id, const char* name, QDate day, QTime at, bool clockOut) {
            records.append(punchRecord(QString::fromLatin1(id), QDateTime(day, at), clockOut,
                                       QString::fromLatin1(name)));
        };
        // Ann: Monday to Friday 8:00 to 17:00, 45 hours; the Friday OUT carries a tip of 5.
        for (int d = 8; d <= 12; ++d) {
            ClockRecord arriving =
                punchRecord(QStringLiteral("A1"), QDateTime(QDate(2026, 6, d), QTime(8, 0)), false,
                            QStringLiteral("Baker, Ann"));
            arriving.dnumber = 1;
            records.append(arriving);
            ClockRecord leaving =
                punchRecord(QStringLiteral("A1"), QDateTime(QDate(2026, 6, d), QTime(17, 0)), true,
                            QStringLiteral("Baker, Ann"));
            leaving.dnumber = 1;
            if (d == 12)
                leaving.tips = *Money::parse(QStringLiteral("5"));
            records.append(leaving);
        }
        // Bob: one night from Tuesday 22:00 to Wednesday 6:30, and one shift of the next week.
        punch("b2", "adams, bob", QDate(2026, 6, 9), QTime(22, 0), false);
        punch("b2", "adams, bob", QDate(2026, 6, 10), QTime(6, 30), true);
        punch("b2", "adams, bob", QDate(2026, 6, 14), QTime(9, 0), false);
        punch("b2", "adams, bob", QDate(2026, 6, 14), QTime(10, 0), true);
        // Cole only came in: no complete pair, not listed.
        punch("C3", "Cole", QDate(2026, 6, 11), QTime(9, 0), false);
    }

    int run(const QString& line)
    {
        out.clear();
        err.clear();
        QTextStream o(&out);
        QTextStream e(&err);
        const int code =
            runPayCommand(services, session, line.split(QLatin1Char(' '), Qt::SkipEmptyParts), o, e);
        o.flush();
        e.flush();
        return code;
    }

    QString out;
    QString err;
};

using PayCommand = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(PayCommand);

// Ann: 2400 regular (Mon, Tue at 20; Wed to Fri at 22 from the dated rate) and 300 overtime on
// Friday: 360 + 396 + 88 + 5 h x 33 = 1009.00. Bob: 8:30 at 15 = 127.50, paid on Tuesday.
TEST_P(PayCommand, LinesByNameWithoutRegardToCaseThenTheTotal)
{
    PayCommandFixture f(backend());
    ASSERT_EQ(f.run(QStringLiteral("--from 2026-06-07 --to 2026-06-13")), 0) << f.err.toStdString();
    EXPECT_EQ(f.out.toStdString(), std::string("pay\tB2\tadams, bob\t510\t0\t0\t127.50\t\n"
                                               "pay\tA1\tBaker, Ann\t2400\t300\t0\t1009.00\t\n"
                                               "total\t\t\t2910\t300\t0\t1136.50\t\n"));

    f.session.updateSettings([](SettingsRecord& s) { s.reportTips = true; });
    ASSERT_EQ(f.run(QStringLiteral("--from 2026-06-07 --to 2026-06-13")), 0);
    EXPECT_EQ(f.out.split(QLatin1Char('\n')).value(1),
              QStringLiteral("pay\tA1\tBaker, Ann\t2400\t300\t0\t1009.00\t5.00"));
    EXPECT_TRUE(f.out.endsWith(QStringLiteral("total\t\t\t2910\t300\t0\t1136.50\t5.00\n")));
}

// The rules come from the Pay settings: with weekly overtime off, Ann's 45 hours are all regular,
// 18 h at 20 and 27 h at 22 = 954.00.
TEST_P(PayCommand, RulesFollowThePaySettings)
{
    PayCommandFixture f(backend());
    f.session.updateSettings([](SettingsRecord& s) { s.payWeeklyOvertime = 0; });
    ASSERT_EQ(f.run(QStringLiteral("--from 2026-06-07 --to 2026-06-13")), 0) << f.err.toStdString();
    EXPECT_EQ(f.out.toStdString(), std::string("pay\tB2\tadams, bob\t510\t0\t0\t127.50\t\n"
                                               "pay\tA1\tBaker, Ann\t2700\t0\t0\t954.00\t\n"
                                               "total\t\t\t3210\t0\t0\t1081.50\t\n"));
}

// Dee's punches were typed in without a name or department, and the pay settings round to the
// nearest quarter: 08:07-16:53 is paid 08:00-17:00 = 540 min at 10 = 90.00, 526 min = 87.67 when
// the command asks for no rounding. Name and department come from the staff list.
TEST_P(PayCommand, BlankRecordsTakeTheStaffNameAndPayRoundsAsItsSettingsSay)
{
    PayCommandFixture f(backend());
    QList<Employee> staff = StaffFiles::loadEmployees(StaffFiles::employeeFile(f.session.paths())).entries;
    Employee dee;
    dee.employeeNumber = 3;
    dee.name = QStringLiteral("Dee Evans");
    dee.employeeId = QStringLiteral("D4");
    dee.departmentNumber = 1;
    dee.pay = *Money::parse(QStringLiteral("10"));
    staff.append(dee);
    StaffFiles::writeEmployees(StaffFiles::employeeFile(f.session.paths()), staff);
    ClockRecords records(f.folder.database());
    records.append(punchRecord(QStringLiteral("D4"), QDateTime(QDate(2026, 6, 15), QTime(8, 7)), false,
                               QStringLiteral(" ")));
    records.append(punchRecord(QStringLiteral("D4"), QDateTime(QDate(2026, 6, 15), QTime(16, 53)), true,
                               QStringLiteral(" ")));
    f.session.updateSettings([](SettingsRecord& s) { s.payRounding = 11; });

    const struct {
        const char* extra;
        const char* dee;
        const char* total;
    } cases[] = {
        {"", "pay\tD4\tDee Evans\t540\t0\t0\t90.00\t", "total\t\t\t600\t0\t0\t105.00\t"},
        {" --rounding 33", "pay\tD4\tDee Evans\t526\t0\t0\t87.67\t", "total\t\t\t586\t0\t0\t102.67\t"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(f.run(QStringLiteral("--from 2026-06-14 --to 2026-06-20") + QString::fromLatin1(c.extra)),
                  0)
            << f.err.toStdString();
        const QStringList lines = f.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 3) << f.out.toStdString();
        EXPECT_EQ(lines[1], QString::fromLatin1(c.dee)) << c.extra;
        EXPECT_EQ(lines[2], QString::fromLatin1(c.total)) << c.extra;
    }
    ASSERT_EQ(f.run(QStringLiteral("--from 2026-06-14 --to 2026-06-20 --format csv")), 0);
    EXPECT_TRUE(f.out.contains(QStringLiteral("D4,Dee Evans,1,Kitchen,540,"))) << f.out.toStdString();
}

TEST_P(PayCommand, CsvKeepsDepartmentsHoursAndRates)
{
    PayCommandFixture f(backend());
    ASSERT_EQ(f.run(QStringLiteral("--from 2026-06-07 --to 2026-06-13 --format csv")), 0)
        << f.err.toStdString();
    EXPECT_EQ(f.out.toStdString(),
              std::string("Employee ID,Employee,Department number,Department,Regular minutes,"
                          "Overtime minutes,Double minutes,Hours,Rates,Gross pay\r\n"
                          "B2,\"adams, bob\",,,510,0,0,8:30,15.00,127.50\r\n"
                          "A1,\"Baker, Ann\",1,Kitchen,2400,300,0,45:00,\"20.00, 22.00\",1009.00\r\n"
                          ",Total,,,2910,300,0,53:30,,1136.50\r\n"));
}

TEST_P(PayCommand, ProblemsEndWithTheReportsExitCodes)
{
    PayCommandFixture f(backend());
    const struct {
        const char* args;
        int code;
        const char* err; // the start of the one line on standard error
    } cases[] = {
        {"--from 2026-07-01 --to 2026-07-31", 1, "pay: no employee has a complete IN and OUT"},
        {"--to 2026-06-13", 2, "pay: "},
        {"--from 2026-06-13 --to 2026-06-07", 2, "pay: "},
        {"--from 13/06/2026", 2, "pay: --from \"13/06/2026\" is not a date"},
        {"--from 2026-06-07 --format xml", 2, "pay: --format must be lines, csv or pdf"},
        {"--from 2026-06-07 --format pdf", 2, "pay: --format pdf needs --output FILE"},
        {"--from 2026-06-07 --by department", 2, "pay: "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(f.run(QString::fromLatin1(c.args)), c.code) << c.args;
        EXPECT_TRUE(f.out.isEmpty()) << c.args;
        EXPECT_TRUE(f.err.startsWith(QString::fromLatin1(c.err))) << c.args << ": " << f.err.toStdString();
        EXPECT_EQ(f.err.count(QLatin1Char('\n')), 1) << c.args;
    }
}

TEST_P(PayCommand, OutputFileIsWrittenWholeAndNeverOverTheProgramsOwn)
{
    PayCommandFixture f(backend());
    const QString path = f.folder.path() + QStringLiteral("/pay.txt");
    ASSERT_EQ(f.run(QStringLiteral("--from 2026-06-07 --to 2026-06-13 --output ") + path), 0);
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith("pay\tB2\t"));
    const QString own = StaffFiles::employeeFile(f.session.paths());
    EXPECT_EQ(f.run(QStringLiteral("--from 2026-06-07 --to 2026-06-13 --format csv --output ") + own), 6);
    EXPECT_EQ(StaffFiles::loadEmployees(own).count(), 2);
}
} // namespace

namespace {
// The clocking report's CSV shows each complete pair's workday and minutes by kind as pay counts
// them: Friday's 9 hours are the last 4 regular ones of the week and 5 of overtime, and Bob's
// night is paid on the Tuesday it began.
TEST_P(PayCommand, ReportCsvCarriesEachPairsWorkdayAndKindsOfPay)
{
    PayCommandFixture f(backend());
    f.session.reloadStaffFiles();
    QString out;
    QString err;
    QTextStream o(&out);
    QTextStream e(&err);
    ASSERT_EQ(runReportCommandWith(
                  f.services, f.session,
                  QStringLiteral("--from 2026-06-07 --to 2026-06-13 --format csv").split(QLatin1Char(' ')), o,
                  e, PaySummary::pairPaySource(f.session)),
              0)
        << err.toStdString();
    o.flush();
    const QStringList rows = out.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    EXPECT_TRUE(
        rows[0].endsWith(QStringLiteral(",Pair,Workday,Regular minutes,Overtime minutes,Double minutes")));
    QStringList paid;
    for (const QString& row : rows)
        if (row.contains(QStringLiteral(",complete,")))
            paid.append(row.section(QLatin1Char(','), 0, 0) + QLatin1Char(' ') +
                        row.section(QLatin1Char(','), -4));
    EXPECT_EQ(
        paid,
        QStringList({QStringLiteral("B2 2026-06-09,510,0,0"), QStringLiteral("A1 2026-06-08,540,0,0"),
                     QStringLiteral("A1 2026-06-09,540,0,0"), QStringLiteral("A1 2026-06-10,540,0,0"),
                     QStringLiteral("A1 2026-06-11,540,0,0"), QStringLiteral("A1 2026-06-12,240,300,0")}));
    // Records without a partner and the totals leave the columns empty.
    for (const QString& row : rows.mid(1))
        if (!row.contains(QStringLiteral(",complete,"))) {
            EXPECT_TRUE(row.endsWith(QStringLiteral(",,,,"))) << row.toStdString();
        }
}
} // namespace
