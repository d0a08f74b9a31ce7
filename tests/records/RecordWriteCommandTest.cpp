#include "RecordsFixture.h"
#include "records/RecordsCommand.h"
#include "store/HistoryWords.h"
#include "store/PeriodStates.h"
#include "store/RecordEdits.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace {
QDateTime at(int month, int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, minute));
}

struct Outcome {
    int code = 0;
    QString out;
    QString err;
};

Outcome run(RecordsFixture& f, const QStringList& args)
{
    Outcome r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = runRecordsCommand(f.services, f.session, args, out, err);
    out.flush();
    err.flush();
    return r;
}

const QString lockedLine =
    QStringLiteral("This day is in a locked pay period (16 Nov 2026 - 30 Nov 2026). Reopen the "
                   "period to change it.\n");
} // namespace

using RecordWriteCommandTest = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(RecordWriteCommandTest);

TEST_P(RecordWriteCommandTest, ChangesGoThroughTheEditorsRulesInOrder)
{
    RecordsFixture f(backend());
    const qint64 lockedOut = f.punch(QStringLiteral("E1"), at(11, 20, 17), true);
    const qint64 in = f.punch(QStringLiteral("E1"), at(12, 4, 8), false, QStringLiteral("Doe, Ann"));
    const qint64 out = f.punch(QStringLiteral("E1"), at(12, 4, 17), true, QStringLiteral("Doe, Ann"));
    f.punch(QStringLiteral("E1"), at(12, 5, 8), false, QStringLiteral("Doe, Ann"));
    PeriodStates(f.database())
        .lock({QDate(2026, 11, 16), QDate(2026, 11, 30)}, {at(12, 1, 9), QStringLiteral("bob")});
    const qint64 next = out + 2;

    const struct {
        QStringList args;
        int code;
        QString out; // standard output, or the start of standard error when the code is not 0
    } steps[] = {
        {{"insert", "--id", "e1", "--time", "2026-12-04 12:00", "--out"},
         10,
         "records insert: This leaves two OUT records in a row (Fri 04-Dec-26 12:00 and 17:00). --force "
         "writes it "
         "anyway.\n"},
        {{"insert", "--id", "e1", "--time", "2026-12-04 12:00", "--out", "--force", "--reason", "lunch"},
         0,
         QStringLiteral("%1\n").arg(next)},
        {{"insert", "--id", "E1", "--time", "2026-11-20 17:00:30", "--out"},
         11,
         "records insert: " + lockedLine},
        {{"set", "--record", QString::number(in), "--time", "2026-12-04 07:45:10", "--reason", "forgot"},
         0,
         ""},
        {{"set", "--record", QString::number(in), "--time", "2026-11-30 08:00"},
         11,
         "records set: " + lockedLine},
        {{"set", "--record", QString::number(lockedOut), "--in"}, 11, "records set: " + lockedLine},
        {{"delete", "--record", QString::number(lockedOut)}, 11, "records delete: " + lockedLine},
        {{"delete", "--record", QString::number(next)}, 0, ""},
        {{"delete", "--record", QString::number(out)}, 10, "records delete: This leaves two IN records"},
        {{"delete", "--record", "999"}, 1, "No record number 999"},
        {{"insert", "--id", "E1", "--time", "2026-12-04 18:00"}, 2, "--in or --out is missing"},
        {{"insert", "--id", "E1", "--time", "2026-12-04 18:00", "--in", "--out"}, 2, "--in and --out"},
        {{"insert", "--id", "E1", "--time", "2026-12-04", "--in"}, 2, "--time is not a time"},
        {{"insert", "--time", "2026-12-04 18:00", "--in"}, 2, "--id is missing"},
        {{"set", "--record", "x"}, 2, "--record is not a record number"},
        {{"delete", "--record", "1", "--time", "2026-12-04 18:00"}, 2, "records delete:"},
    };
    for (const auto& s : steps) {
        const Outcome r = run(f, s.args);
        const std::string step = s.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(r.code, s.code) << step << '\n' << r.err.toStdString();
        if (s.code == 0)
            EXPECT_EQ(r.out, s.out) << step;
        else
            EXPECT_TRUE(r.err.startsWith(s.out)) << step << '\n' << r.err.toStdString();
    }

    RecordEdits edits(f.database());
    const ClockRecord moved = edits.find(in).value();
    EXPECT_EQ(moved.time, at(12, 4, 7, 45).addSecs(10));
    EXPECT_EQ(moved.options, 1); // marked edited
    EXPECT_FALSE(edits.find(next));
    EXPECT_EQ(edits.find(lockedOut).value().time, at(11, 20, 17));

    // Each change done left its entry, with its reason; refusals left none.
    QList<HistoryEntry> entries = EditHistory(f.database()).entries();
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries.takeFirst().action, PeriodStates::locked);
    EXPECT_EQ(entries.at(0).action, EditHistory::inserted);
    EXPECT_TRUE(HistoryWords::change(entries.at(0), false).endsWith(QStringLiteral("(lunch)")));
    EXPECT_EQ(HistoryWords::recordOf(entries.at(0).newValues).employee, QStringLiteral("Doe, Ann"));
    EXPECT_TRUE(HistoryWords::change(entries.at(1), false).endsWith(QStringLiteral("(forgot)")));
    EXPECT_EQ(entries.at(2).action, EditHistory::deleted);
}

TEST_P(RecordWriteCommandTest, PurgeStopsAtALockedPeriod)
{
    RecordsFixture f(backend());
    f.punch(QStringLiteral("E1"), at(11, 1, 8), false);
    f.punch(QStringLiteral("E1"), at(11, 20, 8), false);
    PeriodStates(f.database())
        .lock({QDate(2026, 11, 16), QDate(2026, 11, 30)}, {at(12, 1, 9), QStringLiteral("bob")});
    Outcome r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    EXPECT_EQ(runPurgeCommand(f.services, f.session,
                              {QStringLiteral("--before"), QStringLiteral("2026-12-01")}, out, err),
              11);
    err.flush();
    EXPECT_EQ(r.err, "purge: " + lockedLine);
    EXPECT_EQ(RecordEdits(f.database()).forEmployee(QStringLiteral("E1"), 0).size(), 2);
    EXPECT_EQ(runPurgeCommand(f.services, f.session,
                              {QStringLiteral("--before"), QStringLiteral("2026-11-16")}, out, err),
              0);
    EXPECT_EQ(RecordEdits(f.database()).forEmployee(QStringLiteral("E1"), 0).size(), 1);
}
