// Pay rates by date, on the file and on a server: what is kept, and the history each change leaves.
#include "store/PayRateTable.h"

#include "BackendTest.h"
#include "store/DayNumber.h"
#include "store/EditHistory.h"
#include "store/HistoryWords.h"

#include <gtest/gtest.h>

namespace {
using PayRates = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(PayRates);

qint32 day(const char* iso)
{
    return DayNumber::fromIso(QString::fromLatin1(iso));
}

Money money(const char* text)
{
    return *Money::parse(QString::fromLatin1(text));
}

const EditStamp stamp{QDateTime(QDate(2026, 6, 1), QTime(9, 0)), QStringLiteral("manager")};

TEST_P(PayRates, ChangesAreKeptByIdAsComparedAndEachLeavesItsHistoryEntry)
{
    TestFolder folder(backend());
    PayRateTable table(folder.database());
    EXPECT_EQ(table.set(QStringLiteral(" o'neil "), day("2026-06-08"), money("18.50"), stamp), std::nullopt);
    EXPECT_EQ(table.set(QStringLiteral("O'NEIL"), day("2026-01-01"), money("17"), stamp), std::nullopt);
    EXPECT_EQ(table.set(QStringLiteral("O'Neil"), day("2026-06-08"), money("19.25"), stamp), money("18.50"));
    EXPECT_EQ(table.set(QStringLiteral("O'Neil"), day("2026-06-08"), money("19.25"), stamp), money("19.25"));
    table.set(QStringLiteral("B2"), day("2026-03-01"), money("12.3456"), stamp);
    EXPECT_TRUE(table.remove(QStringLiteral("b2"), day("2026-03-01"), stamp));
    EXPECT_FALSE(table.remove(QStringLiteral("b2"), day("2026-03-01"), stamp));

    const QList<PayRateRow> expected = {{QStringLiteral("O'NEIL"), day("2026-01-01"), money("17")},
                                        {QStringLiteral("O'NEIL"), day("2026-06-08"), money("19.25")}};
    EXPECT_EQ(table.forEmployee(QStringLiteral("o'neil")), expected);
    EXPECT_EQ(table.all().value(QStringLiteral("O'NEIL")), expected);
    EXPECT_FALSE(table.all().contains(QStringLiteral("B2")));

    // Five real changes; the rate set to what it already was is not one.
    EditHistory history(folder.database());
    QStringList words;
    for (const HistoryEntry& e : history.entries())
        words.append(HistoryWords::change(e, false));
    EXPECT_EQ(words, QStringList({QStringLiteral("Pay rate of O'NEIL from 2026-06-08: none → 18.5"),
                                  QStringLiteral("Pay rate of O'NEIL from 2026-01-01: none → 17"),
                                  QStringLiteral("Pay rate of O'NEIL from 2026-06-08: 18.5 → 19.25"),
                                  QStringLiteral("Pay rate of B2 from 2026-03-01: none → 12.3456"),
                                  QStringLiteral("Pay rate of B2 from 2026-03-01: 12.3456 → none")}));
    EXPECT_TRUE(history.verify().intact) << history.verify().reason.toStdString();
}

TEST_P(PayRates, ReplacingTheListWritesOnlyWhatDiffers)
{
    TestFolder folder(backend());
    PayRateTable table(folder.database());
    table.set(QStringLiteral("A1"), day("2026-01-01"), money("15"), stamp);
    table.set(QStringLiteral("A1"), day("2026-04-01"), money("16"), stamp);
    table.set(QStringLiteral("A2"), day("2026-04-01"), money("30"), stamp);
    const qsizetype before = EditHistory(folder.database()).entries().size();

    // Keep January, change April, add July: two entries, and the other employee untouched.
    table.replace(QStringLiteral("a1"),
                  {{QString(), day("2026-07-01"), money("17")},
                   {QString(), day("2026-01-01"), money("15")},
                   {QString(), day("2026-04-01"), money("16.5")}},
                  stamp);
    EXPECT_EQ(EditHistory(folder.database()).entries().size(), before + 2);
    table.replace(QStringLiteral("A1"), {{QString(), day("2026-07-01"), money("17")}}, stamp);
    EXPECT_EQ(EditHistory(folder.database()).entries().size(), before + 4);
    EXPECT_EQ(table.forEmployee(QStringLiteral("A1")),
              (QList<PayRateRow>{{QStringLiteral("A1"), day("2026-07-01"), money("17")}}));
    EXPECT_EQ(table.forEmployee(QStringLiteral("A2")).size(), 1);
}
} // namespace
