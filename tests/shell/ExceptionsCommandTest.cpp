#include "BackendTest.h"
#include "FakeTimeSource.h"
#include "PunchRecord.h"
#include "shell/CommandLine.h"
#include "store/ClockRecords.h"
#include "store/PathFile.h"
#include "store/StaffFiles.h"

#include <QRegularExpression>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {
struct Punch {
    const char* id;
    const char* name;
    QDateTime time;
    bool out;
    Mark mark = Mark::Normal;
};

const QDate monday(2026, 6, 8);

QDateTime at(int day, int hour, int minute, int second = 0)
{
    return QDateTime(monday.addDays(day), QTime(hour, minute, second));
}

// A week with a 13-hour shift, a double scan, two forgotten OUTs and a forced OUT. C3 punches first,
// so at 09:00 on Wednesday its record number comes before B2's although its ID sorts after.
const Punch week[] = {
    {"A1", "Ann", at(0, 8, 0), false},
    {"A1", "Ann", at(0, 21, 1), true},
    {"A1", "Ann", at(1, 8, 0), false},
    {"A1", "Ann", at(1, 8, 0, 30), false},
    {"A1", "Ann", at(1, 16, 0), true},
    {"C3", "", at(2, 9, 0), false}, // typed in without a name: the staff list names it
    {"B2", "Bob O'Neil", at(2, 9, 0), false},
    {"B2", "Bob O'Neil", at(3, 9, 0), false},
    {"B2", "Bob O'Neil", at(3, 9, 1), true, Mark::Forced},
};

class ExceptionsCommandTest : public BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (IsSkipped())
            return;
        m_folder = std::make_unique<TestFolder>(backend());
        Employee cy;
        cy.employeeNumber = 1;
        cy.name = QStringLiteral("Cy");
        cy.employeeId = QStringLiteral("c3 ");
        ASSERT_TRUE(StaffFiles::writeEmployees(StaffFiles::employeeFile(m_folder->paths()), {cy}));
        PathFile::State local;
        ASSERT_TRUE(PathFile::writeNewPath(m_folder->paths(), m_folder->path(), {}, local));
        ClockRecords records(m_folder->database());
        for (const Punch& p : week) {
            ClockRecord r = punchRecord(QString::fromLatin1(p.id), p.time, p.out, QString::fromUtf8(p.name));
            r.options = static_cast<qint16>(p.mark);
            m_numbers.append(records.append(r));
        }
    }

    struct Outcome {
        int code = -1;
        QString out;
        QString err;
    };

    Outcome exceptions(const QStringList& words, const QDateTime& now) const
    {
        Outcome run;
        QTextStream out(&run.out), err(&run.err);
        const FakeTimeSource time{now};
        QStringList arguments{QStringLiteral("tellarin"), QStringLiteral("--program-folder"),
                              m_folder->path()};
        if (!m_folder->url().isEmpty())
            arguments << QStringLiteral("--database") << m_folder->url();
        run.code = CommandLine::runWith(arguments + QStringList{QStringLiteral("exceptions")} + words, time,
                                        out, err);
        out.flush();
        err.flush();
        return run;
    }

    // "@N" in an expected line stands for the record number of the week's punch N.
    QString numbered(QString line) const
    {
        static const QRegularExpression mark(QStringLiteral("@(\\d+)"));
        QRegularExpressionMatch m;
        while ((m = mark.match(line)).hasMatch())
            line.replace(m.capturedStart(), m.capturedLength(),
                         QString::number(m_numbers.at(m.captured(1).toInt())));
        return line;
    }

private:
    std::unique_ptr<TestFolder> m_folder;
    QList<qint64> m_numbers;
};
TELLARIN_ON_BOTH_BACKENDS(ExceptionsCommandTest);
} // namespace

