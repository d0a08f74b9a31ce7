#include "records/RecordsCommand.h"

#include "RecordsFixture.h"
#include "store/RecordEdits.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace {
const QDate day(2026, 12, 4);

struct Outcome {
    int code = 0;
    QString out;
    QString err;
};

using Command = int (*)(const Services&, Session&, const QStringList&, QTextStream&, QTextStream&);

Outcome run(Command command, RecordsFixture& f, const QString& args)
{
    Outcome r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = command(f.services, f.session, args.split(QLatin1Char(' '), Qt::SkipEmptyParts), out, err);
    out.flush();
    err.flush();
    return r;
}
} // namespace

TEST(RecordsCommand, PrintsTheEditorsLinesWithRecordNumbers)
{
    RecordsFixture f;
    f.punch(QStringLiteral("E'1"), QDateTime(day.addDays(-1), QTime(8, 0)), false);
    const qint64 n = f.punch(QStringLiteral("E'1"), QDateTime(day, QTime(7, 59, 31)), true);
    Outcome r = run(runRecordsCommand, f, QStringLiteral("--id E'1 --from 2026-12-04"));
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, QStringLiteral("%1\t \tE'1\tFri\t04-Dec-26     07:59\t Out\t\n").arg(n));
    EXPECT_EQ(run(runRecordsCommand, f, QStringLiteral("--id E'1")).out.count(QLatin1Char('\n')), 2);
    EXPECT_EQ(run(runRecordsCommand, f, QStringLiteral("--id NOBODY")).code, 1);
}

TEST(RecordsCommand, RefusesBadArguments)
{
    RecordsFixture f;
    const struct {
        Command command;
        const char* args;
    } cases[] = {
        {runRecordsCommand, ""},
        {runRecordsCommand, "--id"},
        {runRecordsCommand, "--id E1 --from 04-12-2026"},
        {runRecordsCommand, "--id E1 --colour red"},
        {runPurgeCommand, ""},
        {runPurgeCommand, "--before 2026-02-30"},
        {runHistoryCommand, "--record x"},
        {runHistoryCommand, "--verify --record 1"},
        {runHistoryCommand, "--expect 1:abc"},
        {runHistoryCommand, "--verify --expect abc"},
        {runHistoryCommand, "--verify --expect 0:abc"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.command, f, QString::fromLatin1(c.args));
        EXPECT_EQ(r.code, 2) << c.args;
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << c.args;
    }
}

TEST(RecordsCommand, PurgeThenHistoryAndItsVerification)
{
    RecordsFixture f;
    f.punch(QStringLiteral("E1"), QDateTime(QDate(2026, 2, 28), QTime(9, 0)), false);
    f.punch(QStringLiteral("E1"), QDateTime(QDate(2026, 3, 1), QTime(9, 0)), false);
    EXPECT_EQ(run(runHistoryCommand, f, {}).code, 1);
    Outcome purge = run(runPurgeCommand, f, QStringLiteral("--before 2026-03-01"));
    EXPECT_EQ(purge.code, 0);
    EXPECT_EQ(purge.out, QStringLiteral("Removed 1 records before 2026-03-01\n"));

    Outcome history = run(runHistoryCommand, f, {});
    EXPECT_EQ(history.code, 0);
    EXPECT_EQ(history.out, QStringLiteral("entry\t1\t2026-12-04 10:00:00\tRemoved old records\t\t%1\t"
                                          "Removed 1 records before 2026-03-01\n")
                               .arg(EditHistory::workstationUser()));
    EXPECT_TRUE(run(runHistoryCommand, f, QStringLiteral("--raw"))
                    .out.startsWith(QStringLiteral("1\t2026-12-04 10:00:00\tRemoved old records\t\t")));
    EXPECT_EQ(run(runHistoryCommand, f, QStringLiteral("--verify")).code, 0);
    f.database().execute(QStringLiteral(R"(UPDATE "Edit history" SET "Details" = '{}')"));
    Outcome broken = run(runHistoryCommand, f, QStringLiteral("--verify"));
    EXPECT_EQ(broken.code, 4);
    EXPECT_EQ(broken.err, QStringLiteral("History broken at entry 1: its content does not match its hash\n"));
}

TEST(RecordsCommand, VerifyPrintsTheLastEntryToNoteAndComparesItLater)
{
    RecordsFixture f;
    const EditStamp stamp{f.time.now(), QStringLiteral("manager")};
    RecordEdits edits(f.database());
    for (int hour : {8, 9})
        edits.insert(punchRecord(QStringLiteral("E1"), QDateTime(day, QTime(hour, 0)), hour == 9), stamp);
    const Outcome first = run(runHistoryCommand, f, QStringLiteral("--verify"));
    ASSERT_EQ(first.code, 0) << first.err.toStdString();
    const QString noted = first.out.section(QLatin1Char('\n'), 1, 1).section(QStringLiteral(": "), 1);
    EXPECT_TRUE(noted.startsWith(QStringLiteral("2:v2-"))) << noted.toStdString();

    edits.insert(punchRecord(QStringLiteral("E1"), QDateTime(day, QTime(12, 0)), false), stamp);
    EXPECT_EQ(run(runHistoryCommand, f, QStringLiteral("--verify --expect ") + noted).code, 0);
    EXPECT_EQ(run(runHistoryCommand, f, QStringLiteral("--verify --expect 2:v2-0000")).code, 4);

    // Entries deleted from the end, even the noted one, leave the counter behind.
    f.database().execute(QStringLiteral(R"(DELETE FROM "Edit history" WHERE "Entry number" >= 2)"));
    const Outcome cut = run(runHistoryCommand, f, QStringLiteral("--verify"));
    EXPECT_EQ(cut.code, 4);
    EXPECT_EQ(cut.err, QStringLiteral("History broken at entry 2: entries 2 to 3 were cut off the end\n"));
}

TEST(RecordsCommand, PurgeRefusesALaterDayAndAnEmptyPurgeLeavesNoEntry)
{
    RecordsFixture f;
    f.punch(QStringLiteral("E1"), QDateTime(day, QTime(8, 0)), false);
    const Outcome later = run(runPurgeCommand, f, QStringLiteral("--before 2026-12-05"));
    EXPECT_EQ(later.code, 2);
    EXPECT_TRUE(later.err.startsWith(QStringLiteral("--before 2026-12-05 is after today")))
        << later.err.toStdString();
    const Outcome nothing = run(runPurgeCommand, f, QStringLiteral("--before 2026-01-01"));
    EXPECT_EQ(nothing.code, 0);
    EXPECT_EQ(nothing.out, QStringLiteral("Removed 0 records before 2026-01-01\n"));
    EXPECT_EQ(run(runHistoryCommand, f, {}).code, 1); // no entry for a purge that removed nothing
    EXPECT_EQ(run(runPurgeCommand, f, QStringLiteral("--before 2026-12-04")).out,
              QStringLiteral("Removed 0 records before 2026-12-04\n")); // today itself is allowed
    EXPECT_EQ(run(runRecordsCommand, f, QStringLiteral("--id E1")).code, 0);
}
