#include "clock/InOutLists.h"

#include "BackendTest.h"
#include "PunchRecord.h"
#include "store/ClockRecords.h"

#include <gtest/gtest.h>

namespace {
const QDate today(2026, 12, 4);

void add(Database& db, const char* id, const char* name, int daysAgo, int hour, bool out)
{
    ClockRecords(db).append(punchRecord(QString::fromLatin1(id),
                                        QDateTime(today.addDays(-daysAgo), QTime(hour, 0)), out,
                                        QString::fromLatin1(name)));
}

// Every character one pixel wide: widths are easy to reason about.
int charCount(const QString& text)
{
    return static_cast<int>(text.size());
}
} // namespace

using InOutListsTest = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(InOutListsTest);

TEST_P(InOutListsTest, LastRowOfEachEmployeeInTheWindowDecides)
{
    TestFolder folder(backend());
    Database& db = folder.database();
    add(db, "B2", "Bea", 1, 20, false); // in since yesterday evening
    add(db, "A1", "Al", 2, 8, false);
    add(db, "A1", "Al", 2, 17, true);  // out
    add(db, "C3", "Cy", 9, 8, false);  // older than the window: nowhere
    add(db, "D4", "Dee", 7, 8, false); // on the window's first day
    add(db, "e5", "Eve", 0, 8, false);
    add(db, "E5", "Eve", 0, 9, true);     // same employee in other letter case
    add(db, "  ", "Nobody", 0, 9, false); // blank ID: skipped
    add(db, "F6", " ", 0, 10, false);     // punched without an employee database
    qint16 days = 7;
    const auto lists = InOutLists::load(db, today, days);
    ASSERT_TRUE(lists.has_value());
    EXPECT_EQ(lists->in, (QStringList{QStringLiteral("Bea"), QStringLiteral("Dee"), QStringLiteral(" ")}));
    EXPECT_EQ(lists->out, (QStringList{QStringLiteral("Al"), QStringLiteral("Eve")}));
}

TEST_P(InOutListsTest, ZeroDaysMeansSevenAndNothingToShowKeepsTheLists)
{
    TestFolder folder(backend());
    Database& db = folder.database();
    qint16 days = 0;
    EXPECT_FALSE(InOutLists::load(db, today, days).has_value()); // empty table
    add(db, "A", "Al", 8, 8, false);
    EXPECT_FALSE(InOutLists::load(db, today, days).has_value()); // nothing in the window
    EXPECT_EQ(days, 7);
    days = 8;
    const auto lists = InOutLists::load(db, today, days);
    ASSERT_TRUE(lists.has_value());
    EXPECT_EQ(lists->in, QStringList{QStringLiteral("Al")});
}

TEST(InOutLists, EntriesArePaddedOrCutThenTabbed)
{
    const struct {
        const char* name;
        const char* entry;
    } cases[] = {
        {"Al", "Al        \t"},            // padded to 10
        {"Exactly10!", "Exactly10!\t"},    // wide enough already
        {"Eleven char", "Eleven char\t"},  // between minimum and maximum: kept
        {"Twelve chars", "Twelve char\t"}, // as wide as the maximum: cut below it
        {"A much longer name here", "A much long\t"},
        {"", "          \t"}, // a blank name still takes its place
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InOutLists::entryText(QString::fromLatin1(c.name), charCount, 10, 12),
                  QString::fromLatin1(c.entry))
            << c.name;
    }
    // A measure in which blanks take no room must not pad forever.
    const auto blanksFree = [](const QString& t) {
        return static_cast<int>(t.trimmed().size());
    };
    EXPECT_EQ(InOutLists::entryText(QStringLiteral("Al"), blanksFree, 10, 12), QStringLiteral("Al\t"));
}
