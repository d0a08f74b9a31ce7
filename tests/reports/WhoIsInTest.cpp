#include "reports/WhoIsIn.h"

#include "ReportsFixture.h"
#include "reports/WhoIsInCommand.h"
#include "store/DayNumber.h"
#include "store/StaffTable.h"

#include <gtest/gtest.h>

namespace {
QStringList ids(const QList<WhoIsIn::Entry>& entries)
{
    QStringList out;
    for (const WhoIsIn::Entry& e : entries)
        out.append(e.employeeId);
    return out;
}

// Runs the command on the fixture's program and keeps what it wrote.
struct CommandRun {
    ReportsFixture& f;
    QString outText;
    QString errText;
    int operator()(const QStringList& args)
    {
        outText.clear();
        errText.clear();
        QTextStream out(&outText);
        QTextStream err(&errText);
        return runWhoIsInCommand(f.services, f.session, args, out, err);
    }
};
} // namespace

using WhoIsInStore = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(WhoIsInStore);

TEST_P(WhoIsInStore, LatestRecordOfThePeriodDecides)
{
    ReportsFixture f(backend());
    f.add("A1", "Al", 5, QTime(8, 0), false); // in for five days: only in the In list
    f.add("B2", "Bea", 2, QTime(8, 0), false);
    f.add("B2", "Bea", 2, QTime(17, 0), true); // out
    f.add("C3", "Cy", 9, QTime(8, 0), false);  // before the period: nowhere
    f.add("d4", "Dee", 0, QTime(8, 0), false);
    f.add("D4", "Dee", 0, QTime(9, 0), true);     // one employee in two letter cases
    f.add("  ", "Nobody", 0, QTime(9, 0), false); // no ID: nowhere
    f.add("E5", "Eve", 1, QTime(23, 0), false);   // yesterday

    const auto lists = WhoIsIn::load(f.services.database, ReportsFixture::today, 0);
    ASSERT_TRUE(lists.has_value());
    EXPECT_EQ(ids(lists->in), (QStringList{QStringLiteral("A1"), QStringLiteral("E5")}));
    EXPECT_EQ(ids(lists->out), (QStringList{QStringLiteral("B2"), QStringLiteral("D4")}));
    EXPECT_EQ(lists->in.first().time, QDateTime(ReportsFixture::today.addDays(-5), QTime(8, 0)));

    // One day counts yesterday and today.
    const auto oneDay = WhoIsIn::load(f.services.database, ReportsFixture::today, 1);
    ASSERT_TRUE(oneDay.has_value());
    EXPECT_EQ(ids(oneDay->in), QStringList{QStringLiteral("E5")});
    EXPECT_EQ(ids(oneDay->out), QStringList{QStringLiteral("D4")});
}

TEST_P(WhoIsInStore, NothingToShowKeepsTheLists)
{
    ReportsFixture f(backend());
    EXPECT_FALSE(WhoIsIn::load(f.services.database, ReportsFixture::today, 7).has_value()); // empty table
    f.add("A1", "Al", 20, QTime(8, 0), false);
    EXPECT_FALSE(WhoIsIn::load(f.services.database, ReportsFixture::today, 7).has_value()); // empty period
    EXPECT_TRUE(WhoIsIn::load(f.services.database, ReportsFixture::today, 20).has_value());
}

TEST(WhoIsIn, ItemTextFollowsTheClockSetting)
{
    const WhoIsIn::Entry entry{QStringLiteral("A1"), QStringLiteral("Al"),
                               QDateTime(QDate(2026, 12, 4), QTime(13, 5, 9))};
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    const struct {
        const QLocale& locale;
        bool clock12Hour;
        const char* text;
    } cases[] = {
        {us, false, "Al   \tA1 - 12/4/2026 13:05:09"},
        {us, true, "Al   \tA1 - 12/4/2026 1:05:09 PM"},
        {german, false, "Al   \tA1 - 04.12.2026 13:05:09"},
        {german, true, "Al   \tA1 - 04.12.2026 1:05:09 PM"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WhoIsIn::itemText(QStringLiteral("Al   "), entry, c.clock12Hour, c.locale),
                  QString::fromUtf8(c.text));
}

TEST(WhoIsInCommand, LinesArgumentsAndExitCodes)
{
    ReportsFixture f;
    CommandRun run{f, {}, {}};
    const QString& outText = run.outText;
    const QString& errText = run.errText;
    EXPECT_EQ(run({}), 1);
    EXPECT_FALSE(errText.isEmpty());

    f.add("B2", "Bea Long-Name", 2, QTime(17, 0, 5), true);
    f.add("A1", "Al", 5, QTime(8, 0), false);
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(outText, QStringLiteral("in\tA1\tAl\t2026-11-29 08:00:00\n"
                                      "out\tB2\tBea Long-Name\t2026-12-02 17:00:05\n"));
    EXPECT_EQ(run({QStringLiteral("--days"), QStringLiteral("3")}), 0);
    EXPECT_EQ(outText, QStringLiteral("out\tB2\tBea Long-Name\t2026-12-02 17:00:05\n"));
    EXPECT_EQ(run({QStringLiteral("--days=1")}), 1);

    for (const QStringList& bad :
         {QStringList{QStringLiteral("--days")}, QStringList{QStringLiteral("--days"), QStringLiteral("0")},
          QStringList{QStringLiteral("--days"), QStringLiteral("32")},
          QStringList{QStringLiteral("--days"), QStringLiteral("x")},
          QStringList{QStringLiteral("--weeks"), QStringLiteral("1")}}) {
        EXPECT_EQ(run(bad), 2) << bad.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(outText.isEmpty());
        EXPECT_EQ(errText.count(QLatin1Char('\n')), 1);
    }
}

TEST(WhoIsInCommand, ExpectedListsWhoIsLateByTodaysSchedule)
{
    ReportsFixture f; // at 12:00
    CommandRun run{f, {}, {}};
    const QString& outText = run.outText;
    const QString& errText = run.errText;
    const QString expected = QStringLiteral("--expected");
    EXPECT_EQ(run({expected}), 1) << "no schedules";
    EXPECT_EQ(errText.count(QLatin1Char('\n')), 1);

    const qint32 today = DayNumber::of(ReportsFixture::today);
    // Starts in quarter hours: 11:45 is exactly 15 minutes before noon, not yet late.
    StaffTable(f.services.database)
        .replaceAll({{QStringLiteral("Bea"), 2, today, QStringLiteral("B2"), 1, 36, 68},
                     {QStringLiteral("Al"), 1, today, QStringLiteral("A1"), 1, 32, 68},
                     {QStringLiteral("Cy"), 3, today, QStringLiteral("C3"), 1, 32, 68},
                     {QStringLiteral("Dee"), 4, today, QStringLiteral("D4"), 1, 47, 68}});
    f.add("C3", "Cy", 0, QTime(8, 5), false);
    EXPECT_EQ(run({expected}), 0);
    EXPECT_EQ(outText, QStringLiteral("expected\tA1\tAl\t08:00\nexpected\tB2\tBea\t09:00\n"));
    f.time.set(QDateTime(ReportsFixture::today, QTime(12, 1)));
    EXPECT_EQ(run({expected}), 0);
    EXPECT_TRUE(outText.endsWith(QStringLiteral("expected\tD4\tDee\t11:45\n")));

    EXPECT_EQ(run({expected, QStringLiteral("--days"), QStringLiteral("3")}), 2);
    EXPECT_TRUE(outText.isEmpty());
}
