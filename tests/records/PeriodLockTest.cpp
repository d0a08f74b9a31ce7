#include "RecordsFixture.h"
#include "clock/ForcedClockOut.h"
#include "records/OldRecords.h"
#include "records/RecordEditor.h"
#include "store/DayNumber.h"
#include "store/HistoryWords.h"
#include "store/PeriodStates.h"
#include "store/RecordEdits.h"

#include <functional>
#include <gtest/gtest.h>

namespace {
const DayRange december{QDate(2026, 12, 1), QDate(2026, 12, 15)};
const QString lockedMessage = QStringLiteral(
    "This day is in a locked pay period (1 Dec 2026 - 15 Dec 2026). Reopen the period to change it.");

QDateTime at(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2026, 12, day), QTime(hour, minute));
}

EditStamp stamp(const QString& user)
{
    return {at(16, 9), user};
}

StoredPeriod::State stateOf(PeriodStates& periods, const QDate& first)
{
    const std::optional<StoredPeriod> stored = periods.find(first);
    return stored ? stored->state() : StoredPeriod::State::Open;
}

// The whole of "In Out" and the number of history entries, to show that a refusal changed nothing.
struct Snapshot {
    QList<ClockRecord> rows;
    qsizetype entries = 0;
    static Snapshot of(RecordsFixture& f)
    {
        Snapshot s;
        for (const QString& id : {QStringLiteral("E1"), QStringLiteral("E2")})
            s.rows += RecordEdits(f.database()).forEmployee(id, 0);
        s.entries = EditHistory(f.database()).entries().size();
        return s;
    }
    bool operator==(const Snapshot& o) const
    {
        if (rows.size() != o.rows.size() || entries != o.entries)
            return false;
        for (qsizetype i = 0; i < rows.size(); ++i)
            if (rows[i].recordNumber != o.rows[i].recordNumber || rows[i].time != o.rows[i].time ||
                rows[i].clockOut != o.rows[i].clockOut)
                return false;
        return true;
    }
};
} // namespace

using PeriodLockTest = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(PeriodLockTest);

TEST_P(PeriodLockTest, StatesFollowApprovalsLockAndReopenEachWithItsHistoryEntry)
{
    RecordsFixture f(backend());
    PeriodStates periods(f.database());
    using State = StoredPeriod::State;
    const struct {
        const char* step;
        std::function<void()> change;
        State state;
        const char* words; // the history entry it leaves, in words; null when refused
    } steps[] = {
        {"approve one", [&] { periods.approve(december, QStringLiteral(" e1 "), stamp("ann")); },
         State::PartlyApproved, "Period approved: 1 Dec 2026 - 15 Dec 2026 for E1"},
        {"approve the same one again", [&] { periods.approve(december, QStringLiteral("E1"), stamp("ann")); },
         State::PartlyApproved, nullptr},
        {"approve everyone", [&] { periods.approve(december, {}, stamp("bob")); }, State::Approved,
         "Period approved: 1 Dec 2026 - 15 Dec 2026"},
        {"lock", [&] { periods.lock(december, stamp("bob")); }, State::Locked,
         "Period locked: 1 Dec 2026 - 15 Dec 2026"},
        {"lock again", [&] { periods.lock(december, stamp("bob")); }, State::Locked, nullptr},
        {"approve a locked period", [&] { periods.approve(december, QStringLiteral("E2"), stamp("ann")); },
         State::Locked, nullptr},
        {"lock an overlapping period",
         [&] {
             periods.lock({QDate(2026, 12, 10), QDate(2026, 12, 20)}, stamp("bob"));
         },
         State::Locked, nullptr},
        {"reopen without a reason",
         [&] { periods.reopen(december.first, QStringLiteral("  "), stamp("bob")); }, State::Locked, nullptr},
        {"reopen", [&] { periods.reopen(december.first, QStringLiteral("late sick note"), stamp("bob")); },
         State::Open, "Period reopened: 1 Dec 2026 - 15 Dec 2026 (late sick note)"},
        {"reopen an open period",
         [&] { periods.reopen(december.first, QStringLiteral("again"), stamp("bob")); }, State::Open,
         nullptr},
    };
    EditHistory history(f.database());
    for (const auto& s : steps) {
        const qsizetype before = history.entries().size();
        bool refused = false;
        try {
            s.change();
        } catch (const PeriodStates::Refused&) {
            refused = true;
        }
        EXPECT_EQ(refused, s.words == nullptr) << s.step;
        EXPECT_EQ(stateOf(periods, december.first), s.state) << s.step;
        const QList<HistoryEntry> entries = history.entries();
        ASSERT_EQ(entries.size(), before + (refused ? 0 : 1)) << s.step;
        if (!refused) {
            EXPECT_EQ(HistoryWords::change(entries.last(), false), QString::fromUtf8(s.words)) << s.step;
        }
    }
    const QList<HistoryEntry> entries = history.entries();
    EXPECT_EQ(entries.at(0).user, QStringLiteral("ann"));
    EXPECT_EQ(entries.at(2).user, QStringLiteral("bob"));
    const EditHistory::Verdict verdict = history.verify();
    EXPECT_TRUE(verdict.intact) << verdict.reason.toStdString();
}

