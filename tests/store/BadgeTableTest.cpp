// Cards and barcodes standing for employees, on the file and on a server.
#include "store/BadgeTable.h"

#include "BackendTest.h"
#include "store/EditHistory.h"
#include "store/HistoryWords.h"

#include <gtest/gtest.h>

namespace {
using Badges = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(Badges);

const EditStamp stamp{QDateTime(QDate(2026, 12, 7), QTime(9, 0)), QStringLiteral("manager")};

TEST_P(Badges, OneCardOneEmployeeWithLeadingZerosKept)
{
    TestFolder folder(backend());
    BadgeTable table(folder.database());
    const QString card = QStringLiteral("0004512345");
    EXPECT_EQ(table.assign(QStringLiteral(" o'neil "), card, stamp), std::nullopt);
    EXPECT_EQ(table.employeeFor(card), QStringLiteral("O'NEIL"));
    // The number is text: without its zeros it is another card.
    EXPECT_EQ(table.employeeFor(QStringLiteral("4512345")), std::nullopt);

    const std::optional<BadgeTable::Taken> taken = table.assign(QStringLiteral("B2"), card, stamp);
    ASSERT_TRUE(taken.has_value());
    EXPECT_EQ(taken->employeeId, QStringLiteral("O'NEIL"));
    EXPECT_EQ(table.badgeOf(QStringLiteral("b2")), std::nullopt);
    EXPECT_EQ(table.assign(QStringLiteral("O'Neil"), card, stamp), std::nullopt); // theirs already

    // A new card replaces the employee's old one, which is then nobody's.
    EXPECT_EQ(table.assign(QStringLiteral("o'neil"), QStringLiteral("0000000077"), stamp), std::nullopt);
    EXPECT_EQ(table.employeeFor(card), std::nullopt);
    EXPECT_EQ(table.assign(QStringLiteral("B2"), card, stamp), std::nullopt);
    EXPECT_TRUE(table.remove(QStringLiteral("o'neil"), stamp));
    EXPECT_FALSE(table.remove(QStringLiteral("o'neil"), stamp));
    EXPECT_EQ(table.all(), QList<BadgeRow>({{card, QStringLiteral("B2")}}));

    EditHistory history(folder.database());
    QStringList words;
    for (const HistoryEntry& e : history.entries())
        words.append(HistoryWords::change(e, false));
    EXPECT_EQ(words, QStringList({QStringLiteral("Badge of O'NEIL: none → 0004512345"),
                                  QStringLiteral("Badge of O'NEIL: 0004512345 → 0000000077"),
                                  QStringLiteral("Badge of B2: none → 0004512345"),
                                  QStringLiteral("Badge of O'NEIL: 0000000077 → none")}));
    EXPECT_TRUE(history.verify().intact) << history.verify().reason.toStdString();
}
} // namespace

TEST(BadgeNumber, ReaderTextBecomesThePrintedNumber)
{
    struct Case {
        const char* read;
        bool hex;
        const char* number;
    };
    const Case cases[] = {
        {"0004512345", false, "0004512345"},
        {"0044DA59", false, "0044DA59"},
        {"0044DA59", true, "0004512345"},
        {"44da59", true, "0004512345"},
        {"FFFFFFFF", true, "4294967295"},
        // The maker's byte of a ten-digit reading is not printed on the card.
        {"1A0044DA59", true, "0004512345"},
        {"04A1B2C3D4E5F6", true, "1303689068602870"},
        {"FFFFFFFFFFFFFFFF", true, "18446744073709551615"},
        {"12345678901234567", true, "12345678901234567"}, // too long for hexadecimal: as it came
        {"AB-12", true, "AB-12"},
        {" 0001 ", false, "0001"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BadgeNumber::fromReader(QString::fromLatin1(c.read), c.hex), QString::fromLatin1(c.number))
            << c.read;

    EXPECT_EQ(BadgeNumber::typed(QStringLiteral(" 0004512345 ")), QStringLiteral("0004512345"));
    for (const char* bad : {"", "   ", "12 34", "12\t34", "1234567890123456789012345678901234567890X"})
        EXPECT_EQ(BadgeNumber::typed(QString::fromLatin1(bad)), std::nullopt) << bad;
}
