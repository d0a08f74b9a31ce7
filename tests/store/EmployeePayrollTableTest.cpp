// What the payroll service knows employees by, on the file and on a server.
#include "store/EmployeePayrollTable.h"

#include "BackendTest.h"
#include "store/EditHistory.h"
#include "store/HistoryWords.h"

#include <gtest/gtest.h>

namespace {
using EmployeePayrollStore = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(EmployeePayrollStore);

const EditStamp stamp{QDateTime(QDate(2026, 12, 1), QTime(9, 0)), QStringLiteral("manager")};

TEST_P(EmployeePayrollStore, KeptByIdAsComparedWithOneHistoryEntryPerRealChange)
{
    TestFolder folder(backend());
    EmployeePayrollTable table(folder.database());
    EXPECT_EQ(table.find(QStringLiteral("o'neil")), (EmployeePayroll{QStringLiteral("O'NEIL"), {}, {}, {}}));
    EXPECT_TRUE(table.set({QStringLiteral(" o'neil "), QStringLiteral(" 000123 "), {}, {}}, stamp));
    EXPECT_FALSE(table.set({QStringLiteral("O'Neil"), QStringLiteral("000123"), {}, {}}, stamp));
    EXPECT_TRUE(table.set({QStringLiteral("O'NEIL"), QStringLiteral("000123"), QStringLiteral("Anna"),
                           QStringLiteral("Van Der Berg")},
                          stamp));
    EXPECT_TRUE(table.set({QStringLiteral("B2"), {}, QStringLiteral("Bob"), {}}, stamp));
    EXPECT_TRUE(table.set({QStringLiteral("b2"), {}, {}, {}}, stamp));

    const EmployeePayroll anna{QStringLiteral("O'NEIL"), QStringLiteral("000123"), QStringLiteral("Anna"),
                               QStringLiteral("Van Der Berg")};
    EXPECT_EQ(table.find(QStringLiteral("o'neil")), anna);
    const QHash<QString, EmployeePayroll> all = table.all();
    EXPECT_EQ(all.size(), 1); // all empty is no entry at all
    EXPECT_EQ(all.value(QStringLiteral("O'NEIL")), anna);

    EditHistory history(folder.database());
    QStringList words;
    for (const HistoryEntry& e : history.entries())
        words.append(HistoryWords::change(e, false));
    EXPECT_EQ(words,
              (QStringList{
                  QStringLiteral("Payroll details of O'NEIL: payroll number none → 000123"),
                  QStringLiteral(
                      "Payroll details of O'NEIL: first name none → Anna, last name none → Van Der Berg"),
                  QStringLiteral("Payroll details of B2: first name none → Bob"),
                  QStringLiteral("Payroll details of B2: first name Bob → none"),
              }));
    EXPECT_TRUE(history.verify().intact) << history.verify().reason.toStdString();
}
} // namespace

TEST(EmployeePayroll, NamesSplitAndValuesThatCannotBeKept)
{
    const struct {
        const char* stored;
        const char* first;
        const char* last;
    } names[] = {
        {"Van Der Berg Anna", "Anna", "Van Der Berg"},
        {"  Doe   John ", "John", "Doe"},
        {"Solo", "", "Solo"},
        {"", "", ""},
    };
    for (const auto& n : names) {
        const auto [first, last] = EmployeePayroll::firstAndLastOf(QString::fromUtf8(n.stored));
        EXPECT_EQ(first, QString::fromUtf8(n.first)) << n.stored;
        EXPECT_EQ(last, QString::fromUtf8(n.last)) << n.stored;
    }

    const struct {
        EmployeePayroll values;
        const char* problem; // empty: kept
    } checks[] = {
        {{"E1", QString(30, QLatin1Char('9')), QString(60, QLatin1Char('a')), {}}, ""},
        {{"E1", QString(31, QLatin1Char('9')), {}, {}}, "The payroll number is longer than 30 characters"},
        {{"E1", {}, {}, QString(61, QLatin1Char('a'))}, "The last name is longer than 60 characters"},
        {{"E1", {}, QStringLiteral("An\tna"), {}},
         "The first name holds a tab, line break or other control character"},
        {{"E1", QStringLiteral("12\n3"), {}, {}},
         "The payroll number holds a tab, line break or other control character"},
        // Blanks around a value are not kept, so they do not count.
        {{"E1", QStringLiteral("  123456789012345678901234567890  "), {}, {}}, ""},
    };
    for (const auto& c : checks)
        EXPECT_EQ(EmployeePayrollTable::problemOf(c.values), QString::fromUtf8(c.problem))
            << c.values.payrollNumber.toStdString();
}