TEST_P(PeriodLockTest, ApprovalsKeepWhoAndWhenAndEveryStoredPeriodIsListed)
{
    RecordsFixture f(backend());
    PeriodStates periods(f.database());
    periods.approve({QDate(2026, 12, 16), QDate(2026, 12, 31)}, QStringLiteral("E2"), stamp("ann"));
    periods.lock(december, stamp("bob"));
    const QList<StoredPeriod> all = periods.all();
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all.at(0).days, december);
    EXPECT_TRUE(all.at(0).locked);
    EXPECT_EQ(all.at(0).lockedBy, QStringLiteral("bob"));
    EXPECT_EQ(all.at(0).lockedWhen, at(16, 9));
    ASSERT_EQ(all.at(1).approvals.size(), 1);
    EXPECT_EQ(all.at(1).approvals.at(0).employeeId, QStringLiteral("E2"));
    EXPECT_EQ(all.at(1).approvals.at(0).user, QStringLiteral("ann"));
    EXPECT_TRUE(all.at(1).approvedFor(QStringLiteral("e2")));
    EXPECT_FALSE(all.at(1).approvedFor(QStringLiteral("E1")));
}

TEST_P(PeriodLockTest, ALockedDayRefusesEveryHandChangeAndKeepsEverything)
{
    RecordsFixture f(backend());
    const qint64 inLocked = f.punch(QStringLiteral("E1"), at(10, 8), false);
    f.punch(QStringLiteral("E1"), at(10, 17), true);
    const qint64 inOpen = f.punch(QStringLiteral("E2"), at(16, 8), false);
    PeriodStates(f.database()).lock(december, stamp("bob"));

    // Shows the record and leaves the editor on its day.
    const auto editorOn = [&](const QString& id, qint64 record) {
        auto editor =
            std::make_unique<RecordEditor>(f.services, f.session, id, DayNumber::of(QDate(2026, 11, 1)));
        editor->reload();
        editor->show(record);
        return editor;
    };
    const struct {
        const char* change;
        std::function<QString()> attempt; // the refusal's text
    } cases[] = {
        {"editor save",
         [&] {
             return editorOn("E1", inLocked)->save({"09:00", false, {}, false}).message;
         }},
        {"editor insert",
         [&] {
             return editorOn("E1", inLocked)->insert({"12:00", true, {}, false}).message;
         }},
        {"editor delete",
         [&] {
             return editorOn("E1", inLocked)->remove().message;
         }},
        {"editor moves a record into the period",
         [&] {
             auto editor = editorOn("E2", inOpen);
             editor->setCurrentDay(DayNumber::of(QDate(2026, 12, 15)));
             return editor->save({"08:00", false, {}, false}).message;
         }},
        {"old-record removal",
         [&] {
             try {
                 OldRecords::removeBefore(f.services, DayNumber::of(QDate(2026, 12, 17)));
             } catch (const LockedDayError& e) {
                 return e.message();
             }
             return QString();
         }},
    };
    for (const auto& c : cases) {
        const Snapshot before = Snapshot::of(f);
        EXPECT_EQ(c.attempt(), lockedMessage) << c.change;
        EXPECT_TRUE(Snapshot::of(f) == before) << c.change;
    }
    // A second IN in a row asks first only where the change can be made at all.
    EXPECT_TRUE(editorOn("E1", inLocked)
                    ->sequenceQuestion(RecordEditor::Write::Insert, {"12:00", false, {}, false})
                    .isEmpty());
    EXPECT_FALSE(editorOn("E2", inOpen)
                     ->sequenceQuestion(RecordEditor::Write::Insert, {"12:00", false, {}, false})
                     .isEmpty());
    // The days around the period stay open to changes.
    EXPECT_TRUE(editorOn("E2", inOpen)->save({"08:05", false, {}, false}).done);
    EXPECT_EQ(OldRecords::removeBefore(f.services, DayNumber::of(december.first)), 0);
}

TEST_P(PeriodLockTest, AForcedClockOutOnALockedDayIsStoredAndListedAsAfterTheLock)
{
    RecordsFixture f(backend());
    f.session.updateSettings([](SettingsRecord& s) { s.forceClockOuts = true; });
    f.punch(QStringLiteral("E1"), at(14, 6), false);
    PeriodStates(f.database()).lock(december, {at(15, 8), QStringLiteral("bob")});
    f.time.set(at(15, 20, 45));
    ASSERT_EQ(ForcedClockOut(f.database(), f.time).run(f.session.settings()), 1);
    const QList<ClockRecord> after = PeriodStates(f.database()).afterLock();
    ASSERT_EQ(after.size(), 1);
    EXPECT_TRUE(after.at(0).clockOut);
    EXPECT_EQ(after.at(0).employeeId, QStringLiteral("E1"));
}
