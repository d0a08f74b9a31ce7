#include "payroll/PayrollExport.h"

#include "pay/PayFixture.h"
#include "platform/ProgramPaths.h"
#include "store/DayNumber.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QDate date(const char* iso)
{
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

WorkdayPay workday(const char* iso, qint64 regular, qint64 overtime = 0, qint64 doubleTime = 0)
{
    WorkdayPay w;
    w.day = DayNumber::of(date(iso));
    w.paid = {regular, overtime, doubleTime};
    return w;
}

EmployeePay employee(const char* id, const QString& name, QList<WorkdayPay> workdays, const char* gross,
                     const char* tips)
{
    EmployeePay e;
    e.id = QString::fromLatin1(id);
    e.name = name;
    e.workdays = std::move(workdays);
    for (const WorkdayPay& w : e.workdays)
        e.paid += w.paid;
    e.gross = *Money::parse(QString::fromLatin1(gross));
    e.tips = *Money::parse(QString::fromLatin1(tips));
    return e;
}

// Two weeks of four employees: one with long days and double time, one with an odd number of
// minutes and tips, one whose pair came to nothing, one with tips only.
PayResult twoWeeks()
{
    PayResult result;
    result.employees = {
        employee("1001", QStringLiteral("Lefèvre René "),
                 {workday("2026-12-07", 480), workday("2026-12-08", 480, 240, 45),
                  workday("2026-12-09", 480, 240, 871)},
                 "1234.56", "0"),
        employee("1002", QStringLiteral("Van Der Berg Anna"), {workday("2026-12-10", 385)}, "96.25", "12.5"),
        employee("1004", QStringLiteral("Zero Hours"), {}, "0", "0"),
        employee("1005", QStringLiteral("Tip Only"), {}, "0", "5"),
    };
    return result;
}

ExportInput inputFor(const PayResult& result)
{
    ExportInput input;
    input.period = {date("2026-12-07"), date("2026-12-20")};
    input.pay = &result;
    input.employees.insert(QStringLiteral("1001"), {QStringLiteral("000123"), {}, {}, {}});
    input.employees.insert(QStringLiteral("1005"),
                           {{}, QStringLiteral("Tipper"), QStringLiteral("Only One"), {}});
    input.settings.adpCompany = QStringLiteral("X7Q");
    input.settings.adpBatch = QStringLiteral("1207");
    input.settings.quickbooksCompany = QStringLiteral("Café Rouge LLC");
    input.settings.quickbooksCreateTime = 1234567890;
    return input;
}

QByteArray expectedFile(const QString& name)
{
    QFile file(QStringLiteral(TELLARIN_PAYROLL_EXPECTED "/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

ExportProfile custom(const QString& profileLines, const QString& columns)
{
    QString problem;
    const auto profile =
        ExportProfile::parse(QStringLiteral("[profile]\nformat = csv\nfile_name = out.csv\n") + profileLines +
                                 QStringLiteral("\n[columns]\n") + columns,
                             QStringLiteral("test.ini"), &problem);
    EXPECT_TRUE(profile.has_value()) << problem.toStdString();
    return profile.value_or(ExportProfile{});
}

TEST(PayrollExport, EachPresetWritesItsServicesFile)
{
    const PayResult result = twoWeeks();
    const ExportInput input = inputFor(result);
    for (const char* name : {"adp", "quickbooks", "gusto"}) {
        const ExportProfile profile = ExportProfile::preset(QString::fromLatin1(name));
        const QString file = PayrollExport::fileName(profile, input.period, input.settings);
        QString problem;
        const QByteArray bytes = PayrollExport::bytes(profile, input, &problem);
        EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
        EXPECT_EQ(bytes.toStdString(), expectedFile(file).toStdString())
            << name << " as " << file.toStdString();
    }
}

TEST(PayrollExport, ComputedPayReachesTheFilesUnderTheEmployeesOwnIds)
{
    using namespace PayFixture;
    // California's example week: 40 regular hours, 6 overtime, 1 double; and a night shift that
    // starts on the period's last day and counts for it.
    QList<ReportRow> list;
    add(list, "a1",
        {{"2026-12-07 08:00", "2026-12-07 18:00"},
         {"2026-12-08 08:00", "2026-12-08 16:00"},
         {"2026-12-09 06:00", "2026-12-09 19:00"},
         {"2026-12-10 08:00", "2026-12-10 16:00"},
         {"2026-12-11 08:00", "2026-12-11 16:00"}});
    add(list, "b2", {{"2026-12-12 22:00", "2026-12-13 06:00"}});
    const PayResult result = compute(request("2026-12-06", "2026-12-12", california()), list);
    ExportInput input = inputFor(result);
    input.employees.insert(QStringLiteral("A1"), {QStringLiteral("000777"), {}, {}, {}});

    EXPECT_EQ(PayrollExport::bytes(ExportProfile::preset(QStringLiteral("adp")), input, nullptr),
              QByteArray("Co Code,Batch ID,File #,Reg Hours,O/T Hours,Hours 3 Code,Hours 3 Amount\r\n"
                         "X7Q,1207,000777,40.00,6.00,D,1.00\r\n"
                         "X7Q,1207,B2,8.00,0.00,,\r\n"));
    const QByteArray iif =
        PayrollExport::bytes(ExportProfile::preset(QStringLiteral("quickbooks")), input, nullptr);
    EXPECT_TRUE(iif.endsWith("TIMEACT\t12/11/26\t\tName a1\tHourly\t\t8:00\t\t\t0\r\n"
                             "TIMEACT\t12/12/26\t\tName b2\tHourly\t\t8:00\t\t\t0\r\n"))
        << iif.toStdString();
}

TEST(PayrollExport, CsvCellsAreQuotedAndDefusedLikeTheReportsExport)
{
    const struct {
        QString name;
        const char* line;
    } cases[] = {
        {QStringLiteral("Smith, John"), "\"Smith, John\",1.00"},
        {QStringLiteral("Ann \"Red\" Lee"), "\"Ann \"\"Red\"\" Lee\",1.00"},
        {QStringLiteral("=HYPERLINK(\"x\")"), "\"'=HYPERLINK(\"\"x\"\")\",1.00"},
        {QStringLiteral("+1 Plus"), "'+1 Plus,1.00"},
        {QStringLiteral("@Home"), "'@Home,1.00"},
        {QStringLiteral("Zoë"), "Zoë,1.00"},
    };
    const ExportProfile profile = custom({}, QStringLiteral("Name = name\nHours = hours"));
    for (const auto& c : cases) {
        PayResult result;
        result.employees = {employee("7", c.name, {workday("2026-12-08", 60)}, "0", "0")};
        const QByteArray bytes = PayrollExport::bytes(profile, inputFor(result), nullptr);
        EXPECT_EQ(bytes, QByteArray("Name,Hours\r\n") + c.line + "\r\n") << c.line;
    }
}

TEST(PayrollExport, HoursInEveryNumberFormat)
{
    const struct {
        const char* settings;
        qint64 minutes;
        const char* text;
    } cases[] = {
        {"decimals = 2", 1, "0.02"},                                 // 0.0167
        {"decimals = 2", 7, "0.12"},                                 // 0.1167
        {"decimals = 2", 2400, "40.00"}, {"decimals = 1", 3, "0.1"}, // half a tenth rounds up
        {"decimals = 0", 30, "1"},       {"decimals = 0", 29, "0"},
        {"decimals = 4", 1, "0.0167"},   {"decimal_point = ,", 90, "\"1,50\""},
        {"hours = h:mm", 59, "0:59"},    {"hours = h:mm", 600, "10:00"},
        {"hours = h:mm", 3000, "50:00"}, // only QuickBooks files keep lines under a day
    };
    for (const auto& c : cases) {
        const ExportProfile profile =
            custom(QString::fromLatin1(c.settings), QStringLiteral("Hours = hours"));
        PayResult result;
        result.employees = {
            employee("7", QStringLiteral("Seven"), {workday("2026-12-08", c.minutes)}, "0", "0")};
        const QByteArray bytes = PayrollExport::bytes(profile, inputFor(result), nullptr);
        EXPECT_EQ(bytes, QByteArray("Hours\r\n") + c.text + "\r\n") << c.settings << " " << c.minutes;
    }
}

TEST(PayrollExport, QuickBooksSplitsAWorkdayOnlyWhereItPassesADay)
{
    const struct {
        qint64 minutes;
        QStringList durations;
    } cases[] = {
        {1439, {QStringLiteral("23:59")}},
        {1440, {QStringLiteral("12:00"), QStringLiteral("12:00")}},
        {2878, {QStringLiteral("23:59"), QStringLiteral("23:59")}},
        {2879, {QStringLiteral("16:00"), QStringLiteral("16:00"), QStringLiteral("15:59")}},
    };
    const ExportProfile profile = ExportProfile::preset(QStringLiteral("quickbooks"));
    for (const auto& c : cases) {
        PayResult result;
        result.employees = {
            employee("7", QStringLiteral("Seven"), {workday("2026-12-08", c.minutes)}, "0", "0")};
        const QStringList lines =
            QString::fromLatin1(PayrollExport::bytes(profile, inputFor(result), nullptr))
                .split(QStringLiteral("\r\n"));
        QStringList durations;
        for (const QString& line : lines) {
            if (line.startsWith(QLatin1String("TIMEACT\t")))
                durations.append(line.section(QLatin1Char('\t'), 6, 6));
        }
        EXPECT_EQ(durations, c.durations) << c.minutes;
    }
}

TEST(PayrollExport, SplitLinesShareTheKindsInOrder)
{
    const ExportProfile profile =
        custom(QStringLiteral("rows = workday"),
               QStringLiteral("R = regular_hours\nO = overtime_hours\nD = double_hours"));
    ExportProfile iif = profile;
    iif.format = ExportProfile::Format::Iif;
    PayResult result;
    result.employees = {
        employee("7", QStringLiteral("Seven"), {workday("2026-12-08", 480, 240, 1000)}, "0", "0")};
    EXPECT_EQ(PayrollExport::bytes(iif, inputFor(result), nullptr),
              QByteArray("!TIMERHDR\tVER\tREL\tCOMPANYNAME\tFROMTIMER\tCOMPANYCREATETIME\r\n"
                         "TIMERHDR\t8\t0\tCafé Rouge LLC\tY\t1234567890\r\n"
                         "!TIMEACT\tR\tO\tD\r\n"
                         "TIMEACT\t8.00\t4.00\t2.33\r\n"
                         "TIMEACT\t0.00\t0.00\t14.33\r\n"));
}

TEST(PayrollExport, SplitEmployeeRowsCarryTheirMoneyOnce)
{
    ExportProfile iif = custom({}, QStringLiteral("H = hours\nT = tips"));
    iif.format = ExportProfile::Format::Iif;
    PayResult result;
    result.employees = {employee("7", QStringLiteral("Seven"), {workday("2026-12-08", 1440)}, "0", "5")};
    const QByteArray bytes = PayrollExport::bytes(iif, inputFor(result), nullptr);
    EXPECT_TRUE(bytes.endsWith("!TIMEACT\tH\tT\r\nTIMEACT\t12.00\t5.00\r\nTIMEACT\t12.00\t0.00\r\n"))
        << bytes.toStdString();
}

TEST(PayrollExport, TextTheEncodingCannotHoldIsRefusedNamingIt)
{
    PayResult result;
    result.employees = {
        employee("1001", QStringLiteral("Nowak Łukasz"), {workday("2026-12-08", 60)}, "0", "0")};
    QString problem;
    EXPECT_TRUE(
        PayrollExport::bytes(ExportProfile::preset(QStringLiteral("quickbooks")), inputFor(result), &problem)
            .isEmpty());
    EXPECT_TRUE(problem.contains(QStringLiteral("employee 1001"))) << problem.toStdString();
    EXPECT_TRUE(problem.contains(QStringLiteral("\"Ł\""))) << problem.toStdString();
    // The same name is fine in UTF-8.
    problem.clear();
    EXPECT_FALSE(
        PayrollExport::bytes(ExportProfile::preset(QStringLiteral("gusto")), inputFor(result), &problem)
            .isEmpty());
    EXPECT_TRUE(problem.isEmpty());
}

TEST(PayrollExport, IifValuesCannotBreakTheirLine)
{
    PayResult result;
    result.employees = {
        employee("7", QStringLiteral("Tab\tIn\r\nName"), {workday("2026-12-08", 60)}, "0", "0")};
    const QByteArray bytes =
        PayrollExport::bytes(ExportProfile::preset(QStringLiteral("quickbooks")), inputFor(result), nullptr);
    EXPECT_TRUE(bytes.endsWith("TIMEACT\t12/08/26\t\tTab In  Name\tHourly\t\t1:00\t\t\t0\r\n"))
        << bytes.toStdString();
}

TEST(PayrollExport, FileNamesFillPlaceholdersAndAvoidFolders)
{
    ExportSettings settings;
    const PayPeriod period{date("2026-12-01"), date("2026-12-15")};
    const struct {
        const char* company;
        const char* pattern;
        const char* name;
    } cases[] = {
        {"ABC", "PR{adp.company}EPI.csv", "PRABCEPI.csv"},
        {"A/B:C", "PR{adp.company}EPI.csv", "PRA_B_CEPI.csv"},
        {"..", "{adp.company}", "_"},
        {"X", "pay {period_first} to {period_last}.txt", "pay 2026-12-01 to 2026-12-15.txt"},
    };
    for (const auto& c : cases) {
        settings.adpCompany = QString::fromLatin1(c.company);
        ExportProfile profile;
        profile.fileName = QString::fromLatin1(c.pattern);
        EXPECT_EQ(PayrollExport::fileName(profile, period, settings), QString::fromLatin1(c.name))
            << c.pattern;
    }
}

TEST(PayrollExport, StoredNamesAreLastNameFirst)
{
    const struct {
        const char* name;
        const char* first;
        const char* last;
    } cases[] = {
        {"Van Der Berg Anna", "Anna", "Van Der Berg"},
        {"  Lee   Ann ", "Ann", "Lee"},
        {"Cher", "", "Cher"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const PayrollExport::PersonName person = PayrollExport::splitName(QString::fromLatin1(c.name));
        EXPECT_EQ(person.first, QString::fromLatin1(c.first)) << c.name;
        EXPECT_EQ(person.last, QString::fromLatin1(c.last)) << c.name;
    }
}

TEST(PayrollExport, WritingNeverReplacesTheProgramsOwnFiles)
{
    QTemporaryDir dir;
    const ProgramPaths paths(dir.path());
    const QString database = QDir(dir.path()).filePath(QStringLiteral("Clock.mdb"));
    QFile keep(database);
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.write("punches");
    keep.close();

    QString error;
    EXPECT_FALSE(PayrollExport::write(paths, database, "payroll", &error));
    EXPECT_TRUE(error.contains(QStringLiteral("own file"))) << error.toStdString();
    ASSERT_TRUE(keep.open(QIODevice::ReadOnly));
    EXPECT_EQ(keep.readAll(), QByteArray("punches"));

    QTemporaryDir elsewhere;
    const QString output = QDir(elsewhere.path()).filePath(QStringLiteral("PRX7QEPI.csv"));
    ASSERT_TRUE(PayrollExport::write(paths, output, "payroll", &error)) << error.toStdString();
    QFile written(output);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("payroll"));
    EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::Files), QStringList{QStringLiteral("PRX7QEPI.csv")});
}
} // namespace
