#include "store/EditHistory.h"

#include "RecordsFixture.h"
#include "clock/ForcedClockOut.h"
#include "records/OldRecords.h"
#include "store/DatabaseMaintenance.h"
#include "store/DayNumber.h"
#include "store/HistoryWords.h"
#include "store/PeriodStates.h"
#include "store/RecordEdits.h"
#include "store/SqliteConnection.h"

#include <gtest/gtest.h>

namespace {
const QDate day(2026, 12, 4);

QDateTime at(int hour, int minute, int days = 0)
{
    return QDateTime(day.addDays(days), QTime(hour, minute));
}

// Three records, each changed once by hand: an edit, an insert and a delete.
struct EditedFixture : RecordsFixture {
    explicit EditedFixture(Backend backend = Backend::File)
        : RecordsFixture(backend)
    {
        const EditStamp stamp{time.now(), QStringLiteral("manager")};
        RecordEdits edits(database());
        ClockRecord r = edits.find(punch(QStringLiteral("E1"), at(8, 0), false)).value();
        edited = r.recordNumber;
        r.time = at(8, 30);
        r.options = 1;
        edits.update(r, stamp);
        r.time = at(17, 0);
        r.clockOut = true;
        inserted = edits.insert(r, stamp);
        removed = punch(QStringLiteral("E1"), at(18, 0), true);
        edits.remove(removed, stamp);
    }
    qint64 edited = 0;
    qint64 inserted = 0;
    qint64 removed = 0;
};
} // namespace

using EditHistoryTest = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(EditHistoryTest);

TEST_P(EditHistoryTest, EveryHandChangeLeavesAChainedEntry)
{
    EditedFixture f(backend());
    EditHistory history(f.database());
    const QList<HistoryEntry> entries = history.entries();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries.at(0).action, EditHistory::edited);
    EXPECT_TRUE(entries.at(0).oldValues.contains(QStringLiteral("2026-12-04 08:00:00")));
    EXPECT_TRUE(entries.at(0).newValues.contains(QStringLiteral("2026-12-04 08:30:00")));
    EXPECT_EQ(entries.at(0).user, QStringLiteral("manager"));
    EXPECT_TRUE(entries.at(0).previousHash.isEmpty());
    EXPECT_EQ(entries.at(1).previousHash, entries.at(0).hash);
    EXPECT_EQ(entries.at(1).action, EditHistory::inserted);
    EXPECT_TRUE(entries.at(1).oldValues.isEmpty());
    EXPECT_EQ(entries.at(2).action, EditHistory::deleted);
    EXPECT_EQ(entries.at(2).hash, EditHistory::hashOf(entries.at(2)));
    const EditHistory::Verdict verdict = history.verify();
    EXPECT_TRUE(verdict.intact) << verdict.reason.toStdString();
    EXPECT_EQ(verdict.checked, 3);
}

TEST_P(EditHistoryTest, TamperingIsFoundAtTheFirstBrokenEntry)
{
    const struct {
        const char* name;
        const char* sql;
        qint64 brokenEntry;
    } cases[] = {
        {"altered entry", R"(UPDATE "Edit history" SET "User" = 'nobody' WHERE "Entry number" = 2)", 2},
        {"altered old values", R"(UPDATE "Edit history" SET "Old values" = '' WHERE "Entry number" = 1)", 1},
        {"removed entry", R"(DELETE FROM "Edit history" WHERE "Entry number" = 2)", 3},
        {"removed first entry", R"(DELETE FROM "Edit history" WHERE "Entry number" = 1)", 2},
        {"edited record", R"(UPDATE "In Out" SET "Time" = '2026-12-04 07:00:00' WHERE "Record number" = 1)",
         1},
        {"deleted inserted record", R"(DELETE FROM "In Out" WHERE "Record number" = 2)", 2},
        {"bytes added to a stored time",
         R"(UPDATE "Edit history" SET "When" = "When" || 'x' WHERE "Entry number" = 2)", 2},
        {"newest entry cut off", R"(DELETE FROM "Edit history" WHERE "Entry number" = 3)", 3},
        {"every entry removed", R"(DELETE FROM "Edit history")", 3},
    };
    for (const auto& c : cases) {
        EditedFixture f(backend());
        ASSERT_EQ(f.edited, 1);
        ASSERT_EQ(f.inserted, 2);
        f.database().execute(QString::fromLatin1(c.sql));
        const EditHistory::Verdict verdict = EditHistory(f.database()).verify();
        EXPECT_FALSE(verdict.intact) << c.name;
        EXPECT_EQ(verdict.brokenEntry, c.brokenEntry) << c.name << ": " << verdict.reason.toStdString();
    }
}

