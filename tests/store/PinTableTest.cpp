// Personal PINs on the file and on a server: the count of wrong tries, the lock it leads to, and the
// manager's clear and unlock with their history.
#include "store/PinTable.h"

#include "BackendTest.h"
#include "store/DatabaseLocation.h"
#include "store/HistoryWords.h"

#include <gtest/gtest.h>

namespace {
using Pins = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(Pins);

const QDateTime nine(QDate(2026, 12, 7), QTime(9, 0));
const EditStamp stamp{nine, QStringLiteral("manager")};

// The program closed and started again: nothing of the count can live on but what was stored.
void restart(TestFolder& folder)
{
    Database& database = folder.database();
    const QString path = database.path();
    database.close();
    const Database::OpenResult opened = folder.url().isEmpty()
                                            ? database.open(path)
                                            : database.openServer(*DatabaseLocation::parse(folder.url()));
    ASSERT_TRUE(opened.ok());
}

PinTable::Try outcome(PinTable& table, const QString& id, bool right, const QDateTime& at)
{
    return table.count(id, right, at).outcome;
}
} // namespace

TEST_P(Pins, FiveWrongTriesLockTheIdForFiveMinutesAcrossARestart)
{
    TestFolder folder(backend());
    {
        PinTable table(folder.database());
        ASSERT_TRUE(table.choose(QStringLiteral(" o'neil "), QStringLiteral("hash-a")));
        EXPECT_FALSE(table.choose(QStringLiteral("O'NEIL"), QStringLiteral("hash-b"))); // one PIN, the first
        EXPECT_EQ(table.of(QStringLiteral("o'Neil")).hash, QStringLiteral("hash-a"));

        // A right try ends the count: four wrong ones after it still leave one.
        for (int i = 0; i < 3; ++i)
            table.count(QStringLiteral("O'NEIL"), false, nine);
        EXPECT_EQ(outcome(table, QStringLiteral("O'NEIL"), true, nine), PinTable::Try::Right);
        for (int left = 4; left >= 1; --left) {
            const PinTable::TryResult result = table.count(QStringLiteral("o'neil"), false, nine);
            EXPECT_EQ(result.outcome, PinTable::Try::Wrong);
            EXPECT_EQ(result.triesLeft, left);
        }
    }
    ASSERT_NO_FATAL_FAILURE(restart(folder));
    PinTable table(folder.database());
    EXPECT_EQ(table.of(QStringLiteral("O'NEIL")).wrongTries, 4);
    const PinTable::TryResult fifth = table.count(QStringLiteral("O'NEIL"), false, nine.addSecs(10));
    EXPECT_EQ(fifth.outcome, PinTable::Try::Locked);
    EXPECT_EQ(fifth.lockedUntil, nine.addSecs(10 + 300));

    ASSERT_NO_FATAL_FAILURE(restart(folder));
    PinTable again(folder.database());
    EXPECT_TRUE(again.of(QStringLiteral("O'NEIL")).isLockedAt(nine.addSecs(309)));
    // Locked, even the right PIN is refused and counts for nothing.
    EXPECT_EQ(outcome(again, QStringLiteral("O'NEIL"), true, nine.addSecs(309)), PinTable::Try::Locked);
    EXPECT_EQ(outcome(again, QStringLiteral("O'NEIL"), false, nine.addSecs(309)), PinTable::Try::Locked);
    // Once the lock has run out the count starts again from five.
    const PinTable::TryResult after = again.count(QStringLiteral("O'NEIL"), false, nine.addSecs(310));
    EXPECT_EQ(after.outcome, PinTable::Try::Wrong);
    EXPECT_EQ(after.triesLeft, 4);
    EXPECT_EQ(outcome(again, QStringLiteral("O'NEIL"), true, nine.addSecs(311)), PinTable::Try::Right);
}

TEST_P(Pins, TheManagerUnlocksAndClearsEachWithAHistoryEntry)
{
    TestFolder folder(backend());
    PinTable table(folder.database());
    EXPECT_FALSE(table.clear(QStringLiteral("A1"), stamp)); // nothing to clear
    EXPECT_FALSE(table.unlock(QStringLiteral("A1"), stamp));
    table.choose(QStringLiteral("A1"), QStringLiteral("hash-a"));
    EXPECT_FALSE(table.unlock(QStringLiteral("a1"), stamp)); // no wrong try, no lock
    for (int i = 0; i < 5; ++i)
        table.count(QStringLiteral("A1"), false, nine);
    ASSERT_TRUE(table.of(QStringLiteral("A1")).isLockedAt(nine));

    EXPECT_TRUE(table.unlock(QStringLiteral("a1"), stamp));
    EXPECT_FALSE(table.of(QStringLiteral("A1")).isLockedAt(nine));
    EXPECT_EQ(table.count(QStringLiteral("A1"), false, nine).triesLeft, 4);
    EXPECT_EQ(table.of(QStringLiteral("A1")).hash, QStringLiteral("hash-a")); // the PIN stays

    EXPECT_TRUE(table.clear(QStringLiteral("A1"), stamp));
    EXPECT_EQ(table.of(QStringLiteral("A1")).hash, QString());
    EXPECT_EQ(table.of(QStringLiteral("A1")).wrongTries, 0);
    EXPECT_TRUE(table.choose(QStringLiteral("A1"), QStringLiteral("hash-b"))); // a new one at the next punch

    EditHistory history(folder.database());
    QStringList words;
    for (const HistoryEntry& e : history.entries()) {
        words.append(HistoryWords::change(e, false));
        EXPECT_FALSE(e.oldValues.contains(QStringLiteral("hash-a"))) << e.oldValues.toStdString();
    }
    EXPECT_EQ(words,
              QStringList({QStringLiteral("PIN of A1 unlocked"), QStringLiteral("PIN of A1 cleared")}));
    EXPECT_TRUE(history.verify().intact) << history.verify().reason.toStdString();
}
