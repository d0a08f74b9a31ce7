#include "reports/ReportLines.h"

#include "ReportFixture.h"
#include "TestFolder.h"
#include "reports/ReportExports.h"
#include "reports/ReportTexts.h"
#include "reports/Rounding.h"

#include <QTextStream>
#include <gtest/gtest.h>

using namespace ReportFixture;

namespace {
const QDateTime printedAt(QDate(2026, 12, 7), QTime(9, 5));

class Collect final : public ReportSink {
public:
    void line(const ReportLine& l) override
    {
        lines.append(l);
        texts.append(ClockingReport::tabText(l));
    }
    QList<ReportLine> lines;
    QStringList texts;
};

QStringList expected(const char* text)
{
    return QString::fromUtf8(text)
        .replace(QStringLiteral("D25"), QString(25, QLatin1Char('-')))
        .replace(QStringLiteral("D30"), QString(30, QLatin1Char('-')))
        .replace(QLatin1Char('|'), QLatin1Char('\t'))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList weekLines(bool employeeReport)
{
    TestFolder folder;
    append(folder.database(), week());
    ReportRequest request{day(11, 30), day(12, 6), employeeReport, RoundingCode(13)};
    const SettingsRecord s = settings();
    const ClockingReport report(request, s, departments(), printedAt);
    Collect sink;
    report.PrintReport(
        ReportRows::select(folder.database(), request.firstDay, request.lastDay, request.order()), sink);
    return sink.texts;
}

ReportRow reportRow(const char* id, const QDateTime& time, bool out, const char* tips = nullptr,
                    qint16 options = 0)
{
    ReportRow r;
    r.employeeId = QString::fromLatin1(id);
    r.employee = QStringLiteral("Name ") + r.employeeId;
    r.time = Rounding::toSeconds(time);
    r.clockOut = out;
    r.options = options;
    if (tips)
        r.tips = *Money::parse(QString::fromLatin1(tips));
    return r;
}

Collect run(const QList<ReportRow>& rows, const SettingsRecord& s, int code = 33, bool employeeReport = true)
{
    const ClockingReport report(ReportRequest{day(12, 1), day(12, 7), employeeReport, RoundingCode(code)}, s,
                                DepartmentList(), printedAt);
    Collect sink;
    report.PrintReport(rows, sink);
    return sink;
}

QStringList ofKind(const Collect& c, const char* kind)
{
    QStringList out;
    for (const QString& t : c.texts)
        if (t.startsWith(QString::fromLatin1(kind) + QLatin1Char('\t')))
            out.append(t.section(QLatin1Char('\t'), 1));
    return out;
}
} // namespace

TEST(ReportLines, EmployeeReportOfTheWeek)
{
    EXPECT_EQ(weekLines(true), expected(R"(
title|Employee clocking report from 11/30/26 to 12/6/26, printed on: 07-Dec-26 at: 09:05
rounding|Clock INs are rounded to the nearest quarter  - 
record|C3|D25|D30|In|9:00|Thu|12/3/26|
record|C3|D25|D30|Out|11:00|Thu|12/3/26|
pair|2:00|
group||2:00|
record|A1|adam Smith|Front desk|Out|9:00 - Forced|Mon|11/30/26|.50
record|A1|adam Smith|Front desk|In|8:00|Tue|12/1/26|
record|A1|adam Smith|Front desk|In|8:15 - In late|Tue|12/1/26|
record|A1|adam Smith|Front desk|Out|16:52|Tue|12/1/26|12.50
pair|8:37|<
group| Deducted 1 (30 minutes break) for a total of 30 minutes    |8:07|13.00
record|B7|Bea Rossi|Kitchen|In|8:00|Mon|11/30/26|
record|B7|Bea Rossi|Kitchen|Out|12:00|Mon|11/30/26|
pair|4:00|
record|B7|Bea Rossi|Kitchen|In|12:30|Mon|11/30/26|
record|B7|Bea Rossi|Kitchen|Out|17:00|Mon|11/30/26|
pair|4:30|
record|B7|Bea Rossi|Kitchen|In|22:00|Tue|12/1/26|
record|B7|Bea Rossi|Kitchen|Out|6:15|Wed|12/2/26|
pair|8:15|<
record|B7|Bea Rossi|Kitchen|In|0:00|Sun|12/6/26|
record|B7|Bea Rossi|Kitchen|Out|4:00|Sun|12/6/26|
pair|4:00|
group| Deducted 1 (30 minutes break) for a total of 30 minutes    |20:15|
record|D4|Dora Lee|Kitchen|In|10:00|Thu|12/3/26|
record|D4|Dora Lee|Kitchen|Out|12:00|Thu|12/3/26|
pair|2:00|
group||2:00|
total|Deducted 2 (30 minutes breaks) for a total of 60 minutes (1:00 Hrs:Min)|32:22|Total tips: 13.00
)"));
}

TEST(ReportLines, DepartmentReportOfTheWeek)
{
    EXPECT_EQ(weekLines(false), expected(R"(
title|Department clocking report from 11/30/26 to 12/6/26, printed on: 07-Dec-26 at: 09:05
rounding|Clock INs are rounded to the nearest quarter  - 
record|A1|adam Smith|Front desk|Out|9:00 - Forced|Mon|11/30/26|.50
record|A1|adam Smith|Front desk|In|8:00|Tue|12/1/26|
record|A1|adam Smith|Front desk|In|8:15 - In late|Tue|12/1/26|
record|A1|adam Smith|Front desk|Out|16:52|Tue|12/1/26|12.50
pair|8:37|<
group| Deducted 1 (30 minutes break) for a total of 30 minutes    |8:07|13.00
record|B7|Bea Rossi|Kitchen|In|8:00|Mon|11/30/26|
record|B7|Bea Rossi|Kitchen|Out|12:00|Mon|11/30/26|
pair|4:00|
record|B7|Bea Rossi|Kitchen|In|12:30|Mon|11/30/26|
record|B7|Bea Rossi|Kitchen|Out|17:00|Mon|11/30/26|
pair|4:30|
record|B7|Bea Rossi|Kitchen|In|22:00|Tue|12/1/26|
record|B7|Bea Rossi|Kitchen|Out|6:15|Wed|12/2/26|
pair|8:15|<
record|B7|Bea Rossi|Kitchen|In|0:00|Sun|12/6/26|
record|B7|Bea Rossi|Kitchen|Out|4:00|Sun|12/6/26|
pair|4:00|
record|D4|Dora Lee|Kitchen|In|10:00|Thu|12/3/26|
record|D4|Dora Lee|Kitchen|Out|12:00|Thu|12/3/26|
pair|2:00|
group| Deducted 1 (30 minutes break) for a total of 30 minutes    |22:15|
record|C3|D25|D30|In|9:00|Thu|12/3/26|
record|C3|D25|D30|Out|11:00|Thu|12/3/26|
pair|2:00|
group||2:00|
total|Deducted 2 (30 minutes breaks) for a total of 60 minutes (1:00 Hrs:Min)|32:22|Total tips: 13.00
)"));
}

TEST(ReportLines, PairsAreShadedSecondFourthAndSoOnWithinAGroup)
{
    const QList<ReportRow> rows = {
        reportRow("A", at(12, 1, 8, 0), false),  reportRow("A", at(12, 1, 12, 0), true),
        reportRow("A", at(12, 1, 13, 0), false), reportRow("A", at(12, 1, 17, 0), true),
        reportRow("A", at(12, 2, 8, 0), false),  reportRow("A", at(12, 2, 9, 0), false),
        reportRow("A", at(12, 2, 12, 0), true),  reportRow("B", at(12, 2, 8, 0), false),
        reportRow("B", at(12, 2, 9, 0), true),
    };
    QList<bool> shaded;
    for (const ReportLine& l : run(rows, settings()).lines)
        if (l.kind == ReportLine::Kind::Record && !l.row->clockOut)
            shaded.append(l.shaded);
    // The unpaired IN does not count; B starts counting afresh.
    EXPECT_EQ(shaded, (QList<bool>{false, true, false, false, false}));
}

TEST(ReportLines, PairingAndBreaks)
{
    SettingsRecord s = settings();
    const struct {
        const char* name;
        QList<ReportRow> rows;
        int code;
        QStringList pairs;
        QStringList groups;
        QString total;
    } cases[] = {
        {"two pairs without a break",
         {reportRow("A", at(12, 1, 8, 0), false), reportRow("A", at(12, 1, 12, 0), true),
          reportRow("A", at(12, 1, 12, 30), false), reportRow("A", at(12, 1, 17, 0), true)},
         33,
         {"4:00\t", "4:30\t"},
         {"\t8:30\t"},
         QStringLiteral("Deducted 0 (30 minutes break) for a total of 0 minutes (0:00 Hrs:Min)\t8:30\tTotal "
                        "tips: 0.00")},
        {"across midnight, one break",
         {reportRow("A", at(12, 1, 22, 0), false), reportRow("A", at(12, 2, 6, 15), true)},
         33,
         {"8:15\t<"},
         {" Deducted 1 (30 minutes break) for a total of 30 minutes    \t7:45\t"},
         QStringLiteral("Deducted 1 (30 minutes break) for a total of 30 minutes (0:30 Hrs:Min)\t7:45\tTotal "
                        "tips: 0.00")},
        {"exactly MinBeforeDed counts no break, one minute more counts one",
         {reportRow("A", at(12, 1, 8, 0), false), reportRow("A", at(12, 1, 13, 0), true),
          reportRow("A", at(12, 2, 8, 0), false), reportRow("A", at(12, 2, 13, 1), true)},
         33,
         {"5:00\t", "5:01\t<"},
         {" Deducted 1 (30 minutes break) for a total of 30 minutes    \t9:31\t"},
         QStringLiteral("Deducted 1 (30 minutes break) for a total of 30 minutes (0:30 Hrs:Min)\t9:31\tTotal "
                        "tips: 0.00")},
        {"two breaks in one pair, plural",
         {reportRow("A", at(12, 1, 6, 0), false), reportRow("A", at(12, 1, 16, 1), true)},
         33,
         {"10:01\t<"},
         {" Deducted 2 (30 minutes breaks) for a total of 60 minutes    \t9:01\t"},
         QStringLiteral("Deducted 2 (30 minutes breaks) for a total of 60 minutes (1:00 "
                        "Hrs:Min)\t9:01\tTotal tips: 0.00")},
        {"IN IN OUT: the second IN pairs",
         {reportRow("A", at(12, 1, 7, 0), false), reportRow("A", at(12, 1, 8, 0), false),
          reportRow("A", at(12, 1, 9, 0), true)},
         33,
         {"1:00\t"},
         {"\t1:00\t"},
         QStringLiteral("Deducted 0 (30 minutes break) for a total of 0 minutes (0:00 Hrs:Min)\t1:00\tTotal "
                        "tips: 0.00")},
        {"back to back: A's last IN never pairs with B's first OUT, whatever the case",
         {reportRow("a", at(12, 1, 8, 0), false), reportRow("A", at(12, 1, 9, 0), true),
          reportRow("A", at(12, 1, 10, 0), false), reportRow("B", at(12, 1, 11, 0), true)},
         33,
         {"1:00\t"},
         {"\t1:00\t", "\t0:00\t"},
         QStringLiteral("Deducted 0 (30 minutes break) for a total of 0 minutes (0:00 Hrs:Min)\t1:00\tTotal "
                        "tips: 0.00")},
        {"rounding 22 makes a negative pair, group and total",
         {reportRow("A", at(12, 1, 8, 0), false), reportRow("A", at(12, 1, 8, 10), true)},
         22,
         {"-0:15\t"},
         {"\t-0:15\t"},
         QStringLiteral("Deducted 0 (30 minutes break) for a total of 0 minutes (0:00 Hrs:Min)\t-0:15\tTotal "
                        "tips: 0.00")},
    };
    for (const auto& c : cases) {
        const Collect result = run(c.rows, s, c.code);
        EXPECT_EQ(ofKind(result, "pair"), c.pairs) << c.name;
        EXPECT_EQ(ofKind(result, "group"), c.groups) << c.name;
        EXPECT_EQ(ofKind(result, "total"), QStringList{c.total}) << c.name;
    }
}

TEST(ReportLines, WithoutAutoDeductNothingIsDeductedOrMarked)
{
    SettingsRecord s = settings();
    s.autoDeduct = false;
    s.reportTips = false;
    const Collect result =
        run({reportRow("A", at(12, 1, 6, 0), false), reportRow("A", at(12, 1, 16, 1), true, "5")}, s);
    EXPECT_EQ(ofKind(result, "pair"), QStringList{"10:01\t"});
    EXPECT_EQ(ofKind(result, "group"), QStringList{"\t10:01\t"});
    EXPECT_EQ(ofKind(result, "total"), QStringList{"\t10:01\t"});
    EXPECT_TRUE(ofKind(result, "record").last().endsWith(QLatin1Char('\t'))); // no tip without ReportTips
}

TEST(ReportLines, MarksTipsAndTheTwelveHourClock)
{
    SettingsRecord s = settings();
    s.clock12Hour = true;
    QList<ReportRow> rows;
    for (qint16 mark = 0; mark <= 8; ++mark)
        rows.append(reportRow("A", at(12, 1, 8 + mark, 5), mark % 2 == 1, "0", mark));
    rows.append(reportRow("B", at(12, 1, 20, 5), true, "1234.5"));
    rows.append(reportRow("B", at(12, 1, 12, 0), true, "0.004"));
    const Collect result = run(rows, s);
    QStringList times;
    for (const QString& r : ofKind(result, "record"))
        times.append(r.section(QLatin1Char('\t'), 4, 4) + QLatin1Char('|') + r.section(QLatin1Char('\t'), 7));
    EXPECT_EQ(times,
              (QStringList{"8:05 AM|", "9:05 AM - Edited|", "10:05 AM - Inserted|", "11:05 AM - Forced|",
                           "12:05 PM - In early|", "1:05 PM - In late|", "2:05 PM - Out early|",
                           "3:05 PM - Out late|", "4:05 PM|", "8:05 PM|1234.50", "12:00 PM|.00"}));
    EXPECT_EQ(ofKind(result, "group").last(), QStringLiteral("\t0:00\t1234.50"));
    EXPECT_TRUE(ofKind(result, "total").first().endsWith(QStringLiteral("Total tips: 1,234.50")));
    EXPECT_TRUE(result.texts.first().endsWith(QStringLiteral("at: 09:05 AM")));
}

TEST(ReportLines, TitleForOneDay)
{
    const ClockingReport report(ReportRequest{day(12, 4), 0, true, RoundingCode()}, settings(),
                                DepartmentList(), QDateTime(QDate(2026, 12, 4), QTime(17, 30)));
    EXPECT_EQ(report.title(),
              QStringLiteral("Employee clocking report for 12/4/26, printed on: 04-Dec-26 at: 17:30"));
}

TEST(ReportTexts, HoursMinutesAndMoney)
{
    const struct {
        qint64 minutes;
        const char* text;
    } times[] = {{0, "0:00"}, {5, "0:05"}, {125, "2:05"}, {600, "10:00"}, {-15, "-0:15"}, {-125, "-2:05"}};
    for (const auto& t : times)
        EXPECT_EQ(ReportTexts::ConvertToHrsMin(t.minutes), QString::fromLatin1(t.text)) << t.minutes;

    const struct {
        const char* amount;
        const char* plain;
        const char* grouped;
    } money[] = {
        {"12.5", "12.50", "12.50"},
        {"0.5", ".50", "0.50"},
        {"0", ".00", "0.00"},
        {"1234.5", "1234.50", "1,234.50"},
        {"1234567.891", "1234567.89", "1,234,567.89"},
        {"0.005", ".01", "0.01"},
    };
    for (const auto& m : money) {
        EXPECT_EQ(ReportTexts::moneyPlain(*Money::parse(QString::fromLatin1(m.amount))),
                  QString::fromLatin1(m.plain));
        EXPECT_EQ(ReportTexts::moneyGrouped(*Money::parse(QString::fromLatin1(m.amount))),
                  QString::fromLatin1(m.grouped));
    }
}

TEST(ReportTexts, CheckDate)
{
    EXPECT_EQ(ReportTexts::CheckDate(0, 5)->text, QStringLiteral("Starting date is missing..."));
    EXPECT_EQ(ReportTexts::CheckDate(5, 0)->text, QStringLiteral("Ending date is missing..."));
    EXPECT_EQ(ReportTexts::CheckDate(6, 5)->text,
              QStringLiteral("Last date must be the same or later then First date!"));
    EXPECT_EQ(ReportTexts::CheckDate(6, 5)->title, QStringLiteral("Date error"));
    EXPECT_FALSE(ReportTexts::CheckDate(5, 5));
}

namespace {
QStringList csvRows(const SettingsRecord& s, bool employeeReport, const QList<ClockRecord>& records = week())
{
    TestFolder folder;
    append(folder.database(), records);
    ReportRequest request{day(11, 30), day(12, 6), employeeReport, RoundingCode(13)};
    const DepartmentList deps = departments();
    const ClockingReport report(request, s, deps, printedAt);
    QString text;
    QTextStream out(&text);
    CsvExport csv(out, deps, employeeReport, s.reportTips);
    report.PrintReport(
        ReportRows::select(folder.database(), request.firstDay, request.lastDay, request.order()), csv);
    out.flush();
    return text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}
} // namespace

TEST(CsvExport, PairsMarksAndSummaries)
{
    const QStringList rows = csvRows(settings(), true);
    ASSERT_EQ(rows.size(), 15);
    EXPECT_EQ(rows[0],
              QStringLiteral("Employee ID,Employee,Department number,Department,In,Out,Rounded in,"
                             "Rounded out,Worked minutes,Worked minutes before rounding,Breaks,"
                             "Deducted minutes,Tips,Marks,Pair,Workday,Regular minutes,Overtime minutes,"
                             "Double minutes"));
    EXPECT_EQ(rows[1], QStringLiteral("C3,,9,,2026-12-03 09:00:00,2026-12-03 11:00:00,2026-12-03 09:00:00,"
                                      "2026-12-03 11:00:00,120,120,0,,,,complete,,,,"));
    EXPECT_EQ(rows[2], QStringLiteral("C3,,9,,,,,,120,,,0,0.00,,total,,,,"));
    // the forced OUT whose IN lies before the week, with its tip
    EXPECT_EQ(rows[3],
              QStringLiteral("A1,adam Smith,1,Front desk,,2026-11-30 09:00:00,,2026-11-30 09:00:00,,,,,"
                             "0.50,Forced,no in,,,,"));
    EXPECT_EQ(rows[4],
              QStringLiteral("A1,adam Smith,1,Front desk,2026-12-01 08:07:59,,2026-12-01 08:00:00,,,,,,,,"
                             "no out,,,,"));
    EXPECT_EQ(rows[5], QStringLiteral(
                           "A1,adam Smith,1,Front desk,2026-12-01 08:08:00,2026-12-01 16:52:40,"
                           "2026-12-01 08:15:00,2026-12-01 16:52:00,517,524,1,,12.50,In late,complete,,,,"));
    // worked minutes after the deduction of one break
    EXPECT_EQ(rows[6], QStringLiteral("A1,adam Smith,1,Front desk,,,,,487,,,30,13.00,,total,,,,"));
    EXPECT_EQ(rows[14].section(QLatin1Char(','), 4), QStringLiteral(",,,,1942,,,60,13.00,,grand total,,,,"));
    EXPECT_EQ(rows[14].section(QLatin1Char(','), 0, 3), QStringLiteral(",,,"));
}

TEST(CsvExport, TipsOnlyWhenReportedAndDepartmentSummaries)
{
    SettingsRecord s = settings();
    s.reportTips = false;
    const QStringList rows = csvRows(s, false);
    EXPECT_FALSE(rows[0].contains(QStringLiteral("Tips")));
    for (const QString& row : rows)
        EXPECT_FALSE(row.contains(QStringLiteral("12.50")) || row.contains(QStringLiteral("0.50")))
            << row.toStdString();
    QStringList totals;
    for (const QString& row : rows)
        if (row.endsWith(QStringLiteral(",total,,,,")))
            totals.append(row);
    // Front desk, Kitchen (Bea and Dora together) and the unknown department 9
    ASSERT_EQ(totals.size(), 3);
    EXPECT_EQ(totals[1].section(QLatin1Char(','), 0, 3), QStringLiteral(",,2,Kitchen"));
}

TEST(CsvExport, FormulaTextsAreDefusedAndNumbersKept)
{
    const struct {
        const char* text;
        const char* cell;
    } cases[] = {
        {"=cmd|' /C calc'!A0", "'=cmd|' /C calc'!A0"},
        {"+1", "'+1"},
        {"-2", "'-2"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tTab", "'\tTab"},
        {"\rReturn", "\"'\rReturn\""},
        {"=1,2", "\"'=1,2\""},
        {"Ann = Bob", "Ann = Bob"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CsvExport::textField(QString::fromLatin1(c.text)), QString::fromLatin1(c.cell)) << c.text;
    EXPECT_EQ(CsvExport::field(QStringLiteral("O\"Hara, Ann")), QStringLiteral("\"O\"\"Hara, Ann\""));

    QList<ClockRecord> records = {row("=2+5", "=HYPERLINK(\"x\")", 1, at(12, 1, 8, 0), false),
                                  row("=2+5", "=HYPERLINK(\"x\")", 1, at(12, 1, 9, 0), true)};
    const QStringList rows = csvRows(settings(), true, records);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_TRUE(rows[1].startsWith(QStringLiteral("'=2+5,\"'=HYPERLINK(\"\"x\"\")\",1,Front desk,")));
    // the negative-looking stamp and minute cells stay numbers
    EXPECT_TRUE(rows[1].contains(QStringLiteral(",60,60,0,,,,complete"))) << rows[1].toStdString();
}