TEST_P(EditHistoryTest, RemovalOfOldRecordsKeepsTheChosenDayAndTheHistory)
{
    EditedFixture f(backend());
    const qint64 lastFebruary =
        f.punch(QStringLiteral("E2"), QDateTime(QDate(2026, 2, 28), QTime(23, 59)), false);
    const qint64 firstMarch = f.punch(QStringLiteral("E2"), QDateTime(QDate(2026, 3, 1), QTime(0, 0)), true);
    EXPECT_EQ(OldRecords::removeBefore(f.services, DayNumber::of(QDate(2026, 3, 1))), 1);
    RecordEdits edits(f.database());
    EXPECT_FALSE(edits.find(lastFebruary));
    EXPECT_TRUE(edits.find(firstMarch));
    EditHistory history(f.database());
    const HistoryEntry last = history.entries().last();
    EXPECT_EQ(last.action, EditHistory::removedOldRecords);
    EXPECT_EQ(last.details, QStringLiteral(R"({"before":"2026-03-01","count":1})"));
    EXPECT_EQ(history.entries().size(), 4);

    // Records that had history and went with a removal are accounted for.
    EXPECT_EQ(OldRecords::removeBefore(f.services, DayNumber::of(day.addDays(1))), 3);
    EXPECT_TRUE(history.verify().intact) << history.verify().reason.toStdString();
}

TEST_P(EditHistoryTest, APurgeShortensTheChainWithoutBreakingIt)
{
    EditedFixture f(backend());
    f.time.set(at(9, 0, 40));
    RecordEdits edits(f.database());
    ClockRecord r = edits.find(f.edited).value();
    r.time = at(9, 0);
    edits.update(r, {f.time.now(), QStringLiteral("manager")});
    EditHistory history(f.database());
    EXPECT_EQ(history.purgeBefore({f.time.now(), QStringLiteral("manager")}, day.addDays(1)), 3);
    EXPECT_EQ(history.entries().size(), 2);
    EXPECT_TRUE(history.verify().intact) << history.verify().reason.toStdString();
    f.database().execute(QStringLiteral(R"(DELETE FROM "Edit history" WHERE "Entry number" = 4)"));
    EXPECT_FALSE(history.verify().intact);
}

TEST_P(EditHistoryTest, APurgeKeepsWhoApprovedLockedAndReopenedPayPeriods)
{
    EditedFixture f(backend());
    PeriodStates states(f.database());
    const DayRange november{QDate(2026, 11, 16), QDate(2026, 11, 30)};
    states.approve(november, QStringLiteral("E1"), {at(9, 0, -3), QStringLiteral("ann")});
    states.lock(november, {at(9, 5, -3), QStringLiteral("ann")});
    states.reopen(november.first, QStringLiteral("missed a shift"), {at(10, 0, -2), QStringLiteral("bob")});
    states.lock(november, {at(11, 0, -2), QStringLiteral("bob")});
    RecordEdits edits(f.database());
    ClockRecord r = edits.find(f.edited).value();
    r.time = at(9, 0);
    f.time.set(at(9, 0, 1));
    edits.update(r, {f.time.now(), QStringLiteral("manager")}); // kept: made on the purge's day

    EditHistory history(f.database());
    const QList<HistoryEntry> before = history.entries();
    ASSERT_EQ(before.size(), 8);
    // The three record edits go; the four period entries are written again after the purge's own.
    EXPECT_EQ(history.purgeBefore({f.time.now(), QStringLiteral("manager")}, day.addDays(1)), 3);
    const QList<HistoryEntry> after = history.entries();
    ASSERT_EQ(after.size(), 6);
    EXPECT_EQ(after[0].entryNumber, before[7].entryNumber);
    EXPECT_EQ(after[1].action, EditHistory::purgedHistory);
    for (int i = 0; i < 4; ++i) {
        const HistoryEntry& was = before[3 + i];
        const HistoryEntry& kept = after[2 + i];
        EXPECT_EQ(kept.action, was.action) << i;
        EXPECT_EQ(kept.when, was.when) << i;
        EXPECT_EQ(kept.user, was.user) << i;
        EXPECT_EQ(HistoryWords::change(kept, false), HistoryWords::change(was, false)) << i;
        EXPECT_TRUE(kept.details.contains(QStringLiteral("\"entry\":%1").arg(was.entryNumber)))
            << kept.details.toStdString();
    }
    EXPECT_TRUE(history.verify().intact) << history.verify().reason.toStdString();

    // A second purge carries them once more, never twice over.
    f.time.set(at(9, 0, 3));
    history.purgeBefore({f.time.now(), QStringLiteral("manager")}, day.addDays(3));
    int periodEntries = 0;
    for (const HistoryEntry& e : history.entries())
        periodEntries += e.action.startsWith(QLatin1String("Period ")) ? 1 : 0;
    EXPECT_EQ(periodEntries, 4);
    EXPECT_TRUE(history.verify().intact) << history.verify().reason.toStdString();
}

