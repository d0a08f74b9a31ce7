#include "platform/ui/DatePicker.h"

#include "platform/MonthGrid.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(MonthGrid, NavigationWrapsAndKeepsTodaysDay)
{
    struct Case {
        QDate today;
        QList<int> labels;
        QDate selected;
    };
    const Case cases[] = {
        {QDate(2026, 1, 15), {1}, QDate(2025, 12, 15)},
        {QDate(2026, 1, 15), {0}, QDate(2025, 11, 15)},
        {QDate(2026, 12, 4), {4}, QDate(2027, 2, 4)},
        {QDate(2026, 12, 4), {3}, QDate(2027, 1, 4)},
        {QDate(2026, 11, 4), {4}, QDate(2027, 1, 4)},
        {QDate(2026, 3, 31), {3}, QDate(2026, 4, 30)},
        {QDate(2026, 1, 31), {3}, QDate(2026, 2, 28)},
        {QDate(2024, 1, 31), {3}, QDate(2024, 2, 29)},
        {QDate(2026, 1, 31), {3, 3}, QDate(2026, 3, 31)},
        {QDate(2024, 2, 29), {8}, QDate(2025, 2, 28)},
        {QDate(2024, 2, 29), {9, 5}, QDate(2024, 2, 29)},
        {QDate(2026, 6, 10), {6, 6}, QDate(2024, 6, 10)},
        {QDate(2026, 12, 31), {4, 0}, QDate(2026, 12, 31)},
        // The middle zones come back to today's month and today's year.
        {QDate(2026, 6, 10), {4, 4, 9, 2}, QDate(2028, 6, 10)},
        {QDate(2026, 6, 10), {4, 9, 7}, QDate(2026, 8, 10)},
    };
    for (const Case& c : cases) {
        MonthGrid grid(c.today);
        for (int label : c.labels)
            grid.navigate(label);
        EXPECT_EQ(grid.date(grid.selectedDay()), c.selected) << c.today.toString(Qt::ISODate).toStdString();
    }
}

TEST(MonthGrid, CalendarLayout)
{
    struct Case {
        QDate month;
        int firstColumn;
        int lastDay;
        int lastColumn;
        int rows;
    };
    const Case cases[] = {
        {QDate(2026, 12, 1), 2, 31, 4, 5}, // starts on a Tuesday
        {QDate(2026, 2, 1), 0, 28, 6, 4},  // Sunday to Saturday, four full weeks
        {QDate(2026, 8, 1), 6, 31, 1, 6},  // starts on a Saturday: six rows
    };
    for (const Case& c : cases) {
        const MonthGrid grid(c.month);
        EXPECT_EQ(grid.column(1), c.firstColumn);
        EXPECT_EQ(grid.daysInMonth(), c.lastDay);
        EXPECT_EQ(grid.column(c.lastDay), c.lastColumn);
        EXPECT_EQ(grid.rowCount(), c.rows) << c.month.toString(Qt::ISODate).toStdString();
    }
}

TEST(DatePicker, AcceptAtOnceGivesTodayDayButtonsNavigationAndCancel)
{
    const QDate today(2026, 1, 31);
    DatePicker accepted(today);
    accepted.show();
    EXPECT_EQ(accepted.chosenDate(), std::nullopt) << "nothing is chosen while it is open";
    QTest::mouseClick(accepted.findChild<QPushButton*>(QStringLiteral("Command3D1")), Qt::LeftButton);
    EXPECT_EQ(accepted.result(), QDialog::Accepted);
    EXPECT_EQ(accepted.chosenDate(), today);

    DatePicker picker(today);
    picker.show();
    const auto button = [&](int day) {
        return picker.findChild<QPushButton*>(QStringLiteral("Command3D2_%1").arg(day));
    };
    QTest::mouseClick(button(10), Qt::LeftButton);
    EXPECT_EQ(picker.selectedDate(), QDate(2026, 1, 10));
    QTest::mouseClick(picker.findChild<QLabel*>(QStringLiteral("Label2_3")), Qt::LeftButton);
    EXPECT_EQ(picker.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(),
              QStringLiteral("February - 2026"));
    EXPECT_FALSE(button(29)->isVisible());
    EXPECT_TRUE(
        picker.findChild<QFrame*>(QStringLiteral("Shape1"))->geometry().contains(button(28)->geometry()));
    EXPECT_EQ(picker.selectedDate(), QDate(2026, 2, 28));

    QTest::mouseClick(button(3), Qt::LeftButton);
    QTest::mouseClick(picker.findChild<QPushButton*>(QStringLiteral("Command3D3")), Qt::LeftButton);
    EXPECT_EQ(picker.result(), QDialog::Rejected);
    EXPECT_EQ(picker.selectedDate(), QDate(2026, 2, 3));
    EXPECT_EQ(picker.chosenDate(), std::nullopt) << "a cancel gives no day, whatever was selected";
}
