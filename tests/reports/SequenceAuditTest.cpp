#include "reports/SequenceAudit.h"

#include "ReportsFixture.h"
#include "reports/SequenceAuditCommand.h"
#include "store/DayNumber.h"
#include "store/RecordEdits.h"

#include <gtest/gtest.h>

namespace {
const QLocale us(QLocale::English, QLocale::UnitedStates);

SequenceAudit::Period days(int firstDaysAgo, int lastDaysAgo)
{
    return {DayNumber::of(ReportsFixture::today.addDays(-firstDaysAgo)),
            DayNumber::of(ReportsFixture::today.addDays(-lastDaysAgo))};
}

QList<qint64> listed(const SequenceAudit::Result& result)
{
    QList<qint64> numbers;
    for (const SequenceAudit::Violation& v : result.violations)
        numbers.append(v.row.recordNumber);
    return numbers;
}
} // namespace

using SequenceAuditStore = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(SequenceAuditStore);

TEST(SequenceAudit, DayRangeRule)
{
    using P = SequenceAudit::Period;
    struct Case {
        P in;
        P out;
        bool runs;
    };
    const Case cases[] = {
        {{0, 0}, {0, 0}, false},
        {{0, 9}, {9, 9}, true},
        {{9, 0}, {9, 9}, true},
        {{3, 9}, {3, 9}, true},
    };
    for (const Case& c : cases) {
        const P n = ReportPeriod::completed(c.in);
        EXPECT_EQ(n.firstDay, c.out.firstDay);
        EXPECT_EQ(n.lastDay, c.out.lastDay);
        EXPECT_EQ(SequenceAudit::canRun(n), c.runs);
    }
    EXPECT_FALSE(SequenceAudit::canRun({0, 9}));
}

TEST_P(SequenceAuditStore, RowsInAppendingOrder)
{
    ReportsFixture f(backend());
    EXPECT_TRUE(SequenceAudit::run(f.services.database, days(3, 0)).tableEmpty);

    f.add("A1", "Al", 3, QTime(8, 0), false);
    f.add("B2", "Bea", 3, QTime(8, 0), false); // same time: no violation
    f.add("A1", "Al", 3, QTime(17, 0), true);
    const SequenceAudit::Result inOrder = SequenceAudit::run(f.services.database, days(3, 0));
    EXPECT_FALSE(inOrder.tableEmpty);
    EXPECT_TRUE(inOrder.violations.isEmpty());
    EXPECT_EQ(SequenceAudit::lines(inOrder, false, us),
              QStringList{QStringLiteral("No violations found....")});

    // A row inserted later with a time in the past is listed with the row appended before it.
    const qint64 before = f.add("B2", "Bea", 2, QTime(9, 0), true);
    const qint64 inserted = f.add("B2", "Bea", 3, QTime(12, 30), true);
    f.add("C3", "Cy", 2, QTime(10, 0), false);
    const SequenceAudit::Result one = SequenceAudit::run(f.services.database, days(3, 0));
    ASSERT_EQ(listed(one), QList<qint64>{inserted});
    EXPECT_EQ(one.violations.first().previous.recordNumber, before);
    EXPECT_EQ(SequenceAudit::lines(one, false, us),
              (QStringList{QStringLiteral("Record: 5,  01-Dec-26  Out   12:30  ID:B2  Bea"),
                           QStringLiteral("that is earlier then...."),
                           QStringLiteral("Record: 4,  02-Dec-26  Out  09:00   ID: B2  Bea"),
                           QStringLiteral("     ")}));
    EXPECT_EQ(SequenceAudit::lines(one, true, us).first(),
              QStringLiteral("Record: 5,  01-Dec-26  Out   12:30 PM  ID:B2  Bea"));
    // An IN on either line.
    const SequenceAudit::Violation swapped{one.violations.first().previous, one.violations.first().row};
    SequenceAudit::Result ins;
    ins.violations.append(swapped);
    ins.violations.first().row.clockOut = false;
    ins.violations.first().previous.clockOut = false;
    const QStringList inLines = SequenceAudit::lines(ins, false, us);
    EXPECT_EQ(inLines.at(0), QStringLiteral("Record: 4,  02-Dec-26  In    09:00  ID:B2  Bea"));
    EXPECT_EQ(inLines.at(2), QStringLiteral("Record: 5,  01-Dec-26  In    12:30   ID: B2  Bea"));

    // The change note hook adds one line under a changed row.
    const QStringList noted = SequenceAudit::lines(one, false, us, [&](const ClockRecord& row) {
        return row.recordNumber == inserted ? QStringLiteral("   inserted by the record editor") : QString();
    });
    EXPECT_EQ(noted.size(), 5);
    EXPECT_EQ(noted.at(1), QStringLiteral("   inserted by the record editor"));
}