TEST_P(EditHistoryTest, ForcedClockOutsAreWrittenWithTheirEntries)
{
    RecordsFixture f(backend());
    f.session.updateSettings([&](SettingsRecord& s) { s.forceClockOuts = true; });
    f.punch(QStringLiteral("E1"), at(6, 0, -1), false);
    f.time.set(at(20, 45));
    ASSERT_EQ(ForcedClockOut(f.database(), f.time).run(f.session.settings()), 1);
    const QList<HistoryEntry> entries = EditHistory(f.database()).entries();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries.first().action, EditHistory::forced);
    EXPECT_EQ(entries.first().recordNumber, 2);
    EXPECT_TRUE(EditHistory(f.database()).verify().intact);
}

TEST(EditHistory, SurvivesCompactionMigrationAndRepair)
{
    EditedFixture f;
    const QList<HistoryEntry> before = EditHistory(f.database()).entries();
    const ProgramPaths paths = f.session.paths();
    ASSERT_EQ(DatabaseMaintenance::compact(f.database(), paths), DatabaseMaintenance::Result::Done);
    ASSERT_EQ(DatabaseMaintenance::migrate(f.database(), paths, at(12, 0)),
              DatabaseMaintenance::Result::Done);
    ASSERT_TRUE(DatabaseMaintenance::repair(f.database(), paths));
    EditHistory history(f.database());
    EXPECT_EQ(history.entries().size(), before.size());
    EXPECT_EQ(history.entries().last().hash, before.last().hash);
    EXPECT_TRUE(history.verify().intact) << history.verify().reason.toStdString();
    // The counter came along too: the next entry follows on without a gap.
    RecordEdits(f.database()).remove(f.edited, {f.time.now(), QStringLiteral("manager")});
    EXPECT_TRUE(history.verify().intact) << history.verify().reason.toStdString();
}

TEST(EditHistory, TheUpgradeAddsTheTableToAnOlderFileAndKeepsItsRows)
{
    RecordsFixture f;
    f.punch(QStringLiteral("E1"), at(8, 0), false);
    // A file from before the edit history and the recorded layouts.
    {
        SqliteConnection older(f.database().path(), 1000);
        ASSERT_TRUE(older.exec(QStringLiteral(R"(DROP TABLE "Edit history")")));
        ASSERT_TRUE(older.exec(QStringLiteral(R"(DROP TABLE "Schema version")")));
    }
    EXPECT_TRUE(DatabaseMaintenance::needsUpgrade(f.database()));
    EXPECT_FALSE(DatabaseMaintenance::upgrade(f.database()));
    EXPECT_FALSE(DatabaseMaintenance::needsUpgrade(f.database()));
    EXPECT_EQ(ClockRecords(f.database()).since(0).size(), 1);
    EXPECT_TRUE(EditHistory(f.database()).entries().isEmpty());
}

TEST_P(EditHistoryTest, EntriesHashedInTheFirstFormKeepVerifyingAndTheirStoredBytesAreChecked)
{
    RecordsFixture f(backend());
    // An entry as the first form wrote it: its hash over the values read back.
    HistoryEntry old;
    old.entryNumber = 1;
    old.when = at(9, 0);
    old.action = EditHistory::removedOldRecords;
    old.user = QStringLiteral("manager");
    old.details = QStringLiteral(R"({"before":"2026-01-01","count":0})");
    old.hash = QStringLiteral("first form");
    old.hash = EditHistory::hashOf(old);
    ASSERT_FALSE(old.hash.startsWith(QStringLiteral("v2-")));
    f.database().execute(
        QStringLiteral(R"(INSERT INTO "Edit history" ("Entry number", "When", "Action", "Record number", )"
                       R"("Old values", "New values", "User", "Details", "Previous hash", "Hash") )"
                       R"(VALUES (1, '2026-12-04 09:00:00', ?, NULL, '', '', 'manager', ?, '', ?))"),
        {old.action, old.details, old.hash});
    // The server's counter does not see a number written by hand; the file's does.
    const QString advance = f.database().dialect().advanceSequence(QStringLiteral("Edit history"),
                                                                   QStringLiteral("Entry number"));
    if (!advance.isEmpty())
        f.database().execute(
            advance, {Database::quoted(QStringLiteral("Edit history")), QStringLiteral("Entry number")});
    RecordEdits(f.database())
        .insert(punchRecord(QStringLiteral("E1"), at(8, 0), false),
                {f.time.now(), QStringLiteral("manager")});
    EditHistory history(f.database());
    const QList<HistoryEntry> entries = history.entries();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries.at(1).previousHash, old.hash);
    EXPECT_TRUE(entries.at(1).hash.startsWith(QStringLiteral("v2-")));
    EditHistory::Verdict verdict = history.verify();
    EXPECT_TRUE(verdict.intact) << verdict.reason.toStdString();

    f.database().execute(QStringLiteral(
        R"(UPDATE "Edit history" SET "When" = '2026-12-04 09:00:00x' WHERE "Entry number" = 1)"));
    verdict = history.verify();
    EXPECT_FALSE(verdict.intact);
    EXPECT_EQ(verdict.brokenEntry, 1);
}