TEST_P(ExceptionsCommandTest, PrintsTheLinesInTimeOrderAndExitsTenWhenAny)
{
    const QDateTime later = at(23, 8, 0);
    const QString longShift = QStringLiteral(
        "exception\tlong-shift\t@1\tA1\tAnn\t2026-06-08 21:01:00\tA shift of 13:01, from the IN at 08:00");
    const QString doubleScan = QStringLiteral("exception\tdouble-in\t@3\tA1\tAnn\t2026-06-09 08:00:30\tA "
                                              "second IN in a row: the one before is at 08:00");
    const QString quickRepeat = QStringLiteral(
        "exception\tquick-repeat\t@3\tA1\tAnn\t2026-06-09 08:00:30\t30 seconds after the IN before it");
    const QString cyOpen =
        QStringLiteral("exception\tno-out\t@5\tC3\tCy\t2026-06-10 09:00:00\tNo OUT after this "
                       "IN by the end of its workday (2026-06-11 00:00)");
    const QString bobOpen =
        QStringLiteral("exception\tno-out\t@6\tB2\tBob O'Neil\t2026-06-10 09:00:00\tNo OUT "
                       "after this IN by the end of its workday (2026-06-11 00:00)");
    const QString bobAgain =
        QStringLiteral("exception\tdouble-in\t@7\tB2\tBob O'Neil\t2026-06-11 09:00:00\tA second IN in a row: "
                       "the one before is at 2026-06-10 09:00");
    const QString forced = QStringLiteral(
        "exception\tforced\t@8\tB2\tBob O'Neil\t2026-06-11 09:01:00\tClocked out by the program "
        "after the IN at 09:00; the employee did not clock out");
    const struct {
        const char* name;
        QStringList words;
        QDateTime now;
        int code;
        QStringList lines;
    } cases[] = {
        {"the whole week",
         {"--from", "2026-06-08", "--to", "2026-06-14"},
         later,
         10,
         {longShift, doubleScan, quickRepeat, cyOpen, bobOpen, bobAgain, forced}},
        {"one kind",
         {"--from", "2026-06-08", "--to=2026-06-14", "--kind", "no-out"},
         later,
         10,
         {cyOpen, bobOpen}},
        {"one day without --to", {"--from", "2026-06-10"}, later, 10, {cyOpen, bobOpen}},
        // Until the workday is over, an open IN is someone still at work.
        {"the workday still running", {"--from", "2026-06-10"}, at(2, 12, 0), 0, {}},
        {"days with none", {"--from", "2026-06-12", "--to", "2026-06-14"}, later, 0, {}},
        {"a kind with none",
         {"--from", "2026-06-08", "--to", "2026-06-14", "--kind", "late-in"},
         later,
         0,
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome run = exceptions(c.words, c.now);
        EXPECT_EQ(run.code, c.code) << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
        QStringList expected;
        for (const QString& line : c.lines)
            expected.append(numbered(line));
        EXPECT_EQ(run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
    }
}

TEST_P(ExceptionsCommandTest, BadArgumentsPrintNothingAndExitTwo)
{
    const struct {
        QStringList words;
        const char* says;
    } cases[] = {
        {{"--from", "2026-06-08", "--kind", "nosuch"}, "no kind \"nosuch\"; the kinds are forced, no-out,"},
        {{"--to", "2026-06-14"}, "the first day is missing"},
        {{"--from", "2026-06-14", "--to", "2026-06-08"}, "--to 2026-06-08 is before --from 2026-06-14"},
        {{"--from", "2026-02-30"}, "--from \"2026-02-30\" is not a date"},
        {{"--from", "2026-06-08", "--every"}, "unknown option \"--every\""},
        {{"resolve", "--kind", "forced"}, "--record is missing"},
        {{"resolve", "--record", "8"}, "--kind is missing"},
        {{"resolve", "--record", "8x", "--kind", "forced"}, "--record \"8x\" is not a record number"},
        {{"resolve", "--record", "8", "--kind", "lost"}, "no kind \"lost\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words.join(QLatin1Char(' ')).toStdString());
        const Outcome run = exceptions(c.words, at(23, 8, 0));
        EXPECT_EQ(run.code, CommandLine::BadArguments);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.says))) << run.err.toStdString();
        EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
    }
}

TEST_P(ExceptionsCommandTest, ResolvedOnesLeaveTheListUntilAllIsAsked)
{
    const QDateTime later = at(23, 8, 0);
    const QStringList week{"--from", "2026-06-08", "--to", "2026-06-14"};
    const struct {
        const char* kind;
        int punch;
    } open[] = {{"long-shift", 1}, {"double-in", 3}, {"quick-repeat", 3}, {"no-out", 5},
                {"no-out", 6},     {"double-in", 7}, {"forced", 8}};

    const Outcome wrong = exceptions({"resolve", "--record", numbered("@1"), "--kind", "no-in"}, later);
    EXPECT_EQ(wrong.code, 1);
    EXPECT_EQ(wrong.err.toStdString(),
              numbered("exceptions resolve: record @1 has no no-in exception\n").toStdString());

    for (qsizetype i = 0; i < qsizetype(std::size(open)); ++i) {
        SCOPED_TRACE(open[i].kind);
        const QString record = numbered(QStringLiteral("@%1").arg(open[i].punch));
        const QString kind = QString::fromLatin1(open[i].kind);
        const Outcome run =
            exceptions({"resolve", "--record", record, "--kind", kind, "--note", "seen"}, later);
        EXPECT_EQ(run.code, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, QStringLiteral("resolved\t%1\t%2\n").arg(kind, record));
        // The last one left open keeps the exit at 10.
        EXPECT_EQ(exceptions(week, later).code, i + 1 < qsizetype(std::size(open)) ? 10 : 0);
    }
    EXPECT_TRUE(exceptions(week, later).out.isEmpty());
    const Outcome all = exceptions(week + QStringList{"--all"}, later);
    EXPECT_EQ(all.code, 0);
    const QStringList lines = all.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), qsizetype(std::size(open)));
    static const QRegularExpression resolved(QStringLiteral("\\[resolved by .* 2026-07-01 08:00: seen\\]$"));
    for (const QString& line : lines)
        EXPECT_TRUE(resolved.match(line).hasMatch()) << line.toStdString();
}