TEST_P(SequenceAuditStore, WalkStartsAtTheFirstDayAndStopsAboveTheLastDay)
{
    ReportsFixture f(backend());
    f.add("A1", "Al", 6, QTime(9, 0), false); // 1: before the period, never compared
    f.add("A1", "Al", 4, QTime(8, 0), false); // 2: first row of the period
    f.add("A1", "Al", 5, QTime(8, 0), true);  // 3: an earlier day inside the walk: compared
    f.add("A1", "Al", 3, QTime(8, 0), false); // 4
    f.add("A1", "Al", 1, QTime(8, 0), false); // 5: above the last day: the walk stops here
    f.add("A1", "Al", 3, QTime(7, 0), false); // 6: in the period again, but after the stop

    EXPECT_EQ(listed(SequenceAudit::run(f.services.database, days(4, 3))), QList<qint64>{3});
    EXPECT_EQ(listed(SequenceAudit::run(f.services.database, days(4, 0))), (QList<qint64>{3, 6}));
    // Nothing at all in the period: nothing listed.
    EXPECT_TRUE(SequenceAudit::run(f.services.database, days(2, 2)).violations.isEmpty());
}

TEST_P(SequenceAuditStore, ARowChangedByHandShowsItsChangeFromTheHistory)
{
    ReportsFixture f(backend());
    f.add("A1", "Al", 2, QTime(8, 0), false);
    const qint64 edited = f.add("A1", "Al", 2, QTime(16, 2), true);
    f.add("A1", "Al", 2, QTime(17, 0), false);
    const EditStamp stamp{f.time.now(), QStringLiteral("manager")};
    RecordEdits edits(f.services.database);
    ClockRecord r = edits.find(edited).value();
    r.time = QDateTime(r.time.date(), QTime(18, 0));
    r.options = static_cast<qint16>(Mark::Edited);
    edits.update(r, stamp);
    edits.insert(
        punchRecord(QStringLiteral("A1"), QDateTime(r.time.date(), QTime(12, 0)), true, QStringLiteral("Al")),
        stamp);
    const SequenceAudit::Result result = SequenceAudit::run(f.services.database, days(2, 2));
    const QStringList lines =
        SequenceAudit::lines(result, false, us, SequenceAudit::changeNotes(f.services.database, false));
    EXPECT_TRUE(lines.contains(
        QStringLiteral("    Edited 2026-12-04 12:00 by manager: Time 16:02 \u2192 18:00, Edited")))
        << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(lines.contains(
        QStringLiteral("    Inserted 2026-12-04 12:00 by manager: Inserted: Wed 02-Dec-26 12:00 Out")))
        << lines.join(QLatin1Char('\n')).toStdString();
}

TEST(SequenceAuditCommand, ExitCodesForAJob)
{
    ReportsFixture f;
    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    const auto run = [&](const char* arguments) {
        outText.clear();
        errText.clear();
        const int code = runAuditCommand(
            f.services, f.session, QString::fromLatin1(arguments).split(QLatin1Char(' '), Qt::SkipEmptyParts),
            out, err);
        out.flush();
        err.flush();
        return code;
    };
    EXPECT_EQ(run("--from 2026-12-01"), 1);
    EXPECT_EQ(errText, QStringLiteral("audit: No records found..\n"));

    f.add("A1", "Al", 3, QTime(8, 0), false);
    f.add("A1", "Al", 3, QTime(17, 0), true);
    EXPECT_EQ(run("--from 2026-12-01 --to 2026-12-04"), 0);
    EXPECT_EQ(outText, QStringLiteral("No violations found....\n"));

    f.add("A1", "Al", 3, QTime(12, 0), false);
    EXPECT_EQ(run("--from=2026-12-01"), 5);
    EXPECT_TRUE(outText.startsWith(QStringLiteral("Record: 3,  01-Dec-26  In    12:00  ID:A1  Al\n")));
    EXPECT_EQ(outText.count(QLatin1Char('\n')), 4);
    EXPECT_EQ(run("--from 2026-11-01 --to 2026-11-30"), 0);

    for (const char* bad : {"", "--to 2026-12-01", "--from 2026-13-01", "--from 12/01/2026", "--from",
                            "--from 2026-12-04 --to 2026-12-01", "--from 2026-12-01 extra"}) {
        EXPECT_EQ(run(bad), 2) << bad;
        EXPECT_TRUE(outText.isEmpty()) << bad;
        EXPECT_EQ(errText.count(QLatin1Char('\n')), 1) << bad;
    }
}
